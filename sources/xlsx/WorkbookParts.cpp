#include "WorkbookParts.h"
#include <QCoreApplication>

#include "platform/Error.h"

#include <QUrl>

#include <algorithm>
#include <cstdlib>
#include <map>

namespace xlsx {

bool hasType(const Relationship& relationship, QStringView kind)
{
    const QStringView type(relationship.type);
    return type.endsWith(kind) && type.size() > kind.size() && type.at(type.size() - kind.size() - 1) == u'/';
}

namespace {

QString folderOf(const QString& partName)
{
    const qsizetype slash = partName.lastIndexOf(u'/');
    return slash < 0 ? QString() : partName.left(slash + 1);
}

// A target is relative to the folder of its source part, or absolute from the package root.
QString resolveTarget(const QString& sourceFolder, const QString& target)
{
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    QStringList parts;
    const QString path = decoded.startsWith(u'/') ? decoded : sourceFolder + decoded;
    for (const QString& piece : path.split(u'/', Qt::SkipEmptyParts)) {
        if (piece == QLatin1String("..")) {
            if (!parts.isEmpty())
                parts.removeLast();
        }
        else if (piece != QLatin1String("."))
            parts.append(piece);
    }
    return parts.join(u'/');
}

QString text(const char* value) { return value ? QString::fromUtf8(value) : QString(); }

class RelationshipSink : public XmlSink {
public:
    RelationshipSink(QString folder, std::vector<Relationship>& out) : m_folder(std::move(folder)), m_out(out) {}
    void startElement(std::string_view name, const char** attributes) override
    {
        if (name != "Relationship")
            return;
        const char* mode = attribute(attributes, "TargetMode");
        if (mode && std::string_view(mode) == "External")
            return;
        m_out.push_back({text(attribute(attributes, "Id")), text(attribute(attributes, "Type")),
                         resolveTarget(m_folder, text(attribute(attributes, "Target")))});
    }
    void endElement(std::string_view) override {}
    void characters(std::string_view) override {}

private:
    QString m_folder;
    std::vector<Relationship>& m_out;
};

} // namespace

std::vector<Relationship> readRelationships(const Package& package, const QString& partName)
{
    const QString folder = folderOf(partName);
    const QString relsPart = folder + QStringLiteral("_rels/") + partName.mid(folder.size()) + QStringLiteral(".rels");
    std::vector<Relationship> out;
    if (!package.hasPart(relsPart))
        return out;
    RelationshipSink sink(folder, out);
    package.parsePart(relsPart, sink);
    return out;
}

namespace {

// The package relationships only say where the workbook part is; when they are damaged
// the part is looked for where every writer puts it.
std::vector<Relationship> packageRelationships(const Package& package)
{
    try {
        return readRelationships(package, QString());
    } catch (const Error&) {
        return {};
    }
}

} // namespace

QString findWorkbookPart(const Package& package)
{
    QString part = QStringLiteral("xl/workbook.xml");
    for (const Relationship& r : packageRelationships(package))
        if (hasType(r, u"officeDocument") && package.hasPart(r.target)) {
            part = r.target;
            break;
        }
    // Any zip would otherwise get this far (a .docx, an archive of exports) and fail later
    // with a message about a missing part, as if the workbook were damaged.
    if (!package.hasPart(part))
        throw Error(QStringLiteral("\"%1\" is not an .xlsx workbook (the zip archive holds no workbook part)")
                        .arg(package.fileName()));
    return part;
}

namespace {

bool isTrue(const char* value)
{
    return value && (std::string_view(value) == "1" || std::string_view(value) == "true");
}

class WorkbookSink : public XmlSink {
public:
    explicit WorkbookSink(WorkbookInfo& out) : m_out(out) {}
    void startElement(std::string_view name, const char** attributes) override
    {
        if (name == "workbookPr")
            m_out.date1904 = isTrue(attribute(attributes, "date1904"));
        else if (name == "sheets")
            m_inSheets = true;
        else if (name == "sheet" && m_inSheets)
            m_out.sheetIds.append(text(attribute(attributes, "id")));
    }
    void endElement(std::string_view name) override
    {
        if (name == "sheets")
            m_inSheets = false;
    }
    void characters(std::string_view) override {}

private:
    WorkbookInfo& m_out;
    bool m_inSheets = false;
};

} // namespace

WorkbookInfo readWorkbook(const Package& package, const QString& partName)
{
    WorkbookInfo info;
    WorkbookSink sink(info);
    package.parsePart(partName, sink);
    return info;
}

namespace {

int number(const char* value) { return value ? std::atoi(value) : 0; }

// numFmts come before cellXfs in a styles part, but nothing here depends on that: the kinds
// are worked out once both are read. Only cellXfs counts; cellStyleXfs holds <xf> too. The
// differential formats of conditional formatting (<dxfs>) carry <numFmt>s of their own,
// which say nothing about a cell's stored format.
class StylesSink : public XmlSink {
public:
    void startElement(std::string_view name, const char** attributes) override
    {
        if (name == "numFmt" && m_in == Section::NumFmts)
            m_codes[number(attribute(attributes, "numFmtId"))] = text(attribute(attributes, "formatCode"));
        else if (name == "xf" && m_in == Section::CellXfs)
            m_formatIds.push_back(number(attribute(attributes, "numFmtId")));
        else if (name == "numFmts")
            m_in = Section::NumFmts;
        else if (name == "cellXfs")
            m_in = Section::CellXfs;
    }
    void endElement(std::string_view name) override
    {
        if (name == "numFmts" || name == "cellXfs")
            m_in = Section::Other;
    }
    void characters(std::string_view) override {}

