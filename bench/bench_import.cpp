// The full import of a 100k-line type-3 catalogue (fixed-width text) against the two ways of
// sending the same insert texts without the tool: the bare client library with the database
// layer's call sequence (the limit for one statement per row), and isql-fb running them as a
// script. Then the same file loaded into the list view's model, against the import time.
// Every side runs on a fresh embedded database; the best of ROUNDS rounds counts, the
// sides taking turns within a round so that a busy machine slows all of them alike.
//   bench_import [ROWS [ROUNDS]]   (100000 lines, 6 rounds)
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
#include "TextLinesModel.h"
#include "platform/AnsiCodePage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
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

// The statement texts the tool sends for the catalogue, in the client's code page.
std::vector<QByteArray> statementTexts(const TextLines& lines)
{
    const QString date = RegistrationDate(fixedRunTime(), RegionalSettings::brazil());
    std::vector<QByteArray> texts;
    texts.reserve(size_t(lines.size()));
    for (int i = 0; i < lines.size(); ++i)
        texts.push_back(platform::toAnsi(
            sqltext::joinLines(ProductInsertStatement(catalogueRow(i, lines.line(i)), date))));
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
    const auto rows = db.select(checksumQuery());
    if (rows.isEmpty())
        return QStringLiteral("(no answer)");
    return rows.first().value(QStringLiteral("N")).trimmed() + u'/'
           + rows.first().value(QStringLiteral("H")).trimmed();
}

