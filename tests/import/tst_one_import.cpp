// Two imports into one database, an import whose client died, and a disk that fills up: one
// run at a time ever commits, the second says the database is in use (or waits with --wait),
// and a run that cannot finish leaves the old rows.
#include "CliProcess.h"
#include "TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString InUse = QStringLiteral("Não foi possível zerar o banco de dados: o banco de dados está em uso por "
                                     "outra conexão ou por uma importação que foi interrompida. Tente novamente "
                                     "em instantes.");

bool serverAvailable()
{
    return qgetenv("CB_TEST_SERVER") == "1";
}

// Type 13 lines with the codes first to first + count - 1.
QString writeSource(const QTemporaryDir& dir, const QString& name, int first, int count)
{
    QStringList lines;
    for (int code = first; code < first + count; ++code)
        lines.append(QStringLiteral(";%1;;;;;;;;;;PRODUTO %1;").arg(code));
    return sourceFile(dir, name, lines);
}

QStringList arguments(const TestDatabase& db, const QString& source, const QString& log,
                      const QStringList& more = {})
{
    return QStringList{QStringLiteral("--type"), QStringLiteral("13"), QStringLiteral("--database"),
                       db.attachString(), QStringLiteral("--yes"), QStringLiteral("--quiet"),
                       QStringLiteral("--log"), log}
         + more + QStringList{source};
}

// The codes in the table, each with how often it is there.
QMap<QString, int> codes(const TestDatabase& db)
{
    QMap<QString, int> counted;
    for (const auto& row : db.select(QStringLiteral("select codigo from c000025")))
        ++counted[row.value(QStringLiteral("CODIGO"))];
    return counted;
}

QMap<QString, int> codesOf(int first, int count)
{
    QMap<QString, int> expected;
    for (int code = first; code < first + count; ++code)
        expected.insert(QStringLiteral("%1").arg(code, 6, 10, QLatin1Char('0')), 1);
    return expected;
}

std::unique_ptr<TestDatabase> serverDatabase()
{
    TestDatabase::Options options;
    options.access = TestDatabase::Access::Server;
    return std::make_unique<TestDatabase>(options);
}

} // namespace

class TestOneImport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void twoRunsNeverBothCommit_data();
    void twoRunsNeverBothCommit();
    void killedClientThenWait();
    void serverSeesOneProtectedRun();
    void diskFullLeavesTheOldRows();
};

void TestOneImport::init()
{
    if (!CliProcess::built())
        QSKIP("converter-banco-import is not built");
}

void TestOneImport::twoRunsNeverBothCommit_data()
{
    QTest::addColumn<bool>("oldRows");
    QTest::addColumn<int>("wait"); // the second run's --wait
    QTest::newRow("empty table, second refused") << false << 0;
    QTest::newRow("old rows, second refused") << true << 0;
    QTest::newRow("empty table, second waits") << false << 30;
    QTest::newRow("old rows, second waits") << true << 30;
}

// The first run is held at its commit (begun, so it cannot be stopped) while the second
// starts: the second must not get in before the first has ended.
void TestOneImport::twoRunsNeverBothCommit()
{
    QFETCH(bool, oldRows);
    QFETCH(int, wait);
    if (!serverAvailable())
        QSKIP("no Firebird server for this run (CB_TEST_SERVER is not 1)");
    const auto db = serverDatabase();
    QVERIFY2(db->isValid(), qPrintable(db->error()));
    if (oldRows)
        QVERIFY(db->execute(QStringLiteral("insert into c000025 (codigo, produto) values ('900001', 'OLD');")));
    QTemporaryDir dir;
    const QString firstSource = writeSource(dir, QStringLiteral("a.txt"), 1, 150);
    const QString secondSource = writeSource(dir, QStringLiteral("b.txt"), 1001, 150);

    CliProcess first(CliLaunch::portuguese());
    first.start(arguments(*db, firstSource, dir.filePath(QStringLiteral("a.log"))), dir.path(),
                QStringLiteral("commit"));
    QVERIFY(first.waitForPause(QStringLiteral("commit")));
    CliProcess second(CliLaunch::portuguese());
    const QStringList more = wait > 0 ? QStringList{QStringLiteral("--wait"), QString::number(wait)} : QStringList();
    second.start(arguments(*db, secondSource, dir.filePath(QStringLiteral("b.log")), more), dir.path());
    if (wait == 0) {
        const CliOutcome refused = second.finish();
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.err.contains(InUse), qPrintable(refused.err));
        QVERIFY2(refused.err.contains(QStringLiteral("(--wait SEGUNDOS tenta de novo por esse tempo)")), qPrintable(refused.err));
    }
    first.resume();
    QCOMPARE(first.finish().exitCode, 0);
    if (wait == 0) {
        QCOMPARE(codes(*db), codesOf(1, 150));
        return;
    }
    const CliOutcome waited = second.finish();
    QCOMPARE(waited.exitCode, 0);
    QCOMPARE(codes(*db), codesOf(1001, 150)); // one after the other: the second replaced the first
}

