#include "Package.h"
#include <QCoreApplication>

#include "InputFile.h"
#include "XmlNamespaces.h"
#include "platform/Error.h"
#include "platform/FileAccess.h"

#include <expat.h>
#include <zip.h>

#include <cstring>
#include <exception>
#include <vector>

namespace xlsx {

// Names are short and met millions of times: one walk finds both the first colon and the
// end.
std::string_view localName(const char* qualifiedName)
{
    const char* local = qualifiedName;
    const char* p = qualifiedName;
    for (; *p; ++p)
        if (*p == ':' && local == qualifiedName)
            local = p + 1;
    return std::string_view(local, size_t(p - local));
}

std::string_view attributeName(const char* qualifiedName)
{
    if (qualifiedName[0] == 'x' && std::strncmp(qualifiedName, "xmlns", 5) == 0)
        return {};
    return localName(qualifiedName);
}

const char* attribute(const char** attributes, std::string_view name)
{
    for (const char** a = attributes; a[0]; a += 2) {
        if (attributeName(a[0]) == name)
            return a[1];
    }
    return nullptr;
}

namespace {

[[noreturn]] void throwNotAWorkbook(const QString& fileName, const QString& reason)
{
    throw Error(QStringLiteral("\"%1\" is not an .xlsx workbook (%2)").arg(fileName, reason));
}

enum class Start { Other, Zip, Compound };

// What the first bytes say the file is. An encrypted workbook is not a zip but a compound
// file holding the encrypted package, as an Excel 97-2003 workbook is; a file that starts
// as a zip but does not open as one was cut short or damaged (a broken download, say).
Start startOf(const platform::ReadOnlyFile& file)
{
    static const unsigned char compound[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    unsigned char head[8] = {};
    if (file.readAt(0, reinterpret_cast<char*>(head), sizeof head) < 4)
        return Start::Other;
    if (std::memcmp(head, "PK\x03\x04", 4) == 0)
        return Start::Zip;
    return std::memcmp(head, compound, 8) == 0 ? Start::Compound : Start::Other;
}

// Carries a handler's exception across expat, which is C and must not be unwound through.
struct ParseState {
    XML_Parser parser = nullptr;
    XmlSink* sink = nullptr;
    std::exception_ptr failure;
    bool doctype = false;
    bool event = false; // an event since the last buffer: expat is not holding one token
    XmlNamespaces namespaces;
    int depth = 0;
    int foreignDepth = 0; // > 0 inside an element of another namespace
    std::vector<const char*> ownAttributes;
};

template <typename Call>
void guarded(ParseState& state, Call&& call)
{
    state.event = true;
    if (state.failure || state.doctype)
        return;
    try {
        call(*state.sink);
    } catch (...) {
        state.failure = std::current_exception();
        XML_StopParser(state.parser, XML_FALSE);
    }
}

// The attributes without those of another namespace (x14ac:dyDescent on every row, say).
const char** ownAttributes(ParseState& state, const char** attributes)
{
    const auto foreign = [&](const char* name) {
        const char* colon = std::strchr(name, ':');
        return colon && !state.namespaces.ownPrefix(std::string_view(name, size_t(colon - name)));
    };
    state.ownAttributes.clear();
    for (const char** a = attributes; a[0]; a += 2)
        if (!foreign(a[0]))
            state.ownAttributes.insert(state.ownAttributes.end(), a, a + 2);
    state.ownAttributes.push_back(nullptr);
    return state.ownAttributes.data();
}

void XMLCALL onStart(void* userData, const XML_Char* name, const XML_Char** attributes)
{
    auto& state = *static_cast<ParseState*>(userData);
    state.event = true;
    if (state.foreignDepth > 0) {
        ++state.foreignDepth;
        return;
    }
    const bool prefixed = state.namespaces.declare(attributes, ++state.depth);
    const std::string_view local = state.namespaces.element(name);
    if (local.empty()) {
        state.foreignDepth = 1;
        return;
    }
    const char** own = prefixed ? ownAttributes(state, attributes) : attributes;
    guarded(state, [&](XmlSink& sink) { sink.startElement(local, own); });
}

void XMLCALL onEnd(void* userData, const XML_Char* name)
{
    auto& state = *static_cast<ParseState*>(userData);
    state.event = true;
    if (state.foreignDepth > 1) {
        --state.foreignDepth; // inside an element of another namespace
        return;
    }
    if (state.foreignDepth == 1)
        state.foreignDepth = 0; // that element itself ends
    else
        guarded(state, [&](XmlSink& sink) { sink.endElement(state.namespaces.element(name)); });
    state.namespaces.release(state.depth--);
}

void XMLCALL onText(void* userData, const XML_Char* text, int length)
{
    auto& state = *static_cast<ParseState*>(userData);
    state.event = true;
    if (state.foreignDepth == 0)
        guarded(state, [&](XmlSink& sink) { sink.characters(std::string_view(text, size_t(length))); });
}

// Everything without a handler of its own (comments, the XML declaration, blanks around the
// root): only marks that the parser moved on.
void XMLCALL onOther(void* userData, const XML_Char*, int)
{
    static_cast<ParseState*>(userData)->event = true;
}

// Workbook parts never declare a document type; refusing one keeps entity tricks out.
void XMLCALL onDoctype(void* userData, const XML_Char*, const XML_Char*, const XML_Char*, int)
{
    auto* state = static_cast<ParseState*>(userData);
    state->doctype = true;
    XML_StopParser(state->parser, XML_FALSE);
}

class ExpatParser {
public:
    ExpatParser() : m_parser(XML_ParserCreate(nullptr))
    {
        if (!m_parser)
            throw std::bad_alloc();
    }
    ~ExpatParser() { XML_ParserFree(m_parser); }
    ExpatParser(const ExpatParser&) = delete;
    ExpatParser& operator=(const ExpatParser&) = delete;
    XML_Parser get() const { return m_parser; }

private:
    XML_Parser m_parser;
};

class ZipEntry {
public:
    ZipEntry(zip_t* archive, zip_uint64_t index) : m_file(zip_fopen_index(archive, index, 0)) {}
    ~ZipEntry()
    {
        if (m_file)
            zip_fclose(m_file);
    }
    ZipEntry(const ZipEntry&) = delete;
    ZipEntry& operator=(const ZipEntry&) = delete;
    zip_file_t* get() const { return m_file; }

private:
    zip_file_t* m_file;
};

// Damaged compressed data often inflates to garbage before its checksum fails at the end;
// reading on tells a damaged archive from a part that is really malformed. The reading
// stops at the part's ceiling: what lies beyond cannot make the part readable anyway.
bool readsToTheEnd(zip_file_t* file, quint64 budget)
{
    char scratch[1 << 14];
    zip_int64_t n = 0;
    while ((n = zip_fread(file, scratch, sizeof scratch)) > 0) {
        if (quint64(n) >= budget)
            return true;
        budget -= quint64(n);
    }
    return n == 0;
}

template <typename Failure>
Error malformed(zip_file_t* file, quint64 budget, XML_Parser parser, const Failure& failure)
{
    if (!readsToTheEnd(file, budget))
        return failure(QCoreApplication::translate("Readers", "cannot be read: %1").arg(QString::fromLocal8Bit(zip_file_strerror(file))));
    return failure(QCoreApplication::translate("Readers", "is not well-formed XML: %1 (line %2, column %3)")
                       .arg(QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(parser))))
                       .arg(XML_GetCurrentLineNumber(parser))
                       .arg(XML_GetCurrentColumnNumber(parser) + 1));
}

} // namespace

