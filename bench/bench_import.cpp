// The full import of a 100k-line catalogue against what the database layer alone costs.
// Baseline: the same insert statements, prepared and executed one per row on one embedded
// connection with one commit, built before the clock starts. Full run: Button2Click over
// the text lines (type 3 layout), wipe, log and all. Both on fresh embedded databases.
//   bench_import [ROWS]
#include "DatabaseConnection.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "FullImportRun.h"
#include "ProductRow.h"
#include "RunHarness.h"
#include "SqlQuery.h"
#include "TestDatabase.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

// Answers OK to everything and says nothing: the bench measures the run, not a console.
class SilentDialogs : public Dialogs {
public:
    void showMessage(const QString&) override {}
    MsgDlgBtn messageDialog(const QString&, MsgDlgType, const QList<MsgDlgBtn>&, MsgDlgBtn,
                            const QString&, const QStringList&) override
    {
        return MsgDlgBtn::OK;
    }
    void executeOpenDialog() override {}
    QString openFileName() const override { return {}; }
    void setOpenFileName(const QString&) override {}
    void executeSaveDialog() override {}
    QString saveFileName() const override { return m_save; }
    void setSaveFileName(const QString& name) override { m_save = name; }
    void showError(const QString&) override {}

private:
    QString m_save;
};

QString priceOf(int i)
{
    return QString::number(1 + i % 500) + QStringLiteral(",") + QString::number(10 + i % 90);
}

// A type-3 line: barcode 0..12, name 13..92, cost 93..97.
QString catalogueLine(int i)
{
    const QString name = QStringLiteral("PRODUTO  DE   TESTE %1").arg(i + 1, 6, 10, QChar(u'0'));
    return MakeBarcode(QString::number(i + 1)) + name.leftJustified(80, u' ')
           + priceOf(i).rightJustified(5, u' ');
}

// The row the type-3 layout makes of catalogueLine(i) over the text defaults.
ProductRow catalogueRow(int i, const QString& line)
{
    ProductRow row;
    row.codigo = QString::number(i + 1);
    row.codbarra = line.left(13);
    row.produto = CollapseSpaces(line.mid(13, 80));
    row.precocusto = row.precovenda = priceOf(i);
    row.estoque = QStringLiteral("0");
    row.unidade = QStringLiteral("UN");
    row.cst = QStringLiteral("040");
    row.ncm = QStringLiteral("9999.71.04");
    row.aliquota = QStringLiteral("0");
    row.csosn = QStringLiteral("400");
    row.situacao_tributaria = QStringLiteral("I");
    row.iat = row.ippt = QStringLiteral("T");
    row.ind_cfop_venda_dentro = QStringLiteral("5102");
    return row;
}

double baselineSeconds(const QStringList& lines, const QString& date)
{
    std::vector<QStringList> statements;
    statements.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i)
        statements.push_back(ProductInsertStatement(catalogueRow(i, lines[i]), date));

    TestDatabase db;
    if (!db.isValid())
        qFatal("test database: %s", qPrintable(db.error()));
    RunSession session(db.path());
    SqlQuery& q = session.query2;
    QElapsedTimer clock;
    clock.start();
    for (const QStringList& statement : statements) {
        q.Close();
        q.SQL().Clear();
        for (const QString& l : statement)
            q.SQL().Add(l);
        q.ExecSQL();
    }
    session.eConexao.Commit();
    return clock.nsecsElapsed() / 1e9;
}

double fullRunSeconds(const QStringList& lines, int* failed)
{
    TestDatabase db;
    if (!db.isValid())
        qFatal("test database: %s", qPrintable(db.error()));
    QTemporaryDir dir;
    PlainViews views;
    loadText(views, 3, lines);
    SilentDialogs dialogs;
    dialogs.setSaveFileName(dir.filePath(QStringLiteral("ErrorLog.txt")));
    RunSession session(db.path());
    RunResult result;
    ImportContext ctx = session.context(views, dialogs);
    ctx.result = &result;
    QElapsedTimer clock;
    clock.start();
    Button2Click(ctx);
    const double seconds = clock.nsecsElapsed() / 1e9;
    *failed = result.failed + std::abs(result.rows - int(lines.size()));
    return seconds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    QStringList lines;
    lines.reserve(rows);
    for (int i = 0; i < rows; ++i)
        lines.append(catalogueLine(i));

    const double base = baselineSeconds(lines, RegistrationDate(fixedRunTime(), RegionalSettings::brazil()));
    int failed = 0;
    const double full = fullRunSeconds(lines, &failed);
    std::printf("bench_import: %d rows, embedded database, one commit\n", rows);
    std::printf("  baseline, prepare-per-row inserts: %7.2f s  %9.0f rows/s\n", base, rows / base);
    std::printf("  full import run (type 3 text):     %7.2f s  %9.0f rows/s\n", full, rows / full);
    std::printf("  ratio full run / baseline time:    %7.2f\n", full / base);
    if (failed != 0) {
        std::printf("  %d rows did not import\n", failed);
        return 1;
    }
    return 0;
}
