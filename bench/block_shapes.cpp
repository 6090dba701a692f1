// What one insert costs an embedded engine in each shape a batch can take: alone (as the
// window sends it), in a plain execute block, in the guarded block (each insert with its own
// handler), or as one insert of a union of selects. Not a goal, an experiment, run by hand:
//   block_shapes ROWS (alone | plain | guarded | union) [ROWS_PER_STATEMENT]
// With CB_SHAPES_SERVER=1 the same goes to the local server instead (no delay: the server's
// own work, which this process's CPU time does not show; compare the wall times). It prints the CPU time of the whole process (the engine's threads too) per row.
#include "BenchSupport.h"
#include "InsertBatch.h"
#include "ProductRow.h"
#include "RunHarness.h"
#include "SqlText.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

namespace {

// One insert of rows [from, from + n) as selects of their values, united.
QString unionText(const std::vector<QStringList>& statements, std::size_t from, std::size_t n)
{
    const QStringList& first = statements[from];
    QString text = first.mid(0, 3).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    for (std::size_t i = from; i < from + n; ++i) {
        QString values = statements[i].at(3);
        values = values.mid(values.indexOf(u'(') + 1).chopped(1);
        text += (i == from ? QStringLiteral("select ") : QStringLiteral(" union all select ")) + values
                + QStringLiteral(" from rdb$database");
    }
    return text;
}

QString statementText(const QString& shape, const std::vector<QStringList>& statements, std::size_t from,
                      std::size_t n)
{
    if (shape == QLatin1String("union"))
        return unionText(statements, from, n);
    std::vector<QString> inserts;
    for (std::size_t i = from; i < from + n; ++i)
        inserts.push_back(sqltext::joinLines(statements[i]));
    if (shape == QLatin1String("alone"))
        return inserts.front();
    return shape == QLatin1String("plain") ? InsertBatch::plainBlockText(inserts)
                                           : InsertBatch::guardedBlockText(inserts);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rows = argc > 2 ? std::atoi(argv[1]) : 0;
    const QString shape = argc > 2 ? QString::fromLatin1(argv[2]) : QString();
    const std::size_t size = shape == QLatin1String("alone") ? 1 : argc > 3 ? std::atoi(argv[3]) : 100;
    if (rows < 1 || size < 1 || !QStringList{"alone", "plain", "guarded", "union"}.contains(shape)) {
        std::fprintf(stderr, "usage: block_shapes ROWS (alone | plain | guarded | union) [ROWS_PER_STATEMENT]\n");
        return 2;
    }
    const QString date = RegistrationDate(fixedRunTime(), RegionalSettings::brazil());
    std::vector<QStringList> statements;
    for (int i = 0; i < rows; ++i)
        statements.push_back(ProductInsertStatement(catalogueRow(i, catalogueLine(i)), date));
    TestDatabase::Options options;
    if (qgetenv("CB_SHAPES_SERVER") == "1")
        options.access = TestDatabase::Access::Server;
    TestDatabase db(options);
    if (!db.isValid())
        qFatal("test database: %s", qPrintable(db.error()));
    {
        RunSession s(db.attachString());
        Stopwatch clock;
        for (std::size_t from = 0; from < statements.size(); from += size) {
            const std::size_t n = std::min(size, statements.size() - from);
            s.query2.SQL().Clear();
            s.query2.SQL().Add(statementText(shape, statements, from, n));
            if (shape == QLatin1String("guarded"))
                s.query2.ExecSQLWithOutput();
            else
                s.query2.ExecSQL();
        }
        s.eConexao.Commit();
        const Elapsed e = clock.elapsed();
        std::printf("%-7s %4zu rows a statement: %d rows, CPU %.2f s (system %.2f), wall %.2f s: %.1f us a row\n",
                    qPrintable(shape), size, rows, e.cpu, e.sys, e.wall, e.cpu * 1e6 / rows);
    }
    if (db.count() != rows)
        qFatal("%d rows written of %d", db.count(), rows);
    return 0;
}