Package::Package(const QString& fileName, const Limits& limits) : m_fileName(fileName), m_limits(limits)
{
    // Opened here rather than by libzip, so that a file that cannot be opened, is no regular
    // file or is too large gets the same message as a text file does; libzip then reads it
    // through the descriptor, with read().
    InputFile input(fileName, kMaxSourceFileBytes, QCoreApplication::translate("Readers", "a workbook"));
    platform::ReadOnlyFile& file = input.file();
    const Start start = startOf(file);
    int zipError = 0;
    m_zip = zip_fdopen(file.descriptor(), 0, &zipError);
    if (m_zip)
        file.release(); // the archive owns the descriptor from here on
    if (!m_zip) {
        if (zipError == ZIP_ER_NOZIP && start == Start::Compound)
            throwNotAWorkbook(fileName, QCoreApplication::translate("Readers", "it is a password-protected workbook or an Excel 97-2003 "
                                                       "workbook, not a zip archive"));
        if (zipError == ZIP_ER_NOZIP && start == Start::Zip)
            throwNotAWorkbook(fileName, QCoreApplication::translate("Readers", "the zip archive is cut short or damaged"));
        zip_error_t error;
        zip_error_init_with_code(&error, zipError);
        const QString reason = QString::fromLocal8Bit(zip_error_strerror(&error));
        zip_error_fini(&error);
        throwNotAWorkbook(fileName, reason);
    }
    const zip_int64_t entries = zip_get_num_entries(m_zip, 0);
    if (entries <= 0) {
        zip_discard(m_zip);
        m_zip = nullptr;
        throwNotAWorkbook(fileName, QCoreApplication::translate("Readers", "the zip archive is empty"));
    }
    for (zip_int64_t i = 0; i < entries; ++i) {
        const char* name = zip_get_name(m_zip, zip_uint64_t(i), ZIP_FL_ENC_RAW);
        if (name && std::strchr(name, '\\'))
            m_backslashNames.emplace(QByteArray(name).replace('\\', '/').toLower(), quint64(i));
    }
}

