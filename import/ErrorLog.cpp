#include "ErrorLog.h"

#include "platform/AnsiCodePage.h"
#include "platform/Error.h"

#include <QSaveFile>

namespace {

[[noreturn]] void raiseCannotCreate(const QString& fileName, const QString& reason)
{
    throw Error(QStringLiteral("Cannot create file \"%1\". %2").arg(fileName, reason));
}

} // namespace

void SaveErrorLog(const QString& fileName, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines) {
        // Database messages carry their own CRs between lines; they stay as they are.
        bytes += platform::toAnsi(line);
        bytes += "\r\n";
    }
    // Written aside and renamed over the old file, so a failed write never leaves half a log.
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