    std::vector<celltext::FormatKind> kinds() const
    {
        std::vector<celltext::FormatKind> out;
        out.reserve(m_formatIds.size());
        for (int id : m_formatIds) {
            const auto code = m_codes.find(id);
            out.push_back(celltext::classifyFormat(id, code == m_codes.end() ? QString() : code->second));
        }
        return out;
    }

private:
    std::map<int, QString> m_codes;
    std::vector<int> m_formatIds;
    enum class Section { Other, NumFmts, CellXfs } m_in = Section::Other;
};

} // namespace

std::vector<celltext::FormatKind> readCellFormats(const Package& package, const QString& partName)
{
    if (!package.hasPart(partName))
        return {}; // every cell has the general format
    StylesSink sink;
    package.parsePart(partName, sink);
    return sink.kinds();
}

void RichText::begin()
{
    m_utf8.clear();
    m_phoneticDepth = 0;
    m_inText = false;
}

void RichText::startElement(std::string_view name)
{
    if (name == "rPh")
        ++m_phoneticDepth;
    else if (name == "t" && m_phoneticDepth == 0)
        m_inText = true;
}

void RichText::endElement(std::string_view name)
{
    if (name == "rPh")
        --m_phoneticDepth;
    else if (name == "t")
        m_inText = false;
}

bool RichText::characters(std::string_view text)
{
    if (!m_inText)
        return true;
    if (m_utf8.size() + text.size() > kMaxTextBytes)
        return false;
    m_utf8.append(text);
    return true;
}

QString RichText::take()
{
    // Looked for in the bytes first: most strings have no "_x" escape, and the search is
    // cheaper there than in the decoded text.
    QString text = QString::fromUtf8(m_utf8.data(), qsizetype(m_utf8.size()));
    QString out = m_utf8.find("_x") == std::string::npos ? std::move(text) : decodeEscapes(std::move(text));
    m_utf8.clear();
    return out;
}

namespace {

class SharedStringsSink : public XmlSink {
public:
    SharedStringsSink(std::vector<QString>& out, TextBudget& budget) : m_out(out), m_budget(budget) {}
    void startElement(std::string_view name, const char** attributes) override
    {
        if (name == "si") {
            m_inItem = true;
            m_item.begin();
        } else if (m_inItem) {
            m_item.startElement(name);
        } else if (name == "sst") {
            // The declared count only sizes the vector; a lying one costs nothing.
            const char* declared = attribute(attributes, "uniqueCount");
            const long long count = declared ? std::atoll(declared) : 0;
            m_out.reserve(size_t(std::clamp(count, 0LL, 1LL << 20)));
        }
    }
    void endElement(std::string_view name) override
    {
        if (name == "si") {
            m_inItem = false;
            if (m_out.size() >= kMaxSharedStrings)
                throw Error(QCoreApplication::translate("Readers", "The workbook has more than %1 shared strings").arg(kMaxSharedStrings));
            QString item = m_item.take();
            m_budget.charge(item);
            m_out.push_back(std::move(item));
        } else if (m_inItem) {
            m_item.endElement(name);
        }
    }
    void characters(std::string_view text) override
    {
        if (m_inItem && !m_item.characters(text))
            throw Error(QCoreApplication::translate("Readers", "Shared string %1 of the workbook is longer than %2 bytes")
                            .arg(m_out.size()).arg(kMaxTextBytes));
    }

private:
    std::vector<QString>& m_out;
    TextBudget& m_budget;
    RichText m_item;
    bool m_inItem = false;
};

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// The code of an escape _xHHHH_ starting at i, or -1.
int escapeAt(const QString& text, qsizetype i)
{
    if (i + 7 > text.size() || text.at(i) != u'_' || text.at(i + 1) != u'x' || text.at(i + 6) != u'_')
        return -1;
    int code = 0;
    for (qsizetype k = i + 2; k < i + 6; ++k) {
        const int digit = hexValue(text.at(k));
        if (digit < 0)
            return -1;
        code = code * 16 + digit;
    }
    return code;
}

} // namespace

void TextBudget::charge(const QString& text)
{
    m_used += quint64(text.size()) * sizeof(QChar);
    if (m_used > m_limit)
        throw Error(QCoreApplication::translate("Readers", "The texts of the workbook take more than %1 bytes, the most a workbook may hold")
                        .arg(m_limit));
}

std::vector<QString> readSharedStrings(const Package& package, const QString& partName, TextBudget& budget)
{
    std::vector<QString> out;
    if (!package.hasPart(partName))
        return out; // a cell that refers to one is refused where it is read
    SharedStringsSink sink(out, budget);
    package.parsePart(partName, sink, package.limits().partBytes);
    return out;
}

QString decodeEscapes(QString text)
{
    if (!text.contains(QLatin1String("_x")))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int code = escapeAt(text, i);
        if (code < 0) {
            out += text.at(i);
            continue;
        }
        out += QChar(char16_t(code));
        i += 6;
    }
    return out;
}

} // namespace xlsx
