#pragma once
// The platform's "ANSI" code page: what the client library, the error log and text files
// without a byte-order mark are written in. On Linux this is windows-1252
// (AnsiCodePage_posix.cpp); a Windows build names the process's real ANSI code page in
// AnsiCodePage_win.cpp instead. The conversions are the same on both.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace platform {

// A character the code page lacks becomes a stand-in byte: right for the error log, which
// must be written whatever it holds.
QByteArray toAnsi(QStringView text);
// The same, but a character the code page lacks raises UnencodableTextError naming it: a statement must
// reach the database as written, never with a stand-in where a value had a character.
QByteArray toAnsiExact(QStringView text);
QString fromAnsi(QByteArrayView bytes);
// The name of the code page, as QStringConverter knows it.
const char* ansiCodePageName();

// The first character (a whole code point; a lone surrogate counts as one) of text that the
// code page cannot represent, and its offset in code units; offset -1 when there is none.
struct Unencodable {
    qsizetype offset = -1;
    char32_t codePoint = 0;
};
Unencodable firstUnencodable(QStringView text);

} // namespace platform
