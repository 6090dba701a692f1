#pragma once
// A source file opened for reading: a product export, a barcode list or a workbook. Only a
// regular file is read: a named pipe would block the reader for as long as nothing writes
// to it, and a device such as /dev/zero never ends. The file is read with read(), never
// mapped: a file cut short while it is read (a copy still running, a network share that
// drops) then reads short and fails with a message, where a mapping would kill the process.
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
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // The size the file had when it was opened.
    quint64 size() const { return m_size; }
    // The whole file, as far as it reaches now; the ceiling holds here too, for a file that
    // grew since it was opened. Raises Error on a read error.
    QByteArray readAll();
    // Hands the open descriptor to a new owner (a library that reads the file itself).
    int release();

private:
    [[noreturn]] void throwTooLarge() const;

    int m_fd = -1;
    quint64 m_size = 0;
    quint64 m_maxBytes;
    QString m_fileName;
    QString m_what;
};
