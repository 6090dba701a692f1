#include "RunExtras.h"

#include "BackupFile.h"
#include "FullImportRun.h"
#include "ProductRow.h"
#include "RowPipeline.h"

#include <QCoreApplication>
#include <QFileInfo>

void RunExtras::attach(ImportContext& context, DatabaseConnection& connection)
{
    context.rowFailed = [this](int rowNumber, const ProductRow& row, const QString& message) {
        m_causes.add(rowNumber, row, message);
    };
    if (m_options.tools.backup.isEmpty())
        return;
    context.beforeWipe = [this, &connection] {
        m_backupRows = WriteBackupFile(connection, m_options.tools.backup);
    };
}

QString RunExtras::summary() const
{
    QString text;
    if (m_backupRows >= 0)
        text += (m_backupRows == 1 ? QCoreApplication::translate("RunExtras", "Backup: %1 (%2 row of %3)\n")
                                   : QCoreApplication::translate("RunExtras", "Backup: %1 (%2 rows of %3)\n"))
                    .arg(QFileInfo(m_options.tools.backup).absoluteFilePath(), QString::number(m_backupRows),
                         ProductTable);
    if (!m_options.tools.report.isEmpty())
        text += QCoreApplication::translate("RunExtras", "Report: %1\n").arg(QFileInfo(m_options.tools.report).absoluteFilePath());
    return text + m_causes.summary();
}

void RunExtras::writeReport(const RunResult& result) const
{
    if (m_options.tools.report.isEmpty())
        return;
    WriteFailureReport(m_options.tools.report,
                       ReportCounts{result.rows, result.rows - result.failed, result.failed}, m_causes);
}
