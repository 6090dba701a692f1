// The tools around the import, as a user runs them: --detect, --preview and the failed rows
// by cause with --report, each checked against what the real run does.
#include "CliRun.h"
#include "TestDatabase.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

using Table = QList<QMap<QString, QString>>;

QString oneLine(QString text)
{
    text.replace(u'\r', u' ');
    return text.simplified();
}

// The first type of the ranking table.
int leadingType(const QString& out)
{
    const QStringList lines = out.split(u'\n');
    for (int i = 0; i + 1 < lines.size(); ++i)
        if (lines[i].startsWith(QLatin1String("Type  Item")))
            return lines[i + 1].section(u' ', 0, 0, QString::SectionSkipEmpty).toInt();
    return -1;
}

const QStringList PreviewColumns{"Code", "Barcode", "Name", "Unit", "Cost", "Sale", "Stock", "NCM"};

// The product lines of a preview, each the values under the header's titles.
QList<QStringList> previewProducts(const QString& out)
{
    QList<QStringList> products;
    QList<qsizetype> starts;
    for (const QString& line : out.split(u'\n')) {
        if (line.startsWith(QLatin1String("Row  "))) {
            for (const QString& title : PreviewColumns)
                starts << line.indexOf(QRegularExpression(QStringLiteral("\\b%1\\b").arg(title)));
            continue;
        }
        if (starts.isEmpty())
            continue;
        if (line.isEmpty() || line.startsWith(QLatin1String("Rows that")) || line.startsWith(QLatin1String("The ")))
            break;
        QStringList values;
        for (int c = 0; c < starts.size(); ++c)
            values << line.mid(starts[c], c + 1 < starts.size() ? starts[c + 1] - starts[c] : -1).trimmed();
        products << values;
    }
    return products;
}

QStringList previewFailures(const QString& out)
{
    QStringList failures;
    static const QRegularExpression row(QStringLiteral("^  row \\d+: (.*)$"));
    for (const QString& line : out.split(u'\n')) {
        const auto m = row.match(line);
        if (m.hasMatch())
            failures << m.captured(1);
    }
    return failures;
}

// The same columns of the table after the run; numbers as numbers, so 3.49 and
// 3.490000000000000 agree.
QList<QStringList> tableProducts(const TestDatabase& db)
{
    auto number = [](const QString& text) { return QString::number(text.trimmed().toDouble(), 'g', 15); };
    QList<QStringList> products;
    const Table rows = db.select(QStringLiteral("select * from c000025"));
    for (const auto& r : rows)
        products << QStringList{r["CODIGO"].trimmed(), r["CODBARRA"].trimmed(), r["PRODUTO"].trimmed(),
                                r["UNIDADE"].trimmed(), number(r["PRECOCUSTO"]), number(r["PRECOVENDA"]),
                                number(r["ESTOQUE"]), r["NCM"].trimmed()};
    return products;
}

QList<QStringList> withNumbers(QList<QStringList> products)
{
    for (QStringList& p : products)
        for (int c : {4, 5, 6})
            p[c] = QString::number(p[c].toDouble(), 'g', 15);
    return products;
}

QList<QStringList> sorted(QList<QStringList> rows)
{
    std::sort(rows.begin(), rows.end(), [](const QStringList& a, const QStringList& b) {
        return a.join(u'\x1f') < b.join(u'\x1f');
    });
    return rows;
}

QStringList logLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<no log>")};
    QStringList lines;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (!l.trimmed().isEmpty())
            lines << oneLine(QString::fromLatin1(l));
    return lines;
}

