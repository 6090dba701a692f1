// The server goes away in the middle of an import over TCP: a private server of the test's
// own is killed after some rows, so the shared server on 3050 is never touched.
#include "FullImportRun.h"
#include "PrivateServer.h"
#include "RunHarness.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "platform/Error.h"

#include <QElapsedTimer>
#include <QtTest>

#include <memory>

namespace {

constexpr int SheetRows = 3000; // product rows, after the header
constexpr int KillAtRow = 1200; // grid row whose turn it is when the server dies

QList<QStringList> productSheet(int products)
{
    QList<QStringList> rows{{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("NOME")}};
    for (int i = 1; i <= products; ++i)
        rows.append({QString(), QString(), QStringLiteral("PRODUTO %1").arg(i)});
    return rows;
}

// What the client library says once the server is gone: the first statement fails on
// writing its request, later ones (or one that wrote before the kill) on reading the reply.
const QRegularExpression ConnectionLost(
    QStringLiteral("^\\rError (writing data to|reading data from) the connection\\.$"));

} // namespace

class TestServerLost : public QObject {
    Q_OBJECT
private slots:
    void killedServerLosesNothing();
    void serverGoneBeforeTheWipeEndsTheRun();
};

// A private server with a database holding two old products.
struct ServerWithOldRows {
    PrivateServer server;
    std::unique_ptr<TestDatabase> db;

    bool setUp()
    {
        if (!server.start())
            return false;
        TestDatabase::Options options;
        options.access = TestDatabase::Access::Server;
        options.server = server.address();
        db = std::make_unique<TestDatabase>(options);
        return db->isValid()
            && db->execute(QStringLiteral(
                "insert into c000025 (codigo, produto) values ('900001', 'OLD ONE');\n"
                "insert into c000025 (codigo, produto) values ('900002', 'OLD TWO');"));
    }
    QString error() const { return db ? db->error() : server.error(); }
    QStringList codesAfterRestart()
    {
        QStringList codes;
        if (!server.start())
            return {server.error()};
        for (const auto& row : db->select(QStringLiteral("select codigo from c000025 order by 1")))
            codes.append(row.value(QStringLiteral("CODIGO")));
        return codes;
    }
};

#define SKIP_WITHOUT_SERVER_PACKAGES()                                                         \
    do {                                                                                       \
        if (const QString reason_ = PrivateServer::unavailableReason(); !reason_.isEmpty())    \
            QSKIP(qPrintable(reason_));                                                        \
    } while (false)

void TestServerLost::killedServerLosesNothing()
{
    SKIP_WITHOUT_SERVER_PACKAGES();
    ServerWithOldRows f;
    QVERIFY2(f.setUp(), qPrintable(f.error()));
    PrivateServer& server = f.server;

    PlainViews views;
    loadSheet(views, 4, productSheet(SheetRows));
    views.onGridRowChanged = [&] {
        if (views.currentRow == KillAtRow)
            server.kill();
    };
    ScriptedDialogs dialogs;
    dialogs.answer(MsgDlgBtn::OK);
    auto session = std::make_unique<RunSession>(f.db->attachString());

    QElapsedTimer clock;
    clock.start();
    runShowingErrors(session->context(views, dialogs));
    session.reset();
    const qint64 elapsed = clock.elapsed();
    qInfo("run with the server killed after %d of %d rows: %lld ms", KillAtRow - 1, SheetRows,
          elapsed);
    QVERIFY2(elapsed < 60000, "the run hangs on the lost server"); // a hang guard only

    QVERIFY(!server.running());
    // The first row that meets the dead connection stops the run: it is no row's fault, so
    // no row is logged as failed, and the rows before it are rolled back.
    QCOMPARE(views.errors, QStringList());
    QCOMPARE(views.currentRow, KillAtRow);
    QCOMPARE(dialogs.errors().size(), 1);
    const QString shown = dialogs.errors().first();
    const QString stopped = QStringLiteral("A importação parou: a conexão com o banco de dados foi "
                                           "perdida. Nada foi alterado no banco de dados.\n");
    QVERIFY2(shown.startsWith(stopped)
                 && ConnectionLost.match(u'\r' + shown.mid(stopped.size())).hasMatch(),
             qPrintable(shown));
    QCOMPARE(dialogs.messages(), QStringList());
    QVERIFY(views.enabled);

    QCOMPARE(f.codesAfterRestart(), (QStringList{"900001", "900002"}));
}

// The wipe is the run's first statement; a connection already dead must stop the run there.
void TestServerLost::serverGoneBeforeTheWipeEndsTheRun()
{
    SKIP_WITHOUT_SERVER_PACKAGES();
    ServerWithOldRows f;
    QVERIFY2(f.setUp(), qPrintable(f.error()));
    PlainViews views;
    loadSheet(views, 4, productSheet(3));
    ScriptedDialogs dialogs;
    dialogs.answer(MsgDlgBtn::OK);
    {
        RunSession session(f.db->attachString());
        f.server.kill();
        runShowingErrors(session.context(views, dialogs));
    }
    QCOMPARE(dialogs.errors().size(), 1);
    const QString shown = dialogs.errors().first();
    const QString cause = QStringLiteral("Não foi possível zerar o banco de dados: ");
    QVERIFY2(shown.startsWith(cause) && ConnectionLost.match(shown.mid(cause.size())).hasMatch(),
             qPrintable(shown));
    QCOMPARE(dialogs.messages(), QStringList());
    QCOMPARE(views.errors, QStringList());
    QCOMPARE(f.codesAfterRestart(), (QStringList{"900001", "900002"}));
}

QTEST_GUILESS_MAIN(TestServerLost)
#include "tst_server_lost.moc"
