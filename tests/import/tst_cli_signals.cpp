// The command under signals, and with its output taken away: whatever arrives, the product
// table holds either exactly its old rows or the complete import, and the exit status, the
// message and the error log say which. Signals, and an output closed between fork and exec,
// are a POSIX system's: this test is built only there, and calls the system itself.
#include "CliProcess.h"
#include "TestDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TestDatabase::Access)

namespace {

using Table = QList<QMap<QString, QString>>;
constexpr int Products = 250; // more than one progress step: "rows" pauses mid-loop

bool serverAvailable()
{
    return qgetenv("CB_TEST_SERVER") == "1";
}

QString signalName(int signal)
{
    return signal == SIGINT ? QStringLiteral("SIGINT") : signal == SIGTERM ? QStringLiteral("SIGTERM")
                                                                           : QStringLiteral("SIGHUP");
}

// Type 13 lines, and one whose code is not a number: the run fails that row alone.
QString writeSource(const QTemporaryDir& dir)
{
    QStringList lines;
    for (int i = 1; i <= Products; ++i)
        lines.append(QStringLiteral(";%1;;;;;;;;;;PRODUTO %1;").arg(i));
    lines.append(QStringLiteral(";x;;;;;;;;;;NOT A CODE;"));
    const QString path = dir.filePath(QStringLiteral("catalogo.txt"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(lines.join(QStringLiteral("\r\n")).toLatin1());
    return path;
}

// The delete of each old row takes long in the server, so a signal at the wipe meets the
// statement while it runs. Bounded: a cancel that never arrives ends in a wrong exit status,
// not in a hang.
const QString SlowDelete = QStringLiteral(
    "set term ^;\n"
    "create trigger c000025_slow for c000025 before delete as\n"
    "declare i bigint = 0;\n"
    "begin while (i < 300000000) do i = i + 1; end^\n"
    "set term ;^\n");

struct Fixture {
    std::unique_ptr<TestDatabase> db;
    QTemporaryDir dir;
    QString source;
    QString log;

    explicit Fixture(TestDatabase::Access access)
    {
        TestDatabase::Options options;
        options.access = access;
        db = std::make_unique<TestDatabase>(options);
        source = writeSource(dir);
        log = dir.filePath(QStringLiteral("ErrorLog.txt"));
    }
    bool addOldRows() const
    {
        return db->isValid()
            && db->execute(QStringLiteral(
                "insert into c000025 (codigo, produto) values ('900001', 'OLD ONE');\n"
                "insert into c000025 (codigo, produto) values ('900002', 'OLD TWO');"));
    }
    QStringList arguments() const
    {
        return {QStringLiteral("--type"), QStringLiteral("13"), QStringLiteral("--database"),
                db->attachString(), QStringLiteral("--yes"), QStringLiteral("--quiet"),
                QStringLiteral("--log"), log, source};
    }
    Table table() const
    {
        return db->select(QStringLiteral("select * from c000025 order by codigo, codbarra, produto"));
    }
    QStringList logLines() const
    {
        QFile f(log);
        if (!f.open(QIODevice::ReadOnly))
            return {QStringLiteral("<no log>")};
        return QString::fromLatin1(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
};

// A listening socket that never answers: the kernel completes the connection, nobody speaks.
class SilentServer {
public:
    SilentServer()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof a;
        if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(m_fd, 8) != 0
            || ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&a), &length) != 0)
            return;
        m_port = ntohs(a.sin_port);
    }
    ~SilentServer()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    int port() const { return m_port; }

private:
    int m_fd = -1;
    int m_port = 0;
};

void closeReadEndOf(int fd)
{
    int ends[2];
    if (::pipe(ends) != 0)
        ::_exit(99);
    ::close(ends[0]);
    ::dup2(ends[1], fd);
    ::close(ends[1]);
}

} // namespace

class TestCliSignals : public QObject {
    Q_OBJECT
private slots:
    void init();
    void signalDuringTheRun_data();
    void signalDuringTheRun();
    void outputTakenAway_data();
    void outputTakenAway();
    void interruptedConnectEndsAtOnce();
};

void TestCliSignals::init()
{
    if (!CliProcess::built())
        QSKIP("converter-banco-import is not built");
}

void TestCliSignals::signalDuringTheRun_data()
{
    QTest::addColumn<TestDatabase::Access>("access");
    QTest::addColumn<QString>("point"); // wipe, rows or commit
    QTest::addColumn<int>("signal");
    for (const char* point : {"wipe", "rows", "commit"})
        for (int signal : {SIGINT, SIGTERM, SIGHUP})
            QTest::addRow("embedded, %s at the %s", qPrintable(signalName(signal)), point)
                << TestDatabase::Access::Embedded << QString::fromLatin1(point) << signal;
    QTest::newRow("server, SIGTERM at the wipe") << TestDatabase::Access::Server << "wipe" << SIGTERM;
    QTest::newRow("server, SIGINT mid-rows") << TestDatabase::Access::Server << "rows" << SIGINT;
    QTest::newRow("server, SIGHUP at the commit") << TestDatabase::Access::Server << "commit" << SIGHUP;
}

