// converter-banco-import as a user runs it: a separate process over an embedded database,
// checked against what the window's own run does with the same source.
#include "FullImportRun.h"
#include "RunHarness.h"
#include "ScriptedDialogs.h"
#include "SourceTypes.h"
#include "TFrmConverterBancoQelExcel.h"
#include "CliEnvironment.h"
#include "TestDatabase.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using Table = QList<QMap<QString, QString>>;

const QString OldRow =
    QStringLiteral("insert into c000025 (codigo, produto) values ('900001', 'OLD ONE');");

QString program()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/converter-banco-import");
}

QString fixture(const QString& relative)
{
    return QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/") + relative;
}

// ";"-separated lines (type 13): code, name, unit, price... A code that is not a number
// fails its line; a unit of three letters is refused by the database.
const QStringList EmberlinLines{
    QStringLiteral("P;501;;;;;UN;;;;7891000055120;CAFE 500G;;;;;40"),
    QStringLiteral("P;50x;;;;;UN;;;;7891000055137;CODE IS NOT A NUMBER;;;;;40"),
    QStringLiteral("P;503;;;;;UNID;;;;7891000055144;UNIT TOO LONG;;;;;40"),
    QStringLiteral("P;504;;;;;KG;;;;7891000055151;ACUCAR 1KG;;;;;40")};

// Makes the source in dir when lines are given, else names a fixture.
QString sourceFile(const QTemporaryDir& dir, const QString& name, const QStringList& lines)
{
    if (lines.isEmpty())
        return fixture(name);
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(lines.join(QStringLiteral("\r\n")).toLatin1());
    return path;
}

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

CliRun runCli(const QString& exe, const QStringList& arguments, const QString& workDir)
{
    QProcess cli;
    cli.setWorkingDirectory(workDir);
    cli.setProcessEnvironment(cliEnvironment());
    cli.start(exe, arguments);
    CliRun run;
    if (!cli.waitForFinished(120000) || cli.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = cli.exitCode();
    run.out = QString::fromUtf8(cli.readAllStandardOutput());
    run.err = QString::fromUtf8(cli.readAllStandardError());
    return run;
}

// Every column, every row: what "the database is unchanged" is checked against.
Table fullTable(const TestDatabase& db)
{
    return db.select(QStringLiteral("select * from c000025 order by codigo, codbarra, produto"));
}

// The registration date is the time of the run, the one column two runs never share.
Table withoutRunTime(Table table)
{
    for (auto& row : table)
        row.remove(QStringLiteral("DATA_CADASTRO"));
    return table;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The window's run over its own database: loaded by its show handler, run by its button,
// answered by scripted dialogs. Gives the table it leaves behind; false when the run did
// not go as scripted.
bool runWindow(const QString& source, int type, bool keep, const QString& barcodes,
               const QString& log, Table* table)
{
    TestDatabase db;
    if (!db.isValid() || !db.execute(OldRow))
        return false;
    AppSettings settings;
    settings.database = db.path();
    settings.password = TestDatabase::password();
    settings.clientLibrary = TestDatabase::clientLibrary();
    ScriptedDialogs dialogs;
    dialogs.chooseOpenFile(source);
    auto window = std::make_unique<TFrmConverterBancoQelExcel>(settings, dialogs,
                                                               RegionalSettings::brazil());
    window->show();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    window->ComboBox1()->setCurrentIndex(type);
    dialogs.answer(MsgDlgBtn::OK);
    if (type == 1)
        dialogs.answer(keep ? MsgDlgBtn::Yes : MsgDlgBtn::Cancel);
    if (!barcodes.isEmpty())
        dialogs.chooseOpenFile(barcodes);
    dialogs.chooseSaveFile(log);
    window->Button2Click();
    window.reset();
    *table = fullTable(db);
    return dialogs.pendingAnswers() == 0 && dialogs.unansweredQuestions() == 0
           && dialogs.errors().isEmpty();
}

} // namespace

class TestCliImport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void typeFromText_data();
    void typeFromText();
    void typesAreDescribedInBoxOrder();
    void exitCodes_data();
    void exitCodes();
    void tableNotEmptiedIsReported_data();
    void tableNotEmptiedIsReported();
    void dryRunChangesNothing_data();
    void dryRunChangesNothing();
    void sameLogAndRowsAsTheWindow_data();
    void sameLogAndRowsAsTheWindow();
    void progressOnlyOnATerminal_data();
    void progressOnlyOnATerminal();
    void progressIsToldEveryHundredRows_data();
    void progressIsToldEveryHundredRows();

private:
    QString m_program;
};

