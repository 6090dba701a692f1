#include "platform/AnsiCodePage.h"

#include "platform/Error.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

namespace {

bool isAscii(QStringView text)
{
    for (QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

bool isAscii(QByteArrayView bytes)
{
    for (char b : bytes)
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    return true;
}

} // namespace

// ASCII is the same in the code page; only other text needs a converter, whose opening
// costs more than a whole insert statement's conversion.
QByteArray toAnsi(QStringView text)
{
    if (isAscii(text))
        return text.toLatin1();
    QStringEncoder encoder(ansiCodePageName());
    return encoder.encode(text);
}

QString fromAnsi(QByteArrayView bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(ansiCodePageName());
    return decoder.decode(bytes);
}

namespace {

bool roundTrips(QStringView text, const QByteArray& bytes)
{
    return fromAnsi(bytes) == text;
}

} // namespace

// Only a text that does not survive the round trip is walked character by character, so
// the usual case costs one extra decode.
Unencodable firstUnencodable(QStringView text)
{
    if (roundTrips(text, toAnsi(text)))
        return {};
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QStringView one = text.mid(i, pair ? 2 : 1);
        if (!roundTrips(one, toAnsi(one)))
            return {i, pair ? QChar::surrogateToUcs4(one[0], one[1]) : char32_t(one[0].unicode())};
        i += one.size();
    }
    return {};
}

QByteArray toAnsiExact(QStringView text)
{
    if (isAscii(text))
        return text.toLatin1();
    QByteArray bytes = toAnsi(text);
    if (roundTrips(text, bytes))
        return bytes;
    const Unencodable bad = firstUnencodable(text);
    if (bad.offset < 0)
        return bytes;
    const bool printable = !QChar::isSurrogate(bad.codePoint) && QChar::isPrint(bad.codePoint);
    const QString shown = printable ? QStringLiteral("\"%1\" ").arg(QString::fromUcs4(&bad.codePoint, 1)) : QString();
    throw UnencodableTextError(
        QStringLiteral("The character %1(U+%2) cannot be written in the %3 code page the "
                       "database is sent text in; the statement was not sent")
            .arg(shown, QString::number(bad.codePoint, 16).toUpper().rightJustified(4, u'0'),
                 QString::fromLatin1(ansiCodePageName())));
}

} // namespace platform