void TestCliSignals::signalDuringTheRun()
{
    QFETCH(TestDatabase::Access, access);
    QFETCH(QString, point);
    QFETCH(int, signal);
    if (access == TestDatabase::Access::Server && !serverAvailable())
        QSKIP("no Firebird server for this run (CB_TEST_SERVER is not 1)");
    Fixture f(access);
    QVERIFY2(f.addOldRows(), qPrintable(f.db->error()));
    if (point == QLatin1String("wipe"))
        QVERIFY(f.db->execute(SlowDelete));
    const Table before = f.table();

    CliProcess cli(CliLaunch::portuguese());
    cli.start(f.arguments(), f.dir.path(), point);
    QVERIFY2(cli.waitForPause(point), "the command never reached the point");
    cli.signal(signal);
    const CliOutcome outcome = cli.finish();
    QVERIFY2(outcome.ended && !outcome.crashed, qPrintable(outcome.err));

    if (point == QLatin1String("commit")) {
        // Too late to stop: the import stands, with its failed row logged, and says so.
        QCOMPARE(outcome.exitCode, 1);
        QVERIFY2(outcome.err.contains(signalName(signal) + QStringLiteral(" recebido depois do início do commit")),
                 qPrintable(outcome.err));
        QCOMPARE(f.db->count(), Products);
        QCOMPARE(f.logLines().size(), 1);
        // The line's code is its number; the name still held is the row before's.
        QVERIFY2(f.logLines().first().startsWith(QStringLiteral("Nome: PRODUTO %1|Código: %2|Erro: ")
                                                     .arg(Products)
                                                     .arg(Products + 1)),
                 qPrintable(f.logLines().first()));
        return;
    }
    QCOMPARE(outcome.exitCode, 128 + signal);
    QVERIFY2(outcome.err.contains(QStringLiteral("Importação interrompida (%1): nada foi alterado no banco de dados.")
                                      .arg(signalName(signal))),
             qPrintable(outcome.err));
    QVERIFY(!QFile::exists(f.log)); // a log of rows that were never kept would mislead
    QCOMPARE(f.table(), before);
}

void TestCliSignals::outputTakenAway_data()
{
    QTest::addColumn<int>("how");
    QTest::newRow("the reader of stdout went away") << 0;
    QTest::newRow("the readers of stdout and stderr went away") << 1;
    QTest::newRow("stdout closed") << 2;
}

// A closed output must change nothing of the run: the commit, the log and the exit status.
void TestCliSignals::outputTakenAway()
{
    QFETCH(int, how);
    Fixture f(TestDatabase::Access::Embedded);
    QVERIFY2(f.addOldRows(), qPrintable(f.db->error()));
    CliProcess cli(CliLaunch::portuguese());
    cli.start(f.arguments(), f.dir.path(), QString(), [how] {
        if (how == 2) {
            ::close(STDOUT_FILENO);
            return;
        }
        closeReadEndOf(STDOUT_FILENO);
        if (how == 1)
            closeReadEndOf(STDERR_FILENO);
    });
    const CliOutcome outcome = cli.finish();
    QVERIFY2(outcome.ended && !outcome.crashed, "the command died of its closed output");
    QCOMPARE(outcome.exitCode, 1);
    QCOMPARE(f.db->count(), Products);
    QCOMPARE(f.logLines().size(), 1);
}

// A server that never answers: Ctrl-C ends the command at once, with nothing changed.
void TestCliSignals::interruptedConnectEndsAtOnce()
{
    SilentServer silent;
    QVERIFY(silent.port() > 0);
    QTemporaryDir dir;
    const QString source = writeSource(dir);
    CliProcess cli(CliLaunch::portuguese());
    cli.start({QStringLiteral("--type"), QStringLiteral("13"), QStringLiteral("--database"),
               QStringLiteral("127.0.0.1/%1:/srv/base.fdb").arg(silent.port()), QStringLiteral("--yes"),
               QStringLiteral("--log"), dir.filePath(QStringLiteral("ErrorLog.txt")), source},
              dir.path(), QStringLiteral("connect"));
    QVERIFY(cli.waitForPause(QStringLiteral("connect")));
    cli.signal(SIGINT);
    const CliOutcome outcome = cli.finish(); // the client library alone would wait minutes
    QVERIFY(outcome.ended && !outcome.crashed);
    QCOMPARE(outcome.exitCode, 130);
    QVERIFY2(outcome.err.contains(QStringLiteral("Importação interrompida (SIGINT): nada foi alterado")),
             qPrintable(outcome.err));
}

QTEST_GUILESS_MAIN(TestCliSignals)
#include "tst_cli_signals.moc"
