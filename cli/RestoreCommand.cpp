#include "RestoreCommand.h"

#include "DatabaseConnection.h"
#include "RowPipeline.h"
#include "TableScript.h"
#include "platform/Error.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray readScript(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QCoreApplication::translate("RestoreCommand", "Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QCoreApplication::translate("RestoreCommand", "Cannot read \"%1\". %2").arg(fileName, file.errorString()));
    return bytes;
}

} // namespace

ExitCode runRestoreCommand(const CliOptions& options)
{
    const QByteArray script = readScript(options.tools.restore);
    DatabaseConnection connection;
    connectTo(connection, options.connection);
    const qint64 rows = PlayTableScript(connection, ProductTable, script);
    const QString what = (rows == 1 ? QCoreApplication::translate("RestoreCommand", "%1 row of %2 from %3")
                                    : QCoreApplication::translate("RestoreCommand", "%1 rows of %2 from %3"))
                             .arg(QString::number(rows), ProductTable,
                                  QFileInfo(options.tools.restore).absoluteFilePath());
    if (options.dryRun) {
        connection.Rollback();
        printText(stdout, QCoreApplication::translate("RestoreCommand", "Dry run: %1 went back in and were rolled back; "
                                                                     "the database is unchanged.\n").arg(what));
    } else {
        connection.Commit();
        printText(stdout, QCoreApplication::translate("RestoreCommand", "Restored %1.\n").arg(what));
    }
    return AllImported;
}
