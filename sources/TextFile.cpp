#include "TextFile.h"
#include <QCoreApplication>

#include "InputFile.h"
#include "platform/Error.h"

#include <QByteArray>

namespace {

// The one place where this reader touches the file system.
QByteArray readWholeFile(const QString& fileName)
{
    return InputFile(fileName, kMaxTextFileBytes, QCoreApplication::translate("Readers", "a text file")).readAll();
}

struct Encoding {
    TextCoding coding;
    qsizetype bomSize = 0;
    int unitSize = 1;      // bytes per code unit that a line break is made of
    bool bigEndian = false;
};

// The file's own byte-order mark is left out of the first line.
Encoding detectEncoding(const QByteArray& bytes)
{
    const auto starts = [&](const char* bom) { return bytes.startsWith(bom); };
    if (starts("\xEF\xBB\xBF"))
        return {TextCoding::Utf8, 3, 1, false};
    if (starts("\xFF\xFE"))
        return {TextCoding::Utf16LE, 2, 2, false};
    if (starts("\xFE\xFF"))
        return {TextCoding::Utf16BE, 2, 2, true};
    return {TextCoding::AnsiCodePage, 0, 1, false};
}

// The code unit at byte offset i: a byte, or a 16-bit unit in the file's byte order.
char16_t unitAt(const char* data, qsizetype i, const Encoding& enc)
{
    const auto byte = [&](qsizetype k) { return char16_t(static_cast<unsigned char>(data[k])); };
    if (enc.unitSize == 1)
        return byte(i);
    return enc.bigEndian ? char16_t(byte(i) << 8 | byte(i + 1)) : char16_t(byte(i + 1) << 8 | byte(i));
}

// Where the lines lie in the bytes, their breaks left out.
std::vector<TextLines::Span> splitLines(const QByteArray& bytes, const Encoding& enc, const QString& fileName)
{
    const char* data = bytes.constData();
    const qsizetype unit = enc.unitSize;
    // A trailing odd byte of a UTF-16 file belongs to the last line, not to a break.
    const qsizetype end = bytes.size() - (bytes.size() - enc.bomSize) % unit;

    std::vector<TextLines::Span> spans;
    qsizetype lineStart = enc.bomSize;
    qsizetype i = lineStart;
    const auto takeLine = [&](qsizetype lineEnd) {
        if (qsizetype(spans.size()) >= kMaxTextLines)
            throw Error(QCoreApplication::translate("Readers", "Cannot read \"%1\": it has more than %2 lines").arg(fileName).arg(kMaxTextLines));
        spans.push_back({quint32(lineStart), quint32(lineEnd)});
    };
    while (i < end) {
        const char16_t c = unitAt(data, i, enc);
        if (c != u'\r' && c != u'\n') {
            i += unit;
            continue;
        }
        takeLine(i);
        i += unit;
        if (c == u'\r' && i < end && unitAt(data, i, enc) == u'\n')
            i += unit;
        lineStart = i;
    }
    if (lineStart < bytes.size())
        takeLine(bytes.size());
    spans.shrink_to_fit();
    return spans;
}

} // namespace

TextLines ReadTextFileLines(const QString& fileName)
{
    QByteArray bytes = readWholeFile(fileName);
    const Encoding enc = detectEncoding(bytes);
    std::vector<TextLines::Span> spans = splitLines(bytes, enc, fileName);
    return TextLines(std::move(bytes), enc.coding, std::move(spans));
}
