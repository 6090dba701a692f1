#pragma once
// Things in the file system that are not regular files, for the tests of what the readers
// and the error log do with them.
#include <QString>

// Makes a named pipe (mkfifo(1)); false where the system has none or it cannot be made.
bool makeNamedPipe(const QString& path);
// True when the name exists and is neither a regular file nor a folder: a device or a pipe
// that was not replaced by a file.
bool isNonRegularFile(const QString& path);
