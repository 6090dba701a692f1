#include "TextLines.h"

#include "platform/AnsiCodePage.h"
#include "platform/Error.h"

#include <QStringDecoder>

#include <cstring>
#include <limits>
#include <optional>

struct TextLines::Held {
    QByteArray bytes;
    TextCoding coding = TextCoding::Utf16Exact;
    std::vector<Span> spans;
    // Opened at the first line that needs it: opening a converter costs more than many lines.
    mutable std::optional<QStringDecoder> decoder;
};

namespace {

constexpr qsizetype kMaxHeldBytes = qsizetype(std::numeric_limits<quint32>::max());

// Stateless: every line is decoded on its own, so a broken sequence at the end of one line
// cannot swallow the start of the next. The file's own byte-order mark lies before the
// first line; a U+FEFF that starts a line is text and stays, hence ConvertInitialBom.
QStringDecoder decoderFor(TextCoding coding)
{
    constexpr auto flags = QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom;
    switch (coding) {
    case TextCoding::Utf8:
        return QStringDecoder(QStringDecoder::Utf8, flags);
    case TextCoding::Utf16LE:
        return QStringDecoder(QStringDecoder::Utf16LE, flags);
    case TextCoding::Utf16BE:
        return QStringDecoder(QStringDecoder::Utf16BE, flags);
    case TextCoding::AnsiCodePage:
    case TextCoding::Utf16Exact:
        break;
    }
    return QStringDecoder(platform::ansiCodePageName(), flags);
}

bool isAscii(QByteArrayView bytes)
{
    for (const char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    return true;
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

TextLines::TextLines(QByteArray bytes, TextCoding coding, std::vector<Span> spans)
{
    if (bytes.size() > kMaxHeldBytes)
        throw Error(QStringLiteral("Text of %1 bytes is too long to be held as lines").arg(bytes.size()));
    for (const Span& s : spans)
        if (s.start > s.end || qsizetype(s.end) > bytes.size())
            throw Error(QStringLiteral("A line lies outside the text it was cut from"));
    auto held = std::make_shared<Held>();
    held->bytes = std::move(bytes);
    held->coding = coding;
    held->spans = std::move(spans);
    m_held = std::move(held);
}

TextLines TextLines::fromStrings(const QStringList& lines)
{
    qsizetype units = 0;
    for (const QString& line : lines)
        units += line.size();
    if (units > kMaxHeldBytes / qsizetype(sizeof(char16_t)))
        throw Error(QStringLiteral("Text of %1 characters is too long to be held as lines").arg(units));
    QByteArray bytes(units * qsizetype(sizeof(char16_t)), Qt::Uninitialized);
    std::vector<Span> spans;
    spans.reserve(size_t(lines.size()));
    quint32 at = 0;
    for (const QString& line : lines) {
        const auto size = quint32(line.size() * qsizetype(sizeof(char16_t)));
        if (size > 0)
            std::memcpy(bytes.data() + at, line.utf16(), size);
        spans.push_back({at, at + size});
        at += size;
    }
    return TextLines(std::move(bytes), TextCoding::Utf16Exact, std::move(spans));
}

TextLines TextLines::blankLines(qsizetype count)
{
    return TextLines(QByteArray(), TextCoding::Utf16Exact, std::vector<Span>(size_t(std::max<qsizetype>(count, 0))));
}

qsizetype TextLines::size() const
{
    return m_held ? qsizetype(m_held->spans.size()) : 0;
}

QString TextLines::line(qsizetype i) const
{
    if (i < 0 || i >= size())
        return {};
    const Held& h = *m_held;
    const Span span = h.spans[size_t(i)];
    QByteArrayView bytes(h.bytes.constData() + span.start, qsizetype(span.end - span.start));
    if (h.coding == TextCoding::Utf16Exact) {
        QString text(bytes.size() / qsizetype(sizeof(char16_t)), Qt::Uninitialized);
        std::memcpy(text.data(), bytes.data(), size_t(text.size()) * sizeof(char16_t));
        return text;
    }
    const bool wide = h.coding == TextCoding::Utf16LE || h.coding == TextCoding::Utf16BE;
    // ASCII reads the same in the code page and in UTF-8, without a converter.
    if (!wide && isAscii(bytes))
        return QString::fromLatin1(bytes);
    if (!h.decoder)
        h.decoder.emplace(decoderFor(h.coding));
    const qsizetype odd = wide ? bytes.size() % 2 : 0; // only the last line of a UTF-16 file
    QString text = h.decoder->decode(bytes.first(bytes.size() - odd));
    if (odd)
        text += QChar::ReplacementCharacter;
    return wide ? withoutLoneSurrogates(std::move(text)) : text;
}

qsizetype TextLines::heldBytes() const
{
    if (!m_held)
        return 0;
    return m_held->bytes.capacity() + qsizetype(m_held->spans.capacity() * sizeof(Span));
}
