#include "InputFile.h"

#include "CannotOpen.h"
#include "platform/Error.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

// Why a file of this kind is not read; empty for a regular file. A folder keeps the
// system's own reason, as reading one would give it.
QString refusal(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    if (S_ISDIR(mode))
        return systemReason(EISDIR);
    if (S_ISFIFO(mode))
        return QStringLiteral("It is a named pipe, not a regular file");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("It is a device, not a regular file");
    return QStringLiteral("It is not a regular file");
}

} // namespace

// Opened without blocking, so that a named pipe with no writer is refused at once instead of
// holding the open until something writes to it.
InputFile::InputFile(const QString& fileName, quint64 maxBytes, const QString& what)
    : m_maxBytes(maxBytes), m_fileName(fileName), m_what(what)
{
    m_fd = ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (m_fd < 0)
        throwCannotOpen(fileName, errno);
    struct stat info {};
    QString reason = ::fstat(m_fd, &info) != 0 ? systemReason(errno) : refusal(info.st_mode);
    if (reason.isEmpty() && ::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK) != 0)
        reason = systemReason(errno);
    if (!reason.isEmpty()) {
        ::close(m_fd);
        throwCannotOpen(fileName, reason);
    }
    m_size = quint64(info.st_size);
    if (m_size > maxBytes) {
        ::close(m_fd);
        throwTooLarge();
    }
}

InputFile::~InputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int InputFile::release()
{
    return std::exchange(m_fd, -1);
}

void InputFile::throwTooLarge() const
{
    throw Error(QStringLiteral("Cannot read \"%1\": %2 of more than %3 bytes is not read")
                    .arg(m_fileName, m_what)
                    .arg(m_maxBytes));
}

QByteArray InputFile::readAll()
{
    QByteArray bytes;
    bytes.reserve(qsizetype(std::min(m_size, m_maxBytes)));
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throwCannotOpen(m_fileName, errno);
        if (n == 0)
            return bytes;
        if (quint64(bytes.size()) + quint64(n) > m_maxBytes)
            throwTooLarge();
        // Grown here, not by append's own rule, so that it never holds more than the ceiling.
        if (bytes.capacity() < bytes.size() + n)
            bytes.reserve(qsizetype(std::min(m_maxBytes, std::max(quint64(bytes.size()) * 2, quint64(1) << 20))));
        bytes.append(chunk, qsizetype(n));
    }
}
