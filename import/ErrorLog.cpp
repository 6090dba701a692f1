#include "ErrorLog.h"

#include "ConnectParameters.h"

#include "platform/AnsiCodePage.h"
#include "platform/Error.h"
#include "platform/FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

// A device or a pipe is written in place: there is nothing to rename over it, and a temp
// file renamed over /dev/full would replace the device with a regular file.
void saveToDevice(const QString& fileName, const QByteArray& bytes)
{
    QFile file;
    QString reason;
    if (!platform::openDeviceForWriting(file, fileName, &reason))
        raiseCannotCreate(fileName, reason);
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
        if (platform::sameFile(logName, file.path))
            throw Error(QStringLiteral("O log de erros não será gravado em \"%1\": esse arquivo é %2.")
                            .arg(logName, file.what));
}