// Three kinds of failure: a code that is not a number, prices with a thousands separator
// (two different values, one cause), a unit the column is too narrow for.
const QStringList ThreeFailures{
    QStringLiteral("P;601;;;;;UN;;;;7891000055120;CAFE 500G;;;;;40;;;;;;;;4,75;"),
    QStringLiteral("P;60x;;;;;UN;;;;7891000055137;CODIGO RUIM;;;;;40;;;;;;;;4,75;"),
    QStringLiteral("P;603;;;;;KG;;;;7891000055144;ARROZ 5KG;;;;;40;;;;;;;;1.234,56;"),
    QStringLiteral("P;604;;;;;UNID;;;;7891000055151;UNIDADE LONGA;;;;;40;;;;;;;;2,00;"),
    QStringLiteral("P;605;;;;;KG;;;;7891000055168;=HYPERLINK(\"x\");;;;;40;;;;;;;;9.999,99;"),
    QStringLiteral("P;6y6;;;;;UN;;;;7891000055175;OUTRO CODIGO RUIM;;;;;40;;;;;;;;3,00;"),
    QStringLiteral("P;607;;;;;UN;;;;7891000055182;ACUCAR 1KG;;;;;40;;;;;;;;3,10;")};

QList<QStringList> csvRows(const QByteArray& bytes)
{
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;
    const QString text = QString::fromUtf8(bytes);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                cell += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                cell += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            row << cell;
            cell.clear();
        } else if (c == u'\n') {
            row << cell;
            rows << row;
            row.clear();
            cell.clear();
        } else if (c != u'\r') {
            cell += c;
        }
    }
    return rows;
}

} // namespace

class TestCliTools : public QObject {
    Q_OBJECT
private slots:
    void init();
    void optionsThatDoNotGoTogether_data();
    void optionsThatDoNotGoTogether();
    void detectRanksTheRightTypeFirst_data();
    void detectRanksTheRightTypeFirst();
    void detectWithoutAClearLeader_data();
    void detectWithoutAClearLeader();
    void previewIsWhatTheRunInserts_data();
    void previewIsWhatTheRunInserts();
    void failuresByCause_data();
    void failuresByCause();
};

void TestCliTools::init()
{
    if (!QFile::exists(cliProgram()))
        QSKIP("converter-banco-import is not built");
}

void TestCliTools::optionsThatDoNotGoTogether_data()
{
    QTest::addColumn<QStringList>("arguments"); // SRC: a type-3 source
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");

    QTest::newRow("detect and preview") << QStringList{"--detect", "--preview", "SRC"} << 2 << "only one of them";
    QTest::newRow("preview and restore") << QStringList{"--type", "3", "--preview", "--restore", "b.sql"} << 2
                                         << "only one of them";
    QTest::newRow("preview of no rows") << QStringList{"--type", "3", "--preview", "0", "SRC"} << 2
                                        << "--preview wants a number of rows";
    QTest::newRow("preview without a type") << QStringList{"--preview", "SRC"} << 2 << "--type is required";
    QTest::newRow("restore with a source") << QStringList{"--restore", "b.sql", "--yes", "SRC"} << 2 << "no SOURCE";
    QTest::newRow("restore unconfirmed") << QStringList{"--restore", "b.sql"} << 2 << "--yes confirms";
    QTest::newRow("backup with detect") << QStringList{"--detect", "--backup", "b.sql", "SRC"} << 2
                                        << "--backup goes with an import";
    QTest::newRow("report with preview") << QStringList{"--type", "3", "--preview", "--report", "r.csv", "SRC"}
                                         << 2 << "--report goes with an import";
    QTest::newRow("dry run of a detect") << QStringList{"--detect", "--dry-run", "SRC"} << 2 << "--dry-run is for";
    QTest::newRow("restore of a missing script") << QStringList{"--restore", "none.sql", "--yes"} << 2
                                                 << "none.sql";
    // Nothing connects: a database that does not exist is never looked at.
    QTest::newRow("preview alone, ten rows") << QStringList{"--type", "3", "--database", "/no/such.fdb", "--preview", "SRC"}
                                             << 0 << "3 of 3 rows";
    QTest::newRow("preview with a count") << QStringList{"--type", "Ostrell", "--preview", "2", "SRC"} << 0
                                          << "2 of 3 rows";
    QTest::newRow("preview=count") << QStringList{"--type", "3", "--preview=1", "SRC"} << 0 << "1 of 3 rows";
    QTest::newRow("detect needs no type nor --yes") << QStringList{"--detect", "--database", "/no/such.fdb", "SRC"}
                                                    << 0 << "Type 3 (Ostrell) clearly leads";
}

