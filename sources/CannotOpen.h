#pragma once
// A source file that cannot be opened or read as a file at all (missing, a folder, no
// access): the one message every reader gives, with the system's reason.
#include <QString>

[[noreturn]] void throwCannotOpen(const QString& fileName, const QString& reason);
[[noreturn]] void throwCannotOpen(const QString& fileName, int systemError);