Elapsed baselineTime(const std::vector<QByteArray>& texts, QString* checksum)
{
    TestDatabase db;
    if (!db.isValid())
        qFatal("test database: %s", qPrintable(db.error()));
    Elapsed seconds;
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

Elapsed toolTime(const TextLines& lines, QString* checksum)
{
    TestDatabase db;
    if (!db.isValid())
        qFatal("test database: %s", qPrintable(db.error()));
    QTemporaryDir dir;
    Elapsed seconds;
    RunResult result;
    {
        PlainViews views;
        loadText(views, 3, lines);
        SilentDialogs dialogs;
        dialogs.setSaveFileName(dir.filePath(QStringLiteral("ErrorLog.txt")));
        RunSession session(db.path());
        ImportContext ctx = session.context(views, dialogs);
        ctx.result = &result;
        const Stopwatch clock;
        RunFullImport(ctx);
        seconds = clock.elapsed();
    }
    if (!result.finished || result.failed != 0 || result.rows != lines.size())
        qFatal("import: %d of %d rows, %d failed", result.rows, int(lines.size()), result.failed);
    if (checksum)
        *checksum = tableChecksum(db);
    return seconds;
}

Elapsed isqlTime(const QString& script, QString* checksum)
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
    return run.time;
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
Elapsed textLoadTime(const QString& fileName, qsizetype expected)
{
    const Stopwatch clock;
    TextLinesModel model;
    model.setLines(ReadTextFileLines(fileName));
    const Elapsed time = clock.elapsed();
    if (model.rowCount() != expected)
        qFatal("text load: %d lines of %lld", model.rowCount(), qlonglong(expected));
    return time;
}

// The best wall and the best CPU time of each side over the rounds.
struct Side {
    Elapsed best{1e300, 1e300, 1e300};
    std::vector<Elapsed> rounds;
    void add(const Elapsed& e)
    {
        best.wall = std::min(best.wall, e.wall);
        best.cpu = std::min(best.cpu, e.cpu);
        best.sys = std::min(best.sys, e.sys);
        rounds.push_back(e);
    }
};

// How many times faster the tool was than the other side: the median over the rounds of
// the ratio within each round. The two sides of a round ran back to back, under much the
// same load from elsewhere, so their ratio varies far less than either time does.
double pairedRatio(const Side& other, const Side& tool, double Elapsed::*time)
{
    std::vector<double> ratios;
    for (size_t i = 0; i < std::min(other.rounds.size(), tool.rounds.size()); ++i)
        ratios.push_back(other.rounds[i].*time / (tool.rounds[i].*time));
    return median(ratios);
}

struct Figures {
    Side baseline, tool, isql, textLoad;
};

// CB_BENCH_ONLY=isc, tool or isql runs that side alone, for a profiler.
bool runs(const char* side)
{
    const QByteArray only = qgetenv("CB_BENCH_ONLY");
    return only.isEmpty() || only == side;
}

Figures measure(const QString& textFile, const QString& script, int rounds)
{
    const TextLines lines = ReadTextFileLines(textFile);
    const std::vector<QByteArray> texts = statementTexts(lines);
    Figures f;
    for (int round = 0; round < rounds; ++round) {
        QString sums[3];
        const bool verify = round == 0;
        // The bare calls and the tool swap places every round, so neither always runs on
        // the warmer process.
        Elapsed a, t, b;
        const auto bare = [&] {
            if (runs("isc"))
                a = baselineTime(texts, verify ? &sums[0] : nullptr);
        };
        const auto tool = [&] {
            if (runs("tool"))
                t = toolTime(lines, verify ? &sums[1] : nullptr);
        };
        if (round % 2 == 0) {
            bare();
            tool();
        } else {
            tool();
            bare();
        }
        if (runs("isql"))
            b = isqlTime(script, verify ? &sums[2] : nullptr);
        if (verify && !qEnvironmentVariableIsSet("CB_BENCH_ONLY") && (sums[0] != sums[1] || sums[1] != sums[2]))
            qFatal("the three sides wrote different rows: %s, %s, %s", qPrintable(sums[0]),
                   qPrintable(sums[1]), qPrintable(sums[2]));
        std::printf("  round %d (wall/CPU/sys s): bare isc %.2f/%.2f/%.2f, tool %.2f/%.2f/%.2f, "
                    "isql-fb %.2f/%.2f/%.2f\n",
                    round + 1, a.wall, a.cpu, a.sys, t.wall, t.cpu, t.sys, b.wall, b.cpu, b.sys);
        std::fflush(stdout);
        f.baseline.add(a);
        f.tool.add(t);
        f.isql.add(b);
    }
    for (int i = 0; i < 3; ++i)
        f.textLoad.add(textLoadTime(textFile, lines.size()));
    return f;
}

void printSide(const char* name, const Side& side, int rows)
{
    std::printf("  %-30s %7.2f s  %9.0f rows/s   CPU %6.2f s  %9.0f rows/s\n", name, side.best.wall,
                rows / side.best.wall, side.best.cpu, rows / side.best.cpu);
}

// "1.02x best against best (0.95x median of the rounds; wall time 1.01x)".
QString ratioText(const Side& other, const Side& tool)
{
    return QStringLiteral("%1x best against best (%2x median of the rounds; wall time %3x)")
        .arg(other.best.cpu / tool.best.cpu, 0, 'f', 2)
        .arg(pairedRatio(other, tool, &Elapsed::cpu), 0, 'f', 2)
        .arg(other.best.wall / tool.best.wall, 0, 'f', 2);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 6;
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
    if (!writeAnsiLines(textFile, lines) || !writeScript(script, statementTexts(TextLines::fromStrings(lines))))
        qFatal("cannot write the bench files into %s", qPrintable(dir.path()));

    std::printf("bench_import: %d lines of type 3 text, embedded database, one commit, best of %d\n",
                rows, rounds);
    const Figures f = measure(textFile, script, rounds);
    printSide("bare isc calls (baseline a):", f.baseline, rows);
    printSide("isql-fb script (baseline b):", f.isql, rows);
    printSide("full import run (the tool):", f.tool, rows);
    std::printf("  text load into the list model:  %7.3f s                   CPU %6.3f s\n",
                f.textLoad.best.wall, f.textLoad.best.cpu);

    // Speed ratios: the other side's time over the tool's, so above 1 means the tool is
    // faster. The goals are judged on each side's fastest round in CPU time: other work on
    // the machine only ever slows a round down (by up to a third here), so the fastest one
    // is the least disturbed, and CPU time is disturbed far less than wall time.
    Goals goals;
    goals.check(f.baseline.best.cpu / f.tool.best.cpu >= 0.9,
                QStringLiteral("import speed >= 0.9 x bare isc calls"), ratioText(f.baseline, f.tool));
    goals.check(f.isql.best.cpu / f.tool.best.cpu >= 1.5, QStringLiteral("import speed >= 1.5 x isql-fb"),
                ratioText(f.isql, f.tool));
    const Elapsed t = f.tool.best;
    const Elapsed load = f.textLoad.best;
    goals.check(load.cpu < 0.05 * t.cpu, QStringLiteral("text load < 5 % of the import time"),
                QStringLiteral("%1 % (wall time %2 %)")
                    .arg(100 * load.cpu / t.cpu, 0, 'f', 2)
                    .arg(100 * load.wall / t.wall, 0, 'f', 2));
    return goals.exitCode();
}
