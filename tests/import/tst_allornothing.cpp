// After any run the product table holds either exactly its old rows or the complete new
// import: runs that stop on a run error, that have nothing to import, of which every row
// fails, or whose log would replace a file they use, all leave the old rows as they were.
#include "ErrorScope.h"
#include "FullImportRun.h"
#include "ProductRange.h"
#include "RunHarness.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

using Table = QList<QMap<QString, QString>>;

const QString NothingChanged = QStringLiteral("Nada foi alterado no banco de dados.");

// Type 13: the code is the second ";" field, the name the twelfth. A code that is not a
// number fails its line.
QString productLine(const QString& code)
{
    return QStringLiteral(";%1;;;;;;;;;;PRODUTO %1;").arg(code);
}

QStringList productLines(const QStringList& codes)
{
    QStringList lines;
    for (const QString& code : codes)
        lines.append(productLine(code));
    return lines;
}

struct Fixture {
    std::unique_ptr<TestDatabase> db;
    QTemporaryDir dir;
    PlainViews views;
    ScriptedDialogs dialogs;
    RunResult result;
    std::function<bool()> stopRequested;
    QString sourceFile;

    explicit Fixture(TestDatabase::Options options = {})
        : db(std::make_unique<TestDatabase>(options))
    {
        dialogs.setSaveFileName(logPath());
    }
    QString logPath() const { return dir.filePath(QStringLiteral("ErrorLog.txt")); }
    bool addOldRows() const
    {
        return db->isValid()
            && db->execute(QStringLiteral(
                "insert into c000025 (codigo, produto, precovenda) values ('900001', 'OLD ONE', 1.5);\n"
                "insert into c000025 (codigo, produto, precovenda) values ('900002', 'OLD TWO', 2);"));
    }
    Table table() const
    {
        return db->select(QStringLiteral("select * from c000025 order by codigo, produto"));
    }
    void run()
    {
        RunSession session(db->attachString());
        ImportContext context = session.context(views, dialogs);
        context.result = &result;
        context.stopRequested = stopRequested;
        context.sourceFile = sourceFile;
        runShowingErrors(context);
    }
    QString shownError() const { return dialogs.errors().value(0); }
};

bool serverAvailable()
{
    return qgetenv("CB_TEST_SERVER") == "1";
}

} // namespace

class TestAllOrNothing : public QObject {
    Q_OBJECT
private slots:
    void nothingToImportTouchesNothing_data();
    void nothingToImportTouchesNothing();
    void trailingBlanksAreNotProducts_data();
    void trailingBlanksAreNotProducts();
    void everyRowFailedRollsBack();
    void runErrorInARowRollsBack_data();
    void runErrorInARowRollsBack();
    void logOverAFileOfTheRunIsRefused_data();
    void logOverAFileOfTheRunIsRefused();
    void logChosenOverTheDatabaseAtTheEnd();
    void noProdutosIsReported();
    void hugeRowMessageIsCutInTheLog();
};

void TestAllOrNothing::nothingToImportTouchesNothing_data()
{
    QTest::addColumn<bool>("sheet");
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<QStringList>>("source"); // grid rows, or one list of lines
    QTest::newRow("empty text file") << false << 13 << QList<QStringList>{{}};
    QTest::newRow("blank lines only") << false << 13 << QList<QStringList>{{"", "   ", "\t"}};
    QTest::newRow("type 6, its header line only") << false << 6 << QList<QStringList>{{"HEADER|X|Y"}};
    QTest::newRow("sheet of its header row only") << true << 4 << QList<QStringList>{{"A", "B", "NOME"}};
    QTest::newRow("sheet, header and empty rows")
        << true << 4 << QList<QStringList>{{"A", "B", "NOME"}, {"", "", ""}, {" ", "", ""}};
}

