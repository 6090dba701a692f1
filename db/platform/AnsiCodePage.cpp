#include "platform/AnsiCodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform {

const char* ansiCodePageName() { return "windows-1252"; }

QByteArray toAnsi(QStringView text)
{
    QStringEncoder encoder(ansiCodePageName());
    return encoder.encode(text);
}

QString fromAnsi(QByteArrayView bytes)
{
    QStringDecoder decoder(ansiCodePageName());
    return decoder.decode(bytes);
}

} // namespace platform
