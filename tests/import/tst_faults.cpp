// Full import runs against databases that refuse part of the work: another connection's
// locks, a read-only database, a user without rights, a log that cannot be written. Each
// ends with a clear message and loses no product.
#include "FullImportRun.h"
#include "RunHarness.h"
#include "ScriptedDialogs.h"
#include "NonRegularFiles.h"
#include "TestDatabase.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString WipeRefused = QStringLiteral("Não foi possível zerar o banco de dados: ");
const QStringList OldCodes{"900001", "900002"};

bool serverAvailable()
{
    return qgetenv("CB_TEST_SERVER") == "1";
}

// Text lines of type 13: the code is the second ";" field, the name the twelfth.
QStringList typeThirteenLines(const QList<int>& codes)
{
    QStringList lines;
    for (int code : codes)
        lines.append(QStringLiteral(";%1;;;;;;;;;;PRODUTO %1;").arg(code));
    return lines;
}

// A connection of its own that holds work uncommitted, as another station of the shop
// would while the import runs.
struct OtherStation {
    DatabaseConnection connection;
    SqlQuery query{connection};

    explicit OtherStation(const TestDatabase& db)
    {
        db.configure(connection);
        query.AutoCommit = false;
    }
    void hold(const QString& statement)
    {
        query.SQL().Clear();
        query.SQL().Add(statement);
        query.ExecSQL();
    }
};

// Every run here confirms the wipe and ends with the error box, as the window shows it.
struct Fixture : RunFixture {
    explicit Fixture(TestDatabase::Options options = {}) : RunFixture(options)
    {
        dialogs.answer(MsgDlgBtn::OK);
    }
    void run(const QString& user = TestDatabase::user(), const QString& password = TestDatabase::password())
    {
        connect(user, password);
        runShowingErrors();
        session.reset();
    }
};

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void refusedWipeChangesNothing_data();
    void refusedWipeChangesNothing();
    void databaseWithoutProdutosStillImports();
    void pendingInsertOfAnotherStation();
    void unwritableLogComesAfterTheCommit_data();
    void unwritableLogComesAfterTheCommit();
};

enum class Refusal { LockedRow, ReadOnlyDatabase, NoRights };
Q_DECLARE_METATYPE(Refusal)

void TestFaults::refusedWipeChangesNothing_data()
{
    QTest::addColumn<Refusal>("refusal");
    QTest::addColumn<QString>("cause"); // the engine's own words, part of the shown message
    QTest::newRow("old row locked by another connection")
        << Refusal::LockedRow
        << "o banco de dados está em uso por outra conexão ou por uma importação que foi interrompida. "
           "Tente novamente em instantes.\rlock conflict on no wait transaction";
    QTest::newRow("read-only database")
        << Refusal::ReadOnlyDatabase << "\rattempted update on read-only database";
    QTest::newRow("user without rights")
        << Refusal::NoRights << "\rno permission for DELETE access to TABLE PRODUTOS";
}

void TestFaults::refusedWipeChangesNothing()
{
    QFETCH(Refusal, refusal);
    QFETCH(QString, cause);
    TestDatabase::Options options;
    if (refusal == Refusal::NoRights) {
        if (!serverAvailable())
            QSKIP("no Firebird server for this run (CB_TEST_SERVER is not 1)");
        options.access = TestDatabase::Access::Server;
    }
    Fixture f(options);
    QVERIFY2(f.addOldRows(), qPrintable(f.db.error()));
    loadText(f.views, 13, typeThirteenLines({1, 2, 3}));

    if (refusal == Refusal::LockedRow) {
        OtherStation other(f.db);
        other.hold(QStringLiteral("update c000025 set produto = 'HELD' where codigo = '900001'"));
        f.run();
    } else if (refusal == Refusal::ReadOnlyDatabase) {
        QCOMPARE(QProcess::execute(QStringLiteral("gfix"),
                                   {QStringLiteral("-mode"), QStringLiteral("read_only"),
                                    QStringLiteral("-user"), TestDatabase::user(), f.db.path()}),
                 0);
        f.run();
    } else {
        // A user the server knows, granted nothing on this database.
        QVERIFY(f.db.execute(QStringLiteral(
            "create or alter user CB_NORIGHTS password 'cbnorights' using plugin Srp;")));
        f.run(QStringLiteral("CB_NORIGHTS"), QStringLiteral("cbnorights"));
    }

    QCOMPARE(f.dialogs.errors().size(), 1);
    const QString shown = f.dialogs.errors().first();
    QVERIFY2(shown.startsWith(WipeRefused + cause), qPrintable(shown));
    QCOMPARE(f.dialogs.messages(), QStringList()); // no count: no row was tried
    QCOMPARE(f.views.errors, QStringList());
    QVERIFY(f.views.enabled);
    QCOMPARE(f.codes(), OldCodes);
}