void TestAllOrNothing::nothingToImportTouchesNothing()
{
    QFETCH(bool, sheet);
    QFETCH(int, type);
    QFETCH(QList<QStringList>, source);
    Fixture f;
    QVERIFY2(f.addOldRows(), qPrintable(f.db->error()));
    const Table before = f.table();
    if (sheet)
        loadSheet(f.views, type, source);
    else
        loadText(f.views, type, source.first());
    QCOMPARE(ProductCount(f.views, type), 0);
    f.run(); // nothing scripted: a question would fail the test

    QCOMPARE(f.dialogs.questionTexts(), QStringList());
    QCOMPARE(f.dialogs.errors(),
             QStringList{QStringLiteral("O arquivo carregado não tem nenhum produto para importar. ")
                         + NothingChanged});
    QCOMPARE(f.views.errors, QStringList());
    QVERIFY(!QFile::exists(f.logPath()));
    QCOMPARE(f.table(), before);
}

void TestAllOrNothing::trailingBlanksAreNotProducts_data()
{
    QTest::addColumn<bool>("sheet");
    QTest::addColumn<int>("type");
    QTest::addColumn<QList<QStringList>>("source");
    QTest::addColumn<QStringList>("codes"); // what the table holds afterwards
    QTest::addColumn<int>("tried");

    const QStringList header{"A", "B", "NOME"};
    QTest::newRow("text ending in a blank line")
        << false << 13 << QList<QStringList>{productLines({"1", "2"}) << ""}
        << QStringList{"000001", "000002"} << 2;
    QTest::newRow("text, blank line between products, blanks at the end")
        << false << 13 << QList<QStringList>{QStringList{productLine("1"), "", productLine("3"), "", " ", "\t"}}
        << QStringList{"000001", "000003"} << 3;
    QTest::newRow("type 6, header, one product, a blank line")
        << false << 6 << QList<QStringList>{{"HEADER", "7890000000011|11|A||1||||||||||", ""}}
        << QStringList{"000011"} << 1;
    QList<QStringList> grid{header, {"", "", "P1"}, {"", "", ""}, {"", "", "P3"}};
    for (int i = 0; i < 500; ++i)
        grid.append({"", "", ""});
    QTest::newRow("sheet whose formatting reaches far below the products")
        << true << 4 << grid << QStringList{"000002", "000003", "000004"} << 3;
}

void TestAllOrNothing::trailingBlanksAreNotProducts()
{
    QFETCH(bool, sheet);
    QFETCH(int, type);
    QFETCH(QList<QStringList>, source);
    QFETCH(QStringList, codes);
    QFETCH(int, tried);
    Fixture f;
    QVERIFY2(f.addOldRows(), qPrintable(f.db->error()));
    if (sheet)
        loadSheet(f.views, type, source);
    else
        loadText(f.views, type, source.first());
    QCOMPARE(ProductCount(f.views, type), tried);
    f.dialogs.answer(MsgDlgBtn::OK).cancelSave();
    f.run();

    QCOMPARE(f.dialogs.errors(), QStringList());
    QCOMPARE(f.result.rows, tried);
    QStringList stored;
    for (const auto& row : f.table())
        stored.append(row.value(QStringLiteral("CODIGO")));
    // A blank line between products fails or imports as that line; none at the end is tried.
    for (const QString& code : codes)
        QVERIFY2(stored.contains(code), qPrintable(stored.join(u' ')));
    QCOMPARE(stored.size() + f.result.failed, tried);
}

// A wrong type choice fails every row: the old catalogue must stay.
void TestAllOrNothing::everyRowFailedRollsBack()
{
    Fixture f;
    QVERIFY2(f.addOldRows(), qPrintable(f.db->error()));
    const Table before = f.table();
    loadText(f.views, 13, productLines({"1x", "2x", "3x"}));
    f.dialogs.answer(MsgDlgBtn::OK).cancelSave();
    f.run();

    QCOMPARE(f.dialogs.errors(), QStringList());
    QCOMPARE(f.dialogs.messages(),
             (QStringList{countMessage(3),
                          QStringLiteral("Nenhum produto foi importado: o banco de dados não foi alterado."),
                          QStringLiteral("Log de erros salvo na pasta Raiz. \"ErrorLog.txt\"")}));
    QVERIFY(f.result.nothingImported);
    QCOMPARE(f.views.errors.size(), 3);
    QFile log(f.logPath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll().count("\r\n"), 3);
    QCOMPARE(f.table(), before);
}