qint64 Package::locate(const QString& partName) const
{
    const QByteArray name = partName.toUtf8();
    const zip_int64_t index = zip_name_locate(m_zip, name.constData(), ZIP_FL_NOCASE);
    if (index >= 0 || m_backslashNames.empty())
        return index;
    const auto found = m_backslashNames.find(name.toLower());
    return found == m_backslashNames.end() ? -1 : qint64(found->second);
}

Package::~Package()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool Package::hasPart(const QString& partName) const
{
    return locate(partName) >= 0;
}

void Package::parsePart(const QString& partName, XmlSink& sink, quint64 ceiling) const
{
    const auto failure = [&](const QString& what) {
        return Error(QCoreApplication::translate("Readers", "The part \"%1\" of the workbook \"%2\" %3").arg(partName, m_fileName, what));
    };
    const auto tooLarge = [&] {
        return failure(QCoreApplication::translate("Readers", "inflates to more than %1 bytes, the most a part may hold").arg(ceiling));
    };
    const qint64 index = locate(partName);
    if (index < 0)
        throw Error(QCoreApplication::translate("Readers", "The workbook \"%1\" has no part \"%2\"").arg(m_fileName, partName));
    zip_stat_t info;
    if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &info) == 0 && (info.valid & ZIP_STAT_SIZE)
        && info.size > ceiling)
        throw tooLarge();
    const ZipEntry entry(m_zip, zip_uint64_t(index));
    if (!entry.get())
        throw failure(QCoreApplication::translate("Readers", "cannot be read: %1").arg(QString::fromLocal8Bit(zip_strerror(m_zip))));

    const ExpatParser parser;
    ParseState state;
    state.parser = parser.get();
    state.sink = &sink;
    XML_SetUserData(parser.get(), &state);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    XML_SetDefaultHandlerExpand(parser.get(), onOther);
    XML_SetStartDoctypeDeclHandler(parser.get(), onDoctype);

    constexpr int chunk = 1 << 16;
    quint64 inflated = 0;
    quint64 quiet = 0; // bytes fed since the parser last reported anything
    for (;;) {
        void* buffer = XML_GetBuffer(parser.get(), chunk);
        if (!buffer)
            throw std::bad_alloc();
        const zip_int64_t n = zip_fread(entry.get(), buffer, chunk);
        if (n < 0)
            throw failure(QCoreApplication::translate("Readers", "cannot be read: %1")
                              .arg(QString::fromLocal8Bit(zip_file_strerror(entry.get()))));
        inflated += quint64(n);
        m_inflated += quint64(n);
        if (inflated > ceiling)
            throw tooLarge();
        if (m_inflated > m_limits.packageBytes)
            throw Error(QCoreApplication::translate("Readers", "The parts of the workbook \"%1\" inflate to more than %2 bytes "
                                                    "in all, the most a workbook may hold").arg(m_fileName).arg(m_limits.packageBytes));
        state.event = false;
        const bool ok = XML_ParseBuffer(parser.get(), int(n), n == 0) == XML_STATUS_OK;
        quiet = state.event ? 0 : quiet + quint64(n);
        if (state.failure)
            std::rethrow_exception(state.failure);
        if (state.doctype)
            throw failure(QCoreApplication::translate("Readers", "declares a document type, which workbook parts never do"));
        if (!ok)
            throw malformed(entry.get(), ceiling - inflated, parser.get(), failure);
        if (quiet > kMaxTokenBytes)
            throw failure(QCoreApplication::translate("Readers", "holds a single XML token of more than %1 bytes").arg(kMaxTokenBytes));
        if (n == 0)
            return;
    }
}

} // namespace xlsx
