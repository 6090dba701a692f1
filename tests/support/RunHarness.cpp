#include "RunHarness.h"

#include "BuiltInSettings.h"
#include "Dialogs.h"
#include "TestDatabase.h"
#include "TextGrid.h"

#include <QFile>
#include "platform/Error.h"

RunSession::RunSession(const QString& database, const QString& user, const QString& password)
{
    ApplyConnectionSettings(eConexao, AppSettings{database, user, password, TestDatabase::clientLibrary()});
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
        RunFullImport(context);
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
    loadText(views, sourceType, TextLines::fromStrings(lines));
}

void loadText(PlainViews& views, int sourceType, TextLines lines)
{
    views.type = sourceType;
    views.mode = QStringLiteral("Texto");
    views.lineData = std::move(lines);
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

QString countMessage(int failed)
{
    return QString::number(failed) + QStringLiteral(" produtos não foram importados.");
}

RunFixture::RunFixture(TestDatabase::Options options) : db(options)
{
    dialogs.setSaveFileName(logPath());
    if (!db.isValid())
        qFatal("test database: %s", qPrintable(db.error()));
}

QString RunFixture::logPath() const
{
    return dir.filePath(QStringLiteral("ErrorLog.txt"));
}

QByteArray RunFixture::logBytes() const
{
    QFile f(logPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no log>");
}

void RunFixture::connect(const QString& user, const QString& password)
{
    session = std::make_unique<RunSession>(db.attachString(), user, password);
}

void RunFixture::run()
{
    if (!session)
        connect();
    RunFullImport(session->context(views, dialogs));
}

void RunFixture::runShowingErrors()
{
    if (!session)
        connect();
    ::runShowingErrors(session->context(views, dialogs));
}

bool RunFixture::addOldRows() const
{
    return db.execute(QStringLiteral("insert into c000025 (codigo, produto) values ('900001', 'OLD ONE');\n"
                                     "insert into c000025 (codigo, produto) values ('900002', 'OLD TWO');"));
}

QList<QMap<QString, QString>> RunFixture::readBack(const QString& columns)
{
    session.reset();
    return db.select(QStringLiteral("select ") + columns + QStringLiteral(" from c000025 order by codigo"));
}

QStringList RunFixture::codes()
{
    QStringList values;
    for (const auto& row : readBack(QStringLiteral("codigo")))
        values.append(row.value(QStringLiteral("CODIGO")));
    return values;
}