// An old database without the PRODUTOS view: nothing to empty, the products are added.
void TestFaults::databaseWithoutProdutosStillImports()
{
    TestDatabase::Options options;
    options.withProdutosView = false;
    Fixture f(options);
    QVERIFY2(f.addOldRows(), qPrintable(f.db.error()));
    loadText(f.views, 13, typeThirteenLines({1, 2}));
    f.dialogs.cancelSave();
    f.run();
    QCOMPARE(f.dialogs.errors(), QStringList());
    QCOMPARE(f.dialogs.messages().value(0), countMessage(0));
    QCOMPARE(f.codes(), (QStringList{"000001", "000002", "900001", "900002"}));
}

// Another station has inserted a product and not yet committed: the run's reservation of
// the table is refused before anything changes, and the database is said to be in use.
void TestFaults::pendingInsertOfAnotherStation()
{
    Fixture f;
    QVERIFY2(f.addOldRows(), qPrintable(f.db.error()));
    loadText(f.views, 13, typeThirteenLines({1, 2, 3, 4}));
    {
        OtherStation other(f.db);
        other.hold(QStringLiteral("insert into c000025 (codigo, produto) values ('000002', 'HELD')"));
        f.run();
    } // the other station gives up its row
    QCOMPARE(f.dialogs.errors().size(), 1);
    QVERIFY2(f.dialogs.errors().first().startsWith(WipeRefused + QStringLiteral("o banco de dados está em uso")),
             qPrintable(f.dialogs.errors().first()));
    QCOMPARE(f.dialogs.messages(), QStringList());
    QCOMPARE(f.views.errors, QStringList());
    QCOMPARE(f.codes(), OldCodes);
}

void TestFaults::unwritableLogComesAfterTheCommit_data()
{
    QTest::addColumn<QString>("log");   // DIR stands for the test's folder
    QTest::addColumn<QString>("error"); // the start of what the error box shows
    QTest::newRow("folder missing") << "DIR/no/such/folder/ErrorLog.txt"
                                    << "Cannot create file \"DIR/no/such/folder/ErrorLog.txt\". ";
    QTest::newRow("disk full") << "/dev/full"
                               << "Cannot create file \"/dev/full\". No space left on device";
}

void TestFaults::unwritableLogComesAfterTheCommit()
{
    QFETCH(QString, log);
    QFETCH(QString, error);
    if (log.startsWith(u'/') && !QFile::exists(log))
        QSKIP("no such device here");
    Fixture f;
    QVERIFY2(f.addOldRows(), qPrintable(f.db.error()));
    log.replace(QLatin1String("DIR"), f.dir.path());
    error.replace(QLatin1String("DIR"), f.dir.path());
    f.dialogs.cancelSave().setSaveFileName(log);
    loadText(f.views, 13, typeThirteenLines({1, 2, 3}) + QStringList{";x;"});
    f.run();

    QCOMPARE(f.dialogs.errors().size(), 1);
    QVERIFY2(f.dialogs.errors().first().startsWith(error), qPrintable(f.dialogs.errors().first()));
    // The count came before the save; the closing "saved" message does not follow a failure.
    QCOMPARE(f.dialogs.messages(), QStringList{countMessage(1)});
    QCOMPARE(f.codes(), (QStringList{"000001", "000002", "000003"}));
    if (log.startsWith(QLatin1String("/dev/")))
        QVERIFY2(isNonRegularFile(log), "the device was replaced");
}

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
