#include "platform/FileAccess.h"

#include "platform/Error.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

[[noreturn]] void throwCannotOpen(const QString& fileName, const QString& reason)
{
    throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason));
}

// Why a file of this kind is not read; empty for a regular file. A folder opens fine and
// only fails to read; it gets the reason the read would have given.
QString refusal(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return systemReason(EISDIR);
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("FileAccess", "It is a named pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("FileAccess", "It is a device, not a regular file");
    return QCoreApplication::translate("FileAccess", "It is not a regular file");
}

} // namespace

// Opened without waiting, so that a named pipe with no writer is refused at once instead of
// holding the open until something writes to it; only a regular file is kept, so that no
// reader has to find out later.
ReadOnlyFile::ReadOnlyFile(const QString& fileName) : m_fileName(fileName)
{
    m_fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_fd < 0)
        throwCannotOpen(fileName, systemReason(errno));
    struct stat info {};
    QString reason = ::fstat(m_fd, &info) != 0 ? systemReason(errno) : refusal(info.st_mode);
    if (reason.isEmpty() && ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK) != 0)
        reason = systemReason(errno);
    if (!reason.isEmpty()) {
        ::close(m_fd);
        throwCannotOpen(fileName, reason);
    }
    m_size = info.st_size > 0 ? quint64(info.st_size) : 0;
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

qint64 ReadOnlyFile::read(char* buffer, qint64 n)
{
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, size_t(n));
        if (got >= 0)
            return got;
        if (errno != EINTR)
            throwCannotOpen(m_fileName, systemReason(errno));
    }
}

qint64 ReadOnlyFile::readAt(quint64 offset, char* buffer, qint64 n) const
{
    return ::pread(m_fd, buffer, size_t(n), off_t(offset));
}

int ReadOnlyFile::release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

bool openDeviceForWriting(QFile& file, const QString& fileName, QString* reason)
{
    const int fd = ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        *reason = systemReason(errno);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFile::AutoCloseHandle)) {
        ::close(fd);
        *reason = file.errorString();
        return false;
    }
    return true;
}

// stat() follows links, and device and inode also catch a hard link.
bool sameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0
        || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

void writesPastTheSizeLimitFail()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace platform
