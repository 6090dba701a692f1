#include "RunHarness.h"

#include "Dialogs.h"
#include "TestDatabase.h"
#include "TextGrid.h"
#include "platform/Error.h"

RunSession::RunSession(const QString& database, const QString& user, const QString& password)
{
    eConexao.Database = database;
    eConexao.ClientLibrary = TestDatabase::clientLibrary();
    eConexao.Username = user;
    eConexao.Password = password;
    eConexao.setConnected(true);
    qrproduto.AutoCommit = false;
    query2.AutoCommit = false;
}

ImportContext RunSession::context(ImportViews& views, Dialogs& dialogs,
                                  const RegionalSettings& settings)
{
    return ImportContext{views, dialogs, eConexao, qrproduto, query2, line, settings, &fixedRunTime};
}

void runShowingErrors(const ImportContext& context)
{
    try {
        Button2Click(context);
    } catch (const std::exception& e) {
        context.dialogs.showError(errorMessage(e));
    }
}

// Made once: a local time built from its parts looks the zone up, which per row would cost
// the bench more than the tool's own work on the row.
QDateTime fixedRunTime()
{
    static const QDateTime time(QDate(2026, 12, 8), QTime(13, 45));
    return time;
}

void loadSheet(PlainViews& views, int sourceType, const QList<QStringList>& rows)
{
    views.type = sourceType;
    views.mode = QStringLiteral("Excel");
    int cols = 1;
    for (const QStringList& r : rows)
        cols = std::max(cols, int(r.size()));
    views.gridData.resize(int(rows.size()), cols);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            views.gridData.setCell(c, r, rows[r][c]);
    views.gridData.announceAll();
}

void loadText(PlainViews& views, int sourceType, const QStringList& lines)
{
    views.type = sourceType;
    views.mode = QStringLiteral("Texto");
    views.lineData = lines;
}

QString fixedWidthLine(const QList<std::pair<int, QString>>& fields)
{
    QString line;
    for (const auto& [start, text] : fields) {
        if (line.size() < start + text.size())
            line = line.leftJustified(start + text.size(), u' ');
        line.replace(start, text.size(), text);
    }
    return line;
}
