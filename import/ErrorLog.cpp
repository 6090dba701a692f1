#include "ErrorLog.h"

#include "platform/AnsiCodePage.h"
#include "platform/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

[[noreturn]] void raiseCannotCreate(const QString& fileName, const QString& reason)
{
    throw Error(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason));
}

QByteArray logBytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        // Database messages carry their own CRs between lines; they stay as they are.
        bytes += platform::toAnsi(line);
        bytes += "\r\n";
    }
    return bytes;
}

// Written aside and renamed over the old file, so a failed write never leaves half a log.
void saveRegularFile(const QString& fileName, const QByteArray& bytes)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        raiseCannotCreate(fileName, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        raiseCannotCreate(fileName, reason);
    }
    if (!file.commit())
        raiseCannotCreate(fileName, file.errorString());
}

// Opens a device or a pipe for writing. A pipe that nobody reads would block the open
// for ever, so it is opened without waiting and refused when no reader is there.
void openDirect(QFile& file, const QString& fileName)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(fileName).constData(),
                          O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        raiseCannotCreate(fileName, QString::fromLocal8Bit(std::strerror(errno)));
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFile::AutoCloseHandle)) {
        ::close(fd);
        raiseCannotCreate(fileName, file.errorString());
    }
#else
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        raiseCannotCreate(fileName, file.errorString());
#endif
}

// A device or a pipe is written in place: there is nothing to rename over it, and a temp
// file renamed over /dev/full would replace the device with a regular file.
void saveToDevice(const QString& fileName, const QByteArray& bytes)
{
    QFile file;
    openDirect(file, fileName);
    if (file.write(bytes) != bytes.size())
        raiseCannotCreate(fileName, file.errorString());
    file.close();
}

} // namespace

void SaveErrorLog(const QString& fileName, const QStringList& lines)
{
    const QByteArray bytes = logBytes(lines);
    const QFileInfo target(fileName);
    if (target.exists() && !target.isFile() && !target.isDir())
        saveToDevice(fileName, bytes);
    else
        saveRegularFile(fileName, bytes);
}
