#pragma once
// How a database path (the attach string) reaches the client library. It is a file name, so
// it travels in the file system's encoding, not in the ANSI code page that statements, the
// user name, the password and the error log use: on Linux the client library takes UTF-8,
// and a folder named "são joão" must reach it as the bytes the file system holds. One unit
// per platform implements it: ClientFileName_posix.cpp here; a Windows build would give the
// ANSI code page (or the library's UTF-8 file name item) in ClientFileName_win.cpp.
#include "platform/AnsiCodePage.h"

#include <QByteArray>
#include <QStringView>

namespace platform {

// The name of the encoding, as QStringConverter knows it.
const char* clientFileNameEncoding();
// The first character of the name that the encoding cannot carry; offset -1 when none.
Unencodable firstUnencodableInFileName(QStringView name);
// The bytes of the name in that encoding (check firstUnencodableInFileName first).
QByteArray toClientFileName(QStringView name);
// One line of the client library's message text. The library copies file names into its
// messages as the file system holds them and everything else (values, names of the
// database's objects) in the ANSI code page, so a line that names a file in another
// encoding is read in that encoding; otherwise the line is ANSI.
QString fromEngineMessage(QByteArrayView line);

} // namespace platform
