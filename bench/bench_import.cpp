// The full import of a 100k-line type-3 catalogue (fixed-width text) against the two ways of
// sending the same insert texts without the tool: the bare client library with the database
// layer's call sequence (the limit for one statement per row), and isql-fb running them as a
// script. Then the same file loaded into the list view's model, against the import time.
// Every side runs on a fresh embedded database; the best of ROUNDS rounds counts, the
// sides taking turns within a round so that a busy machine slows all of them alike.
//   bench_import [ROWS [ROUNDS]]
#include "BenchSupport.h"
#include "IscBaseline.h"

#include "DatabaseConnection.h"
#include "Dialogs.h"
#include "FieldHelpers.h"
#include "FullImportRun.h"
#include "ProductRow.h"
#include "RunHarness.h"
#include "SqlQuery.h"
#include "SqlText.h"
#include "TestDatabase.h"
#include "TextFile.h"
#include "platform/AnsiCodePage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringListModel>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <vector>

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

// At most five characters, the width of the cost field.
QString priceOf(int i)
{
    return QString::number(1 + i % 99) + QStringLiteral(",") + QString::number(10 + i % 90);
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

// The statement texts the tool sends for the catalogue, in the client's code page.
std::vector<QByteArray> statementTexts(const QStringList& lines)
{
    const QString date = RegistrationDate(fixedRunTime(), RegionalSettings::brazil());
    std::vector<QByteArray> texts;
    texts.reserve(size_t(lines.size()));
    for (int i = 0; i < lines.size(); ++i)
        texts.push_back(platform::toAnsi(
            sqltext::joinLines(ProductInsertStatement(catalogueRow(i, lines[i]), date))));
    return texts;
}

QString checksumQuery()
{
    static const char* const columns[] = {
        "codigo", "codbarra", "produto", "unidade", "data_cadastro", "precocusto", "precovenda",
        "estoque", "ncm", "cst", "classificacao_fiscal", "aliquota", "tipo", "situacao",
        "piscofins", "incidencia_piscofins", "iat", "ippt", "situacao_tributaria", "flag_sis",
        "csosn", "ind_cfop_venda_dentro"};
    QStringList parts;
    for (const char* c : columns)
        parts << QStringLiteral("coalesce(cast(%1 as varchar(120)), '~')").arg(QLatin1String(c));
    return QStringLiteral("select count(*) as N, sum(mod(hash(%1), 1000003)) as H from c000025")
        .arg(parts.join(QStringLiteral(" || '|' || ")));
}

// What the table holds, as a count and a sum of row hashes: equal tables, equal statements.
QString tableChecksum(const TestDatabase& db)
{
    if (qEnvironmentVariableIsSet("CB_BENCH_DUMP"))
        for (const auto& r : db.select(QStringLiteral("select * from c000025 rows 2")))
            for (auto it = r.begin(); it != r.end(); ++it)
                std::printf("%s=[%s]\n", qPrintable(it.key()), qPrintable(it.value()));
    const auto rows = db.select(checksumQuery());
    if (rows.isEmpty())
        return QStringLiteral("(no answer)");
    return rows.first().value(QStringLiteral("N")).trimmed() + u'/'
           + rows.first().value(QStringLiteral("H")).trimmed();
}

double baselineSeconds(const std::vector<QByteArray>& texts, QString* checksum)
{
    TestDatabase db;
    if (!db.isValid())
        qFatal("test database: %s", qPrintable(db.error()));
    double seconds = 0;
    try {
        seconds = RunIscBaseline(QFile::encodeName(db.path()), TestDatabase::user().toLatin1(),
                                 TestDatabase::password().toLatin1(), texts);
    } catch (const std::runtime_error& e) {
        qFatal("baseline: %s", e.what());
    }
    if (checksum)
        *checksum = tableChecksum(db);
    return seconds;
}

double toolSeconds(const QStringList& lines, QString* checksum)
{
    TestDatabase db;
    if (!db.isValid())
        qFatal("test database: %s", qPrintable(db.error()));
    QTemporaryDir dir;
    double seconds = 0;
    RunResult result;
    {
        PlainViews views;
        loadText(views, 3, lines);
        SilentDialogs dialogs;
        dialogs.setSaveFileName(dir.filePath(QStringLiteral("ErrorLog.txt")));
        RunSession session(db.path());
        ImportContext ctx = session.context(views, dialogs);
        ctx.result = &result;
        QElapsedTimer clock;
        clock.start();
        Button2Click(ctx);
        seconds = clock.nsecsElapsed() / 1e9;
    }
    if (!result.finished || result.failed != 0 || result.rows != lines.size())
        qFatal("import: %d of %d rows, %d failed", result.rows, int(lines.size()), result.failed);
    if (checksum)
        *checksum = tableChecksum(db);
    return seconds;
}

double isqlSeconds(const QString& script, QString* checksum)
{
    TestDatabase db;
    if (!db.isValid())
        qFatal("test database: %s", qPrintable(db.error()));
    const ChildRun run = runChild(QStringLiteral("isql-fb"),
                                  {QStringLiteral("-q"), QStringLiteral("-user"), TestDatabase::user(),
                                   QStringLiteral("-password"), TestDatabase::password(),
                                   QStringLiteral("-i"), script, db.path()});
    if (!run.ok || run.output.contains(QLatin1String("Statement failed"))
        || run.output.contains(QLatin1String("SQLSTATE")))
        qFatal("isql-fb: %s", qPrintable(run.output.left(2000)));
    if (checksum)
        *checksum = tableChecksum(db);
    return run.seconds;
}

bool writeScript(const QString& fileName, const std::vector<QByteArray>& texts)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray bytes;
    for (const QByteArray& t : texts)
        bytes += t + ";\n";
    bytes += "commit;\n";
    return file.write(bytes) == bytes.size();
}

