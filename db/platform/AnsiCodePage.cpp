#include "platform/AnsiCodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

const char* ansiCodePageName() { return "windows-1252"; }

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

} // namespace platform