void TestCliImport::init()
{
    m_program = program();
    if (!QFile::exists(m_program))
        QSKIP("converter-banco-import is not built");
}

void TestCliImport::typeFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("type");
    QTest::newRow("number") << "3" << 3;
    QTest::newRow("first") << "0" << 0;
    QTest::newRow("last") << "13" << 13;
    QTest::newRow("past the last") << "14" << -1;
    QTest::newRow("negative") << "-1" << -1;
    QTest::newRow("item text, other case") << "ostrell" << 3;
    QTest::newRow("item with a digit") << "NUVALO2" << 8;
    QTest::newRow("item with a blank") << "brenvik antigo" << 0;
    QTest::newRow("blanks around") << " Tobbin " << 10;
    QTest::newRow("part of an item") << "Nuva" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestCliImport::typeFromText()
{
    QFETCH(QString, text);
    QFETCH(int, type);
    QCOMPARE(SourceTypeFromText(text), type);
}

// A descriptor out of place would import a shop's catalogue with another system's layout.
void TestCliImport::typesAreDescribedInBoxOrder()
{
    QSet<QString> names;
    for (int i = 0; i < SourceTypeCount(); ++i) {
        const SourceTypeDescriptor* type = FindSourceType(i);
        QVERIFY(type);
        QCOMPARE(type->number, i);
        QVERIFY2(!type->layout.empty(), qPrintable(type->name));
        QVERIFY(type->kind == SourceKind::Spreadsheet || type->kind == SourceKind::Text);
        QVERIFY2(!names.contains(type->name.toLower()), qPrintable(type->name));
        names.insert(type->name.toLower());
    }
    QVERIFY(!FindSourceType(SourceTypeCount()));
}