enum class RunFault { TriggerException, StopRequest, ServerShutdown };
Q_DECLARE_METATYPE(RunFault)

void TestAllOrNothing::runErrorInARowRollsBack_data()
{
    QTest::addColumn<RunFault>("fault");
    QTest::addColumn<QString>("shown"); // the start of what the error box shows
    QTest::newRow("an error no row is known to cause")
        << RunFault::TriggerException
        << QStringLiteral("A importação parou: ocorreu um erro que impede continuar. ") + NothingChanged;
    QTest::newRow("a stop request between rows")
        << RunFault::StopRequest << QStringLiteral("A importação foi interrompida. ") + NothingChanged;
    QTest::newRow("the database shut down under the run")
        << RunFault::ServerShutdown
        << QStringLiteral("A importação parou: o banco de dados ou o servidor foi desligado. ") + NothingChanged;
}

void TestAllOrNothing::runErrorInARowRollsBack()
{
    QFETCH(RunFault, fault);
    QFETCH(QString, shown);
    TestDatabase::Options options;
    if (fault == RunFault::ServerShutdown) {
        if (!serverAvailable())
            QSKIP("no Firebird server for this run (CB_TEST_SERVER is not 1)");
        options.access = TestDatabase::Access::Server;
    }
    Fixture f(options);
    QVERIFY2(f.addOldRows(), qPrintable(f.db->error()));
    if (fault == RunFault::TriggerException)
        QVERIFY(f.db->execute(QStringLiteral(
            "create exception e_refused 'refused';\nset term ^;\n"
            "create trigger c000025_refuse for c000025 before insert as begin\n"
            "  if (new.produto = 'PRODUTO 4') then exception e_refused; end^\nset term ;^\n")));
    const Table before = f.table();
    loadText(f.views, 13, productLines({"1", "2x", "3", "4", "5", "6"}));
    int asked = 0;
    f.stopRequested = [&] { return fault == RunFault::StopRequest && ++asked == 4; };
    if (fault == RunFault::ServerShutdown) {
        // Forced off while the run holds its transaction: its next statement meets it.
        f.stopRequested = [&] {
            if (++asked == 4)
                QProcess::execute(QStringLiteral("gfix"),
                                  {QStringLiteral("-shut"), QStringLiteral("full"), QStringLiteral("-force"),
                                   QStringLiteral("0"), QStringLiteral("-user"), TestDatabase::user(),
                                   QStringLiteral("-password"), TestDatabase::password(),
                                   f.db->attachString()});
            return false;
        };
    }
    f.dialogs.answer(MsgDlgBtn::OK);
    f.run();

    QCOMPARE(f.dialogs.errors().size(), 1);
    QVERIFY2(f.shownError().startsWith(shown), qPrintable(f.shownError()));
    QCOMPARE(f.dialogs.messages(), QStringList()); // no count, no save: the run did not end
    QVERIFY(f.views.enabled);
    QCOMPARE(f.views.errors.size(), 1); // the row of its own fault before the stop ("2x")
    QVERIFY(!QFile::exists(f.logPath()));
    if (fault == RunFault::ServerShutdown)
        QCOMPARE(QProcess::execute(QStringLiteral("gfix"),
                                   {QStringLiteral("-online"), QStringLiteral("-user"), TestDatabase::user(),
                                    QStringLiteral("-password"), TestDatabase::password(),
                                    f.db->attachString()}),
                 0);
    QCOMPARE(f.table(), before);
}

void TestAllOrNothing::logOverAFileOfTheRunIsRefused_data()
{
    QTest::addColumn<QString>("log"); // DB, SRC, or LINK (a symbolic link to the database)
    QTest::addColumn<QString>("what");
    QTest::newRow("the database file") << "DB" << "o banco de dados";
    QTest::newRow("a link to the database file") << "LINK" << "o banco de dados";
    QTest::newRow("the source") << "SRC" << "o arquivo de origem";
}