// The file read as the window reads it and handed to the list view's model.
double textLoadSeconds(const QString& fileName, qsizetype expected)
{
    QElapsedTimer clock;
    clock.start();
    QStringListModel model;
    model.setStringList(ReadTextFileLines(fileName));
    const double seconds = clock.nsecsElapsed() / 1e9;
    if (model.rowCount() != expected)
        qFatal("text load: %d lines of %lld", model.rowCount(), qlonglong(expected));
    return seconds;
}

struct Figures {
    double baseline = 1e300, tool = 1e300, isql = 1e300, textLoad = 1e300;
};

Figures measure(const QString& textFile, const QString& script, int rounds)
{
    const QStringList lines = ReadTextFileLines(textFile);
    const std::vector<QByteArray> texts = statementTexts(lines);
    Figures f;
    for (int round = 0; round < rounds; ++round) {
        QString sums[3];
        const bool verify = round == 0;
        f.baseline = std::min(f.baseline, baselineSeconds(texts, verify ? &sums[0] : nullptr));
        f.tool = std::min(f.tool, toolSeconds(lines, verify ? &sums[1] : nullptr));
        f.isql = std::min(f.isql, isqlSeconds(script, verify ? &sums[2] : nullptr));
        if (verify && (sums[0] != sums[1] || sums[1] != sums[2]))
            qFatal("the three sides wrote different rows: %s, %s, %s", qPrintable(sums[0]),
                   qPrintable(sums[1]), qPrintable(sums[2]));
        std::printf("  round %d: baseline %.2f s, tool %.2f s, isql-fb %.2f s\n", round + 1,
                    f.baseline, f.tool, f.isql);
        std::fflush(stdout);
    }
    for (int i = 0; i < 3; ++i)
        f.textLoad = std::min(f.textLoad, textLoadSeconds(textFile, lines.size()));
    return f;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 2;
    if (rows < 1 || rounds < 1) {
        std::fprintf(stderr, "usage: bench_import [ROWS [ROUNDS]]\n");
        return 2;
    }
    QStringList lines;
    lines.reserve(rows);
    for (int i = 0; i < rows; ++i)
        lines.append(catalogueLine(i));
    QTemporaryDir dir;
    const QString textFile = dir.filePath(QStringLiteral("catalogue.txt"));
    const QString script = dir.filePath(QStringLiteral("inserts.sql"));
    if (!writeAnsiLines(textFile, lines) || !writeScript(script, statementTexts(lines)))
        qFatal("cannot write the bench files into %s", qPrintable(dir.path()));

    std::printf("bench_import: %d lines of type 3 text, embedded database, one commit, best of %d\n",
                rows, rounds);
    const Figures f = measure(textFile, script, rounds);
    std::printf("  bare isc calls (baseline a):   %7.2f s  %9.0f rows/s\n", f.baseline, rows / f.baseline);
    std::printf("  isql-fb script (baseline b):   %7.2f s  %9.0f rows/s\n", f.isql, rows / f.isql);
    std::printf("  full import run (the tool):    %7.2f s  %9.0f rows/s\n", f.tool, rows / f.tool);
    std::printf("  text load into the list model: %7.3f s\n", f.textLoad);

    Goals goals;
    const double vsBaseline = f.baseline / f.tool, vsIsql = f.isql / f.tool;
    goals.check(vsBaseline >= 0.9, QStringLiteral("import speed >= 0.9 x bare isc calls"),
                QString::number(vsBaseline, 'f', 2) + u'x');
    goals.check(vsIsql >= 1.5, QStringLiteral("import speed >= 1.5 x isql-fb"),
                QString::number(vsIsql, 'f', 2) + u'x');
    const double share = 100 * f.textLoad / f.tool;
    goals.check(share < 5, QStringLiteral("text load < 5 % of the import time"),
                QString::number(share, 'f', 2) + u'%');
    return goals.exitCode();
}