void TestCliImport::exitCodes_data()
{
    QTest::addColumn<QStringList>("options"); // DB (or =DB): the database, SRC: the source, DIR/: the folder
    QTest::addColumn<QString>("source");      // a fixture, or a file made from lines
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output"); // a part of stdout, or of stdout and stderr for exit 2
    QTest::addColumn<int>("rows");       // rows in c000025 afterwards; one old row before
    QTest::addColumn<bool>("logWritten");

    const QStringList none;
    const QStringList run{"--database", "DB", "--yes", "SRC"};
    QTest::newRow("text type by its name") << QStringList{"--type", "EMBERLIN"} + run
        << "types/emberlin.txt" << none << 0 << "Rows read: 3\nRows imported: 3\nRows failed: 0\n"
        << 3 << true;
    QTest::newRow("sheet type by its number") << QStringList{"--type", "10"} + run
        << "types/tobbin.xlsx" << none << 0 << "Rows imported: 3\nRows failed: 0\n" << 3 << true;
    QTest::newRow("type 11 with its barcode file")
        << QStringList{"--type", "11", "--barcode-file", fixture("types/grelling_barcodes.txt")} + run
        << "types/grelling.txt" << none << 0 << "Rows failed: 0\n" << 3 << true;
    QTest::newRow("type 11, the option's earlier name")
        << QStringList{"--type", "11", "--barcodes", fixture("types/grelling_barcodes.txt")} + run
        << "types/grelling.txt" << none << 0 << "Rows failed: 0\n" << 3 << true;
    QTest::newRow("text with failing lines") << QStringList{"--type", "13"} + run << "source.txt"
        << EmberlinLines << 1 << "Rows read: 4\nRows imported: 2\nRows failed: 2\n" << 2 << true;
    QTest::newRow("sheet with failing rows") << QStringList{"--type", "Quelbrant"} + run
        << "types/qel.xlsx" << none << 1 << "Rows imported: 1\nRows failed: 2\n" << 1 << true;
    QTest::newRow("log that cannot be written, after the commit")
        << QStringList{"--type", "13", "--log", "/no/such/folder/log.txt"} + run << "types/emberlin.txt"
        << none << 2 << "Rows imported: 3\n" << 3 << false;

    QTest::newRow("text ending in blank lines") << QStringList{"--type", "13"} + run << "source.txt"
        << QStringList{EmberlinLines[0], EmberlinLines[3], "", "  "} << 0
        << "Rows read: 2\nRows imported: 2\nRows failed: 0\n" << 2 << true;
    QTest::newRow("every row failed: rolled back") << QStringList{"--type", "13"} + run << "source.txt"
        << QStringList{EmberlinLines[1], EmberlinLines[1]} << 2 << "every row failed" << 1 << true;
    QTest::newRow("blank source: nothing to import") << QStringList{"--type", "13"} + run << "source.txt"
        << QStringList{"", "   ", ""} << 2 << "has no product to import" << 1 << false;
    QTest::newRow("log over the database") << QStringList{"--type", "13", "--log", "DB"} + run
        << "types/emberlin.txt" << none << 2 << "that file is the database" << 1 << false;
    QTest::newRow("log over the source") << QStringList{"--type", "13", "--log", "SRC"} + run
        << "source.txt" << EmberlinLines << 2 << "that file is the source file" << 1 << false;
    QTest::newRow("log over the barcode list")
        << QStringList{"--type", "11", "--barcode-file", fixture("types/grelling_barcodes.txt"),
                       "--log", fixture("types/grelling_barcodes.txt")} + run
        << "types/grelling.txt" << none << 2 << "that file is the barcode list" << 1 << false;

    QTest::newRow("--help: the usage, nothing else checked") << QStringList{"--type", "99", "--help"}
        << "types/emberlin.txt" << none << 0 << "usage: converter-banco-import --type TYPE" << 1 << false;
    QTest::newRow("no --yes: refused, table untouched") << QStringList{"--type", "13", "--database", "DB", "SRC"}
        << "types/emberlin.txt" << none << 2 << "--yes confirms" << 1 << false;
    QTest::newRow("type 11 without --barcode-file") << QStringList{"--type", "11"} + run
        << "types/grelling.txt" << none << 2 << "needs --barcode-file" << 1 << false;
    QTest::newRow("type 11 with a missing barcode file")
        << QStringList{"--type", "11", "--barcode-file", "DIR/none.txt"} + run << "types/grelling.txt"
        << none << 2 << "cannot read the barcode file" << 1 << false;
    QTest::newRow("type past 13") << QStringList{"--type", "14"} + run << "types/emberlin.txt"
        << none << 2 << "unknown source type \"14\"" << 1 << false;
    QTest::newRow("type that names nothing") << QStringList{"--type", "Excel"} + run
        << "types/emberlin.txt" << none << 2 << "unknown source type" << 1 << false;
    QTest::newRow("no --type") << run << "types/emberlin.txt" << none << 2 << "--type is required"
        << 1 << false;
    QTest::newRow("two sources") << QStringList{"--type", "13", "SRC"} + run << "types/emberlin.txt"
        << none << 2 << "exactly one SOURCE" << 1 << false;
    QTest::newRow("a flag given a value") << QStringList{"--type", "13", "--yes=no", "--database", "DB", "SRC"}
        << "types/emberlin.txt" << none << 2 << "unexpected value after --yes" << 1 << false;
    QTest::newRow("option of the form --name=value") << QStringList{"--type=13", "--database=DB", "--yes", "SRC"}
        << "types/emberlin.txt" << none << 0 << "Rows imported: 3\n" << 3 << true;
    QTest::newRow("unknown option") << QStringList{"--type", "13", "--force"} + run
        << "types/emberlin.txt" << none << 2 << "force" << 1 << false;
    QTest::newRow("extension that loads nothing") << QStringList{"--type", "13"} + run
        << "source.csv" << EmberlinLines << 2 << "neither a spreadsheet" << 1 << false;
    QTest::newRow("extension case counts") << QStringList{"--type", "13"} + run << "source.Txt"
        << EmberlinLines << 2 << "neither a spreadsheet" << 1 << false;
    QTest::newRow("missing source") << QStringList{"--type", "13", "--database", "DB", "--yes", "DIR/none.txt"}
        << "types/emberlin.txt" << none << 2 << "none.txt" << 1 << false;
    QTest::newRow("unreachable database")
        << QStringList{"--type", "13", "--database", "/no/such/folder/x.fdb", "--yes", "SRC"}
        << "types/emberlin.txt" << none << 2 << "/no/such/folder/x.fdb" << 1 << false;
}

