#pragma once
// Reading a text source (a product export, a barcode list) into lines.
#include "InputFile.h"
#include "TextLines.h"

#include <QString>
#include <QtGlobal>

// Ceilings that keep a wrong or hostile file from exhausting memory: the file is read
// whole and held as it is, with 8 bytes a line of offsets; ten million lines is far beyond
// any catalogue and bounds the per-line overhead.
constexpr quint64 kMaxTextFileBytes = kMaxSourceFileBytes;
constexpr qsizetype kMaxTextLines = 10'000'000;

// The whole file at once, split at CR LF, lone CR and lone LF; each line is decoded when it
// is read, by the file's byte-order mark (UTF-8, UTF-16 LE, UTF-16 BE) or, without one, in
// the ANSI code page. A break at the very end adds no line; empty lines inside stay; nothing
// is trimmed. Bytes that do not decode, an odd last byte of UTF-16 and unpaired UTF-16
// surrogates read as U+FFFD.
// A file that cannot be read or is no regular file (a pipe, a device) raises Error "Cannot
// open file "NAME". REASON"; a file past either ceiling raises Error "Cannot read "NAME": ...".
TextLines ReadTextFileLines(const QString& fileName);
