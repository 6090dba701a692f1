#pragma once
// The saved error log: the lines of the error list, each followed by CR LF, in the ANSI
// code page and without a byte-order mark, so the target system's tools read it as they
// read every other text file of the shop.
#include <QString>
#include <QStringList>

// Replaces the file with the lines. Raises Error when the file cannot be written; the file
// is then left as it was. An existing device or pipe is written in place, never replaced.
void SaveErrorLog(const QString& fileName, const QStringList& lines);