void TestCliImport::exitCodes()
{
    QFETCH(QStringList, options);
    QFETCH(QString, source);
    QFETCH(QStringList, lines);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(int, rows);
    QFETCH(bool, logWritten);

    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QVERIFY(db.execute(OldRow));
    QTemporaryDir dir;
    const QString sourcePath = sourceFile(dir, source, lines);
    for (QString& o : options) {
        if (o == QLatin1String("DB"))
            o = db.path();
        else if (o.endsWith(QLatin1String("=DB")))
            o = o.chopped(2) + db.path();
        else if (o == QLatin1String("SRC"))
            o = sourcePath;
        else if (o.startsWith(QLatin1String("DIR/")))
            o = dir.filePath(o.mid(4));
    }
    const CliRun run = runCli(m_program, options, dir.path());
    const QString shown = exitCode == 2 ? run.out + run.err : run.out;
    QVERIFY2(shown.contains(output), qPrintable(run.out + run.err));
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("ErrorLog.txt"))), logWritten);
    QCOMPARE(db.count(), rows);
}

void TestCliImport::tableNotEmptiedIsReported_data()
{
    QTest::addColumn<bool>("dryRun");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<int>("rows"); // one old row before
    QTest::newRow("import") << false << "the product table was not emptied" << 4;
    QTest::newRow("dry run") << true << "the product table would not be emptied" << 1;
}

// A database without PRODUTOS keeps its rows: the import adds to them, and says so.
void TestCliImport::tableNotEmptiedIsReported()
{
    QFETCH(bool, dryRun);
    QFETCH(QString, warning);
    QFETCH(int, rows);
    TestDatabase::Options options;
    options.withProdutosView = false;
    TestDatabase db(options);
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QVERIFY(db.execute(OldRow));
    QTemporaryDir dir;
    const CliRun run = runCli(m_program,
                              {"--type", "13", "--database", db.path(),
                               dryRun ? "--dry-run" : "--yes", fixture("types/emberlin.txt")},
                              dir.path());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains(warning) && run.err.contains("PRODUTOS"), qPrintable(run.err));
    QCOMPARE(db.count(), rows);
}

void TestCliImport::dryRunChangesNothing_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("wouldFail"); // a part of the list of rows that would fail

    QTest::newRow("text, all rows good") << QStringList{"--type", "13"} << "types/emberlin.txt"
        << QStringList{} << 0 << "";
    QTest::newRow("text, failing lines, with --yes") << QStringList{"--type", "13", "--yes"}
        << "source.txt" << EmberlinLines << 1
        << "Nome: CAFE 500G|Código: 2|Erro: ''50x'' is not a valid integer value";
    QTest::newRow("sheet, failing rows") << QStringList{"--type", "2"} << "types/qel.xlsx"
        << QStringList{} << 1 << "string right truncation";
}

