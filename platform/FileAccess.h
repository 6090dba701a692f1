#pragma once
// Reading a file and opening a device without waiting, through the platform's own calls so
// that a failure carries the system's reason in the system's words ("Is a directory",
// "Permission denied"). FileAccess_posix.cpp implements it here; a Windows build adds
// FileAccess_win.cpp (CreateFileW, or _wopen where libzip wants a descriptor).
#include <QString>
#include <QtGlobal>

class QFile;

namespace platform {

// One regular file opened for reading. Every failure, a folder, a named pipe or a device
// included, raises Error("Cannot open file \"NAME\". REASON"): one message for every reader.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString& fileName);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    // The size the system reported when the file was opened (a pipe or a growing file may
    // hold more or less).
    quint64 size() const { return m_size; }
    // The next bytes, at most n; 0 at the end.
    qint64 read(char* buffer, qint64 n);
    // Bytes from a given offset without moving the read position; -1 when they cannot be read.
    qint64 readAt(quint64 offset, char* buffer, qint64 n) const;
    // The C runtime descriptor, for a library that reads it itself (libzip); release() hands
    // it over, and this object no longer closes it.
    int descriptor() const { return m_fd; }
    int release();

private:
    QString m_fileName;
    int m_fd = -1;
    quint64 m_size = 0;
};

// Opens a device or a named pipe for writing, unbuffered, into file. A pipe that nobody
// reads would block an ordinary open for ever, so it is opened without waiting and refused
// when no reader is there. False with the system's reason in *reason when it fails.
bool openDeviceForWriting(QFile& file, const QString& fileName, QString* reason);

// True when both names exist and name the same file, also through a symbolic link, another
// spelling of the path or a hard link.
bool sameFile(const QString& a, const QString& b);

// From now on a write past the file-size limit of the process fails as an error of that write
// ("File too large") instead of ending the process half-way through the file.
void writesPastTheSizeLimitFail();

} // namespace platform