// A client killed in the middle of its run leaves its work to the server, which undoes it
// once it notices; a run with --wait started at once gets in after that.
void TestOneImport::killedClientThenWait()
{
    if (!serverAvailable())
        QSKIP("no Firebird server for this run (CB_TEST_SERVER is not 1)");
    const auto db = serverDatabase();
    QVERIFY2(db->isValid(), qPrintable(db->error()));
    QVERIFY(db->execute(QStringLiteral("insert into c000025 (codigo, produto) values ('900001', 'OLD');")));
    QTemporaryDir dir;
    CliProcess killed(CliLaunch::portuguese());
    killed.start(arguments(*db, writeSource(dir, QStringLiteral("a.txt"), 1, 250), dir.filePath(QStringLiteral("a.log"))),
                 dir.path(), QStringLiteral("rows"));
    QVERIFY(killed.waitForPause(QStringLiteral("rows")));
    killed.kill();
    const CliRun next = runCli(
        arguments(*db, writeSource(dir, QStringLiteral("b.txt"), 1001, 50), dir.filePath(QStringLiteral("b.log")),
                  {QStringLiteral("--wait"), QStringLiteral("30")}),
        dir.path());
    QVERIFY2(next.exitCode == 0, qPrintable(next.err));
    QCOMPARE(codes(*db), codesOf(1001, 50));
}

// Held among its rows, the run as the server sees it from another connection: one
// transaction (read committed, no wait, writing), and a product table nobody else may write
// until the run ends.
void TestOneImport::serverSeesOneProtectedRun()
{
    if (!serverAvailable())
        QSKIP("no Firebird server for this run (CB_TEST_SERVER is not 1)");
    const auto db = serverDatabase();
    QVERIFY2(db->isValid(), qPrintable(db->error()));
    QTemporaryDir dir;
    CliProcess run(CliLaunch::portuguese());
    run.start(arguments(*db, writeSource(dir, QStringLiteral("a.txt"), 1, 250), dir.filePath(QStringLiteral("a.log"))),
              dir.path(), QStringLiteral("rows"));
    QVERIFY(run.waitForPause(QStringLiteral("rows")));

    const auto transactions = db->select(QStringLiteral(
        "select t.mon$isolation_mode as isolation, t.mon$lock_timeout as lock_timeout,"
        " t.mon$read_only as read_only from mon$transactions t"
        " join mon$attachments a on a.mon$attachment_id = t.mon$attachment_id"
        " where a.mon$attachment_id <> current_connection and a.mon$system_flag = 0"));
    QCOMPARE(transactions.size(), 1);
    QCOMPARE(transactions.first(), (QMap<QString, QString>{{"ISOLATION", "2"}, {"LOCK_TIMEOUT", "0"},
                                                           {"READ_ONLY", "0"}}));
    QString refusal;
    QVERIFY(!db->execute(QStringLiteral("set transaction no wait;\n"
                                        "insert into c000025 (codigo, produto) values ('900001', 'OTHER');"),
                         &refusal));
    QVERIFY2(refusal.contains(QLatin1String("lock")), qPrintable(refusal));

    run.resume();
    QCOMPARE(run.finish().exitCode, 0);
    QCOMPARE(codes(*db), codesOf(1, 250));
}

// The database on a small file system of its own that fills up under the run: the rows
// already written are undone, the old ones stay, and the command says so (exit 2).
void TestOneImport::diskFullLeavesTheOldRows()
{
    QTemporaryDir mountPoint;
    if (QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                    QStringLiteral("size=3m"), QStringLiteral("cbtest"), mountPoint.path()})
        != 0)
        QSKIP("cannot mount a small tmpfs here (needs root and mount rights)");
    struct Unmount {
        QString path;
        ~Unmount() { QProcess::execute(QStringLiteral("umount"), {QStringLiteral("--lazy"), path}); }
    } unmount{mountPoint.path()};

    TestDatabase db; // made elsewhere, then moved onto the small file system
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QVERIFY(db.execute(QStringLiteral("insert into c000025 (codigo, produto) values ('900001', 'OLD');")));
    const QString small = mountPoint.filePath(QStringLiteral("base.fdb"));
    QVERIFY(QFile::copy(db.path(), small));
    QTemporaryDir dir;
    QStringList lines;
    for (int code = 1; code <= 30000; ++code)
        lines.append(QStringLiteral(";%1;;;;;;;;;;%2;").arg(code).arg(QString(90, u'N')));
    const QString source = sourceFile(dir, QStringLiteral("big.txt"), lines);

    const QStringList args{QStringLiteral("--type"), QStringLiteral("13"), QStringLiteral("--database"), small,
                           QStringLiteral("--yes"), QStringLiteral("--quiet"), QStringLiteral("--log"),
                           dir.filePath(QStringLiteral("ErrorLog.txt")), source};
    const CliRun outcome = runCli(args, dir.path(), CliLaunch::portuguese());
    QVERIFY2(outcome.err.contains(QStringLiteral("No space left on device")), qPrintable(outcome.err));
    QCOMPARE(outcome.exitCode, 2);
    QVERIFY2(outcome.err.contains(QStringLiteral("Nada foi alterado no banco de dados.")),
             qPrintable(outcome.err));
    QVERIFY(QFile::remove(db.path()));
    QVERIFY(QFile::copy(small, db.path()));
    QCOMPARE(codes(db), (QMap<QString, int>{{QStringLiteral("900001"), 1}}));
}

QTEST_GUILESS_MAIN(TestOneImport)
#include "tst_one_import.moc"