void TestCliImport::dryRunChangesNothing()
{
    QFETCH(QStringList, options);
    QFETCH(QString, source);
    QFETCH(QStringList, lines);
    QFETCH(int, exitCode);
    QFETCH(QString, wouldFail);

    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QVERIFY(db.execute(OldRow + QStringLiteral(
        "insert into c000025 (codigo, codbarra, produto, precovenda) "
        "values ('900002', '7890000000002', 'OLD TWO', 2.5);")));
    const Table before = fullTable(db);
    QCOMPARE(before.size(), 2);

    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("log.txt"));
    const CliRun run = runCli(m_program,
                              options + QStringList{"--dry-run", "--database", db.path(), "--log",
                                                    log, sourceFile(dir, source, lines)},
                              dir.path());
    QVERIFY2(run.out.contains(QStringLiteral("Dry run: everything was rolled back")),
             qPrintable(run.out + run.err));
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.out.contains(QStringLiteral("Rows that would fail:")), exitCode == 1);
    QVERIFY2(run.out.contains(wouldFail), qPrintable(run.out));
    QVERIFY(QFile::exists(log));
    QCOMPARE(fullTable(db), before);
}

void TestCliImport::sameLogAndRowsAsTheWindow_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("keep"); // type 1's question: Yes, or --keep-source-barcode
    QTest::addColumn<QString>("barcodes");

    const QStringList none;
    QTest::newRow("text, failing lines") << "source.txt" << EmberlinLines << 13 << false << "";
    QTest::newRow("sheet, database refusals") << "types/qel.xlsx" << none << 2 << false << "";
    QTest::newRow("sheet, type 10 conversions") << "types/qel.xlsx" << none << 10 << false << "";
    QTest::newRow("type 1, keeping the sheet's barcodes") << "types/qel.xlsx" << none << 1 << true << "";
    QTest::newRow("type 1, making barcodes") << "types/qel.xlsx" << none << 1 << false << "";
    QTest::newRow("type 11 and its barcodes") << "types/grelling.txt" << none << 11 << false
        << fixture("types/grelling_barcodes.txt");
    QTest::newRow("fixed width, all good") << "types/ostrell.txt" << none << 3 << false << "";
}

void TestCliImport::sameLogAndRowsAsTheWindow()
{
    QFETCH(QString, source);
    QFETCH(QStringList, lines);
    QFETCH(int, type);
    QFETCH(bool, keep);
    QFETCH(QString, barcodes);

    QTemporaryDir dir;
    const QString sourcePath = sourceFile(dir, source, lines);
    const QString windowLog = dir.filePath(QStringLiteral("window.txt"));
    Table windowRows;
    QVERIFY(runWindow(sourcePath, type, keep, barcodes, windowLog, &windowRows));

    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QVERIFY(db.execute(OldRow));
    const QString cliLog = dir.filePath(QStringLiteral("cli.txt"));
    QStringList options{"--type", QString::number(type), "--database", db.path(), "--yes",
                        "--log", cliLog};
    if (!barcodes.isEmpty())
        options << "--barcode-file" << barcodes;
    if (keep)
        options << "--keep-source-barcode";
    const CliRun run = runCli(m_program, options << sourcePath, dir.path());
    // A source of which every row fails rolls back: exit 2, the old rows kept on both sides.
    QVERIFY2(run.exitCode == 0 || run.exitCode == 1 || run.err.contains("every row failed"),
             qPrintable(run.err));

    QCOMPARE(fileBytes(cliLog), fileBytes(windowLog));
    QCOMPARE(withoutRunTime(fullTable(db)), withoutRunTime(windowRows));
}

