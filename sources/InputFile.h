#pragma once
// A source file opened for reading: a product export, a barcode list or a workbook. Only a
// regular file is read (platform::ReadOnlyFile refuses a named pipe, which would block the
// reader for as long as nothing writes to it, and a device such as /dev/zero, which never
// ends), and never past a size ceiling. It is read with read(), never mapped: a file cut
// short while it is read (a copy still running, a network share that drops) then reads
// short and fails with a message, where a mapping would kill the process.
#include "platform/FileAccess.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// No source is read past this size, whatever kind of file it is: far beyond any catalogue,
// and small enough that holding it (and its decoded text) stays within a desktop's memory.
constexpr quint64 kMaxSourceFileBytes = quint64(1) << 30;

class InputFile {
public:
    // Raises Error "Cannot open file "NAME". REASON" when the file cannot be opened or is not
    // a regular file, and Error "Cannot read "NAME": WHAT of more than N bytes is not read"
    // when it is larger than maxBytes; what names the kind of file ("a text file").
    InputFile(const QString& fileName, quint64 maxBytes, const QString& what);

    // The size the file had when it was opened.
    quint64 size() const { return m_file.size(); }
    // The whole file, as far as it reaches now; the ceiling holds here too, for a file that
    // grew since it was opened. Raises Error on a read error.
    QByteArray readAll();
    // The open file, for a library that reads it itself through its descriptor (libzip).
    platform::ReadOnlyFile& file() { return m_file; }

private:
    [[noreturn]] void throwTooLarge() const;

    platform::ReadOnlyFile m_file;
    quint64 m_maxBytes;
    QString m_fileName;
    QString m_what;
};
