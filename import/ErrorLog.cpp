#include "ErrorLog.h"

#include "ConnectParameters.h"

#include "platform/AnsiCodePage.h"
#include "platform/Error.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
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

namespace {

// The same file: stat() follows links, and device and inode also catch a hard link.
bool sameFile(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
#ifdef Q_OS_UNIX
    struct stat sa {};
    struct stat sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0
        || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
#else
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca.compare(QFileInfo(b).canonicalFilePath(), Qt::CaseInsensitive) == 0;
#endif
}

} // namespace

QString BoundedLogLine(const QString& line)
{
    if (line.size() <= MaxLogLineLength)
        return line;
    const QString mark = QStringLiteral(" [...] (linha cortada: tinha %1 caracteres)").arg(line.size());
    return line.left(MaxLogLineLength - mark.size()) + mark;
}

QList<RunFile> RunFilesOf(const QString& database, const QString& source, const QString& barcodeList)
{
    QList<RunFile> files;
    if (!database.isEmpty())
        files.append({connectparams::databasePath(database), QStringLiteral("o banco de dados")});
    if (!source.isEmpty())
        files.append({source, QStringLiteral("o arquivo de origem")});
    if (!barcodeList.isEmpty())
        files.append({barcodeList, QStringLiteral("a lista de códigos de barras")});
    return files;
}

void RefuseLogOver(const QString& logName, const QList<RunFile>& files)
{
    for (const RunFile& file : files)
        if (sameFile(logName, file.path))
            throw Error(QStringLiteral("O log de erros não será gravado em \"%1\": esse arquivo é %2.")
                            .arg(logName, file.what));
}