void TestCliImport::progressOnlyOnATerminal_data()
{
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<bool>("shown");
    QTest::newRow("terminal") << true << false << true;
    QTest::newRow("terminal, --quiet") << true << true << false;
    QTest::newRow("pipe") << false << false << false;
}

// script(1) gives the command a terminal; its output is what the terminal received.
void TestCliImport::progressOnlyOnATerminal()
{
    QFETCH(bool, terminal);
    QFETCH(bool, quiet);
    QFETCH(bool, shown);
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (terminal && script.isEmpty())
        QSKIP("script(1) is not installed");

    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QTemporaryDir dir;
    QStringList lines;
    for (int i = 1; i <= 250; ++i)
        lines << QStringLiteral("P;%1;;;;;UN;;;;;PRODUCT %1;;;;;40").arg(i);
    QStringList arguments{"--type", "13", "--database", db.path(), "--yes",
                          sourceFile(dir, QStringLiteral("s.txt"), lines)};
    if (quiet)
        arguments << "--quiet";

    CliRun run;
    if (terminal) {
        QString command = m_program;
        for (const QString& a : arguments)
            command += QStringLiteral(" '") + a + u'\'';
        run = runCli(script, {"-qec", command, "/dev/null"}, dir.path());
    } else {
        run = runCli(m_program, arguments, dir.path());
    }
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    const QString seen = run.out + run.err;
    QCOMPARE(seen.contains(QStringLiteral("\r250/250 rows, ")), shown);
    QCOMPARE(seen.contains(QStringLiteral("rows/s")), shown);
    QVERIFY(seen.contains(QStringLiteral("Rows imported: 250")));
}

void TestCliImport::progressIsToldEveryHundredRows_data()
{
    QTest::addColumn<bool>("sheet");
    QTest::addColumn<int>("rows"); // rows to import
    QTest::addColumn<QList<int>>("told");
    QTest::newRow("text, 250 lines") << false << 250 << QList<int>{0, 100, 200, 250};
    QTest::newRow("text, 200 lines") << false << 200 << QList<int>{0, 100, 200};
    QTest::newRow("sheet, 150 rows") << true << 150 << QList<int>{0, 100, 150};
}

// The engine's hook, through the harness the window's tests use.
void TestCliImport::progressIsToldEveryHundredRows()
{
    QFETCH(bool, sheet);
    QFETCH(int, rows);
    QFETCH(QList<int>, told);

    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    RunSession session(db.path());
    PlainViews views;
    if (sheet) {
        // Type 4: the name in column 2, the prices in columns 8 and 9.
        QList<QStringList> grid{QStringList(10, QStringLiteral("HEADER"))};
        for (int i = 1; i <= rows; ++i) {
            QStringList row(10);
            row[2] = QStringLiteral("P%1").arg(i);
            row[8] = row[9] = QStringLiteral("1");
            grid << row;
        }
        loadSheet(views, 4, grid);
    } else {
        QStringList lines;
        for (int i = 1; i <= rows; ++i)
            lines << QStringLiteral("P;%1;;;;;UN;;;;;P%1;;;;;40").arg(i);
        loadText(views, 13, lines);
    }
    ScriptedDialogs dialogs;
    dialogs.answer(MsgDlgBtn::OK).cancelSave();
    QTemporaryDir dir;
    dialogs.setSaveFileName(dir.filePath(QStringLiteral("log.txt")));
    QList<int> seen;
    ImportContext context = session.context(views, dialogs);
    context.progress = [&](int done, int total) {
        QCOMPARE(total, rows);
        seen << done;
    };
    RunResult result;
    context.result = &result;
    RunFullImport(context);
    QCOMPARE(seen, told);
    QCOMPARE(result.rows, rows);
    QCOMPARE(result.failed, 0);
}

QTEST_MAIN(TestCliImport)
#include "tst_cli_import.moc"