void TestCliTools::optionsThatDoNotGoTogether()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QTemporaryDir dir;
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^SRC$")), fixturePath(QStringLiteral("types/ostrell.txt")));
    const CliRun run = runCli(arguments, dir.path());
    QVERIFY2((run.out + run.err).contains(output), qPrintable(run.out + run.err));
    QCOMPARE(run.exitCode, exitCode);
}

void TestCliTools::detectRanksTheRightTypeFirst_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("type");
    const QList<std::pair<QString, int>> files{
        {"brenvik.xlsx", 0}, {"qel.xlsx", 1},     {"quelbrant.xlsx", 2}, {"ostrell.txt", 3},
        {"pembrix.xlsx", 4}, {"caldeno.txt", 5},  {"irmsby.txt", 6},     {"nuvalo.txt", 7},
        {"nuvalo2.txt", 8},  {"vrek.txt", 9},     {"tobbin.xlsx", 10},   {"grelling.txt", 11},
        {"sarnet.xlsx", 12}, {"emberlin.txt", 13}};
    for (const auto& [file, type] : files) {
        QTest::newRow(qPrintable(file)) << QStringLiteral("types/") + file << type;
        QString other = file;
        other.replace(u'.', QStringLiteral("_other."));
        QTest::newRow(qPrintable(other)) << QStringLiteral("detect/") + other << type;
    }
}

void TestCliTools::detectRanksTheRightTypeFirst()
{
    QFETCH(QString, source);
    QFETCH(int, type);
    QTemporaryDir dir;
    const CliRun run = runCli({"--detect", fixturePath(source)}, dir.path());
    QCOMPARE(leadingType(run.out), type);
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err)); // and it leads clearly
}

void TestCliTools::detectWithoutAClearLeader_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::newRow("a barcode list is no catalogue") << "types/grelling_barcodes.txt" << QStringList{} << 1
                                                    << "No type reads this file well";
    QTest::newRow("numbers only") << "n.txt" << QStringList{"1", "2", "3"} << 1 << "No type reads this file well";
    QTest::newRow("empty file") << "e.txt" << QStringList{QString()} << 1 << "no rows to judge";
    QTest::newRow("missing file") << "missing.txt" << QStringList{} << 2 << "missing.txt";
    QTest::newRow("no kind of source") << "s.csv" << QStringList{"a;b"} << 2 << "neither a spreadsheet";
}

void TestCliTools::detectWithoutAClearLeader()
{
    QFETCH(QString, source);
    QFETCH(QStringList, lines);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QTemporaryDir dir;
    QString path = source.contains(u'/') ? fixturePath(source) : dir.filePath(source);
    if (!lines.isEmpty())
        path = sourceFile(dir, source, lines);
    const CliRun run = runCli({"--detect", path}, dir.path());
    QVERIFY2((run.out + run.err).contains(output), qPrintable(run.out + run.err));
    QCOMPARE(run.exitCode, exitCode);
}

void TestCliTools::previewIsWhatTheRunInserts_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("options");
    const QStringList none;
    QTest::newRow("fixed width") << "types/ostrell.txt" << none << QStringList{"--type", "3"};
    QTest::newRow("cents prices, units") << "detect/caldeno_other.txt" << none << QStringList{"--type", "5"};
    QTest::newRow("bars, heading skipped") << "types/irmsby.txt" << none << QStringList{"--type", "6"};
    QTest::newRow("barcode file") << "types/grelling.txt" << none
        << QStringList{"--type", "11", "--barcode-file", fixturePath("types/grelling_barcodes.txt")};
    QTest::newRow("semicolons, carried values") << "detect/emberlin_other.txt" << none << QStringList{"--type", "13"};
    QTest::newRow("sheet, kept barcodes") << "types/qel.xlsx" << none << QStringList{"--type", "1", "--keep-source-barcode"};
    QTest::newRow("sheet, codes made barcodes") << "detect/tobbin_other.xlsx" << none << QStringList{"--type", "10"};
    QTest::newRow("rows that fail before the database") << "f.txt"
        << QStringList{ThreeFailures[0], ThreeFailures[1], ThreeFailures[2], ThreeFailures[6]}
        << QStringList{"--type", "13"};
}

