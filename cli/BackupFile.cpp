#include "BackupFile.h"

#include "DatabaseConnection.h"
#include "RowPipeline.h"
#include "TableScript.h"
#include "platform/Error.h"
#include "platform/FileAccess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSaveFile>

namespace {

QString cannotWrite(const QString& fileName, const QString& reason)
{
    return QCoreApplication::translate("BackupFile", "Cannot write the backup \"%1\". %2").arg(fileName, reason);
}

} // namespace

qint64 WriteBackupFile(DatabaseConnection& connection, const QString& fileName)
{
    platform::writesPastTheSizeLimitFail();
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(cannotWrite(fileName, file.errorString()));
    const QString heading =
        QStringLiteral("Backup of %1 from %2, %3, written by converter-banco-import before an import. "
                       "To put the table back: isql-fb -i THIS_FILE DATABASE, or "
                       "converter-banco-import --restore THIS_FILE --database DATABASE --yes")
            .arg(ProductTable, connection.Database,
                 QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
    qint64 rows = 0;
    try {
        rows = WriteTableScript(connection, ProductTable, file, heading);
    } catch (const std::exception& e) {
        file.cancelWriting();
        throw Error(cannotWrite(fileName, errorMessage(e)));
    }
    if (!file.commit())
        throw Error(cannotWrite(fileName, file.errorString()));
    return rows;
}
