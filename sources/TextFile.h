#pragma once
// Reading a text source (a product export, a barcode list) into lines.
#include <QString>
#include <QStringList>

// The whole file at once, decoded by its byte-order mark (UTF-8, UTF-16 LE, UTF-16 BE) or,
// without one, in the ANSI code page, and split at CR LF, lone CR and lone LF. A break at
// the very end adds no line; empty lines inside stay; nothing is trimmed.
// A file that cannot be read raises Error "Cannot open file "NAME". REASON".
QStringList ReadTextFileLines(const QString& fileName);