// Every row the preview shows is the row the run inserts, and the rows it says would fail
// are the lines of the run's error log.
void TestCliTools::previewIsWhatTheRunInserts()
{
    QFETCH(QString, source);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, options);
    QTemporaryDir dir;
    const QString path = sourceFile(dir, source, lines);
    const CliRun preview = runCli(options + QStringList{"--preview", "1000", path}, dir.path());
    QVERIFY2(preview.exitCode == 0 || preview.exitCode == 1, qPrintable(preview.out + preview.err));

    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    const QString log = dir.filePath(QStringLiteral("log.txt"));
    const CliRun run = runCli(options + QStringList{"--database", db.path(), "--yes", "--log", log, path}, dir.path());
    QVERIFY2(run.exitCode == preview.exitCode, qPrintable(run.out + run.err + preview.out));

    const QList<QStringList> shown = withNumbers(previewProducts(preview.out));
    QVERIFY(!shown.isEmpty());
    QCOMPARE(sorted(shown), sorted(tableProducts(db)));
    QCOMPARE(previewFailures(preview.out), logLines(log));
}

void TestCliTools::failuresByCause_data()
{
    QTest::addColumn<bool>("dryRun");
    QTest::newRow("import") << false;
    QTest::newRow("dry run") << true;
}

void TestCliTools::failuresByCause()
{
    QFETCH(bool, dryRun);
    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QTemporaryDir dir;
    const QString report = dir.filePath(QStringLiteral("report.csv"));
    const QString log = dir.filePath(QStringLiteral("log.txt"));
    const CliRun run = runCli({"--type", "13", "--database", db.path(), dryRun ? "--dry-run" : "--yes", "--log", log,
                               "--report", report, sourceFile(dir, QStringLiteral("s.txt"), ThreeFailures)},
                              dir.path());
    QCOMPARE(run.exitCode, 1);

    const QString summary = run.out.mid(run.out.indexOf(QLatin1String("Failures by cause:")));
    const QStringList causes = summary.split(u'\n', Qt::SkipEmptyParts).mid(1);
    QCOMPARE(causes.size(), 3);
    QVERIFY2(causes[0].contains(QRegularExpression(QStringLiteral("^  2  ''\\*'' is not a valid integer value \\(rows 2, 6\\)$"))),
             qPrintable(summary));
    QVERIFY2(causes[1].contains(QRegularExpression(QStringLiteral("^  2  '\\*' is not a valid floating point value \\(rows 3, 5\\)$"))),
             qPrintable(summary));
    QVERIFY2(causes[2].contains(QLatin1String("string right truncation")) && causes[2].endsWith(QLatin1String("actual * (row 4)")),
             qPrintable(summary));
    QCOMPARE(logLines(log).size(), 5); // the log itself is as it always was

    QFile f(report);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF" "kind,row,code,name,cause,message,count,first rows\r\n"));
    const QList<QStringList> rows = csvRows(bytes.mid(3));
    QCOMPARE(rows.size(), 1 + 3 + 3 + 5);
    QCOMPARE(rows[1], (QStringList{"total", "", "", "", "", "rows read", "7", ""}));
    QCOMPARE(rows[3], (QStringList{"total", "", "", "", "", "rows failed", "5", ""}));
    QCOMPARE(rows[4], (QStringList{"cause", "", "", "", "''*'' is not a valid integer value", "", "2", "2, 6"}));
    QCOMPARE(rows[7], (QStringList{"row", "2", "2", "CAFE 500G", "''*'' is not a valid integer value",
                                   "''60x'' is not a valid integer value", "", ""}));
    // A name a spreadsheet would run as a formula stays text.
    QCOMPARE(rows[10].mid(0, 4), (QStringList{"row", "5", "605", "'=HYPERLINK(\"x\")"}));
}

QTEST_MAIN(TestCliTools)
#include "tst_cli_tools.moc"