void TestAllOrNothing::logOverAFileOfTheRunIsRefused()
{
    QFETCH(QString, log);
    QFETCH(QString, what);
    Fixture f;
    QVERIFY2(f.addOldRows(), qPrintable(f.db->error()));
    const Table before = f.table();
    const qint64 dbSize = QFileInfo(f.db->path()).size();
    f.sourceFile = f.dir.filePath(QStringLiteral("source.txt"));
    QFile source(f.sourceFile);
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write(productLines({"1", "2"}).join(QStringLiteral("\r\n")).toLatin1());
    source.close();
    QString target = log == QLatin1String("SRC") ? f.sourceFile : f.db->path();
    if (log == QLatin1String("LINK")) {
        target = f.dir.filePath(QStringLiteral("ErrorLog.txt"));
        QVERIFY(QFile::link(f.db->path(), target));
    }
    f.dialogs.setSaveFileName(target);
    loadText(f.views, 13, productLines({"1", "2"}));
    f.run(); // refused before the confirmation is asked

    QCOMPARE(f.dialogs.questionTexts(), QStringList());
    QCOMPARE(f.dialogs.errors(),
             QStringList{QStringLiteral("O log de erros não será gravado em \"%1\": esse arquivo é %2.")
                             .arg(target, what)});
    QVERIFY(QFileInfo(f.db->path()).isFile());
    QCOMPARE(QFileInfo(f.db->path()).size(), dbSize);
    QCOMPARE(f.table(), before); // still a database, with its rows
}

// The window asks for the log's name only after the commit: a name that is the database is
// still refused, and the database keeps the import.
void TestAllOrNothing::logChosenOverTheDatabaseAtTheEnd()
{
    Fixture f;
    QVERIFY2(f.db->isValid(), qPrintable(f.db->error()));
    loadText(f.views, 13, productLines({"1", "2"}));
    f.dialogs.answer(MsgDlgBtn::OK).chooseSaveFile(f.db->path());
    f.run();
    QCOMPARE(f.dialogs.errors().size(), 1);
    QVERIFY2(f.shownError().startsWith(QStringLiteral("O log de erros não será gravado")),
             qPrintable(f.shownError()));
    QCOMPARE(f.dialogs.messages(), QStringList{countMessage(0)});
    QCOMPARE(f.db->count(), 2);
}

void TestAllOrNothing::noProdutosIsReported()
{
    TestDatabase::Options options;
    options.withProdutosView = false;
    Fixture f(options);
    QVERIFY2(f.addOldRows(), qPrintable(f.db->error()));
    loadText(f.views, 13, productLines({"1"}));
    f.dialogs.answer(MsgDlgBtn::OK).cancelSave();
    f.run();
    QCOMPARE(f.dialogs.errors(), QStringList());
    QVERIFY2(f.result.notEmptied.contains(QLatin1String("PRODUTOS")), qPrintable(f.result.notEmptied));
    QCOMPARE(f.db->count(), 3);
}

// A source of huge cells must not make a huge log: each row's line is cut, and says so.
void TestAllOrNothing::hugeRowMessageIsCutInTheLog()
{
    Fixture f;
    QVERIFY2(f.db->isValid(), qPrintable(f.db->error()));
    const QString huge(20000, u'N'); // far too long for the name column
    loadText(f.views, 13, {QStringLiteral(";1;;;;;;;;;;%1;").arg(huge), productLine("2")});
    f.dialogs.answer(MsgDlgBtn::OK).cancelSave();
    f.run();
    QCOMPARE(f.views.errors.size(), 1);
    const QString line = f.views.errors.first();
    QCOMPARE(line.size(), 4096);
    QVERIFY2(line.startsWith(QStringLiteral("Nome: NNN")), qPrintable(line.left(20)));
    QVERIFY2(QRegularExpression(QStringLiteral(" \\[\\.\\.\\.\\] \\(linha cortada: tinha 2\\d{4} caracteres\\)$"))
                 .match(line).hasMatch(),
             qPrintable(line.right(60)));
    QVERIFY(QFileInfo(f.logPath()).size() < 4200);
    QCOMPARE(f.db->count(), 1);
}

QTEST_GUILESS_MAIN(TestAllOrNothing)
#include "tst_allornothing.moc"
