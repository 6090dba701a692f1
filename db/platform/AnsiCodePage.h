#pragma once
// The platform's "ANSI" code page: what the client library, the error log and text files
// without a byte-order mark are written in. On Linux this is windows-1252; a Windows build
// would use the process's real ANSI code page here instead.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace platform {

QByteArray toAnsi(QStringView text);
QString fromAnsi(QByteArrayView bytes);
// The name of the code page, as QStringConverter knows it.
const char* ansiCodePageName();

} // namespace platform
