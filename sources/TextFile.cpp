#include "TextFile.h"
#include <QCoreApplication>

#include "InputFile.h"
#include "platform/AnsiCodePage.h"
#include "platform/Error.h"

#include <QByteArray>
#include <QStringDecoder>

#include <algorithm>

namespace {

// The one place where this reader touches the file system.
QByteArray readWholeFile(const QString& fileName)
{
    return InputFile(fileName, kMaxTextFileBytes, QCoreApplication::translate("Readers", "a text file")).readAll();
}

struct Encoding {
    QStringDecoder decoder;
    qsizetype bomSize = 0;
    int unitSize = 1;      // bytes per code unit that a line break is made of
    bool bigEndian = false;
};

// The file's own byte-order mark is dropped here; a U+FEFF inside a line is text and stays,
// hence ConvertInitialBom. Stateless: every line is decoded on its own, so a broken sequence
// at the end of one line cannot swallow the start of the next.
Encoding detectEncoding(const QByteArray& bytes)
{
    constexpr auto flags = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
    const auto starts = [&](const char* bom) { return bytes.startsWith(bom); };
    if (starts("\xEF\xBB\xBF"))
        return {QStringDecoder(QStringDecoder::Utf8, flags), 3, 1, false};
    if (starts("\xFF\xFE"))
        return {QStringDecoder(QStringDecoder::Utf16LE, flags), 2, 2, false};
    if (starts("\xFE\xFF"))
        return {QStringDecoder(QStringDecoder::Utf16BE, flags), 2, 2, true};
    return {QStringDecoder(platform::ansiCodePageName(), flags), 0, 1, false};
}

// The code unit at byte offset i: a byte, or a 16-bit unit in the file's byte order.
char16_t unitAt(const char* data, qsizetype i, const Encoding& enc)
{
    const auto byte = [&](qsizetype k) { return char16_t(static_cast<unsigned char>(data[k])); };
    if (enc.unitSize == 1)
        return byte(i);
    return enc.bigEndian ? char16_t(byte(i) << 8 | byte(i + 1)) : char16_t(byte(i + 1) << 8 | byte(i));
}

// UTF-16 decoding passes unpaired surrogates through; they would reach the database as
// invalid text, so each becomes U+FFFD as any other undecodable unit does.
QString withoutLoneSurrogates(QString text)
{
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (!c.isSurrogate())
            continue;
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate())
            ++i;
        else
            text[i] = QChar::ReplacementCharacter;
    }
    return text;
}

} // namespace

QStringList ReadTextFileLines(const QString& fileName)
{
    const QByteArray bytes = readWholeFile(fileName);
    Encoding enc = detectEncoding(bytes);
    const char* data = bytes.constData();
    const qsizetype unit = enc.unitSize;
    // A trailing odd byte of a UTF-16 file belongs to the last line, not to a break.
    const qsizetype end = bytes.size() - (bytes.size() - enc.bomSize) % unit;

    QStringList lines;
    qsizetype lineStart = enc.bomSize;
    qsizetype i = lineStart;
    const auto takeLine = [&](qsizetype lineEnd) {
        if (lines.size() >= kMaxTextLines)
            throw Error(QCoreApplication::translate("Readers", "Cannot read \"%1\": it has more than %2 lines").arg(fileName).arg(kMaxTextLines));
        const qsizetype odd = (lineEnd - lineStart) % unit; // only the last line of UTF-16
        QString text = enc.decoder.decode(QByteArrayView(data + lineStart, lineEnd - lineStart - odd));
        if (odd)
            text += QChar::ReplacementCharacter;
        // The decoder reserves room for the worst case (twice the line, for the code page);
        // a million lines kept at that size would hold twice the memory they need.
        text.squeeze();
        lines.append(unit == 2 ? withoutLoneSurrogates(std::move(text)) : std::move(text));
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
    return lines;
}
