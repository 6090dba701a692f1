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

QString errorOf(const QString& logLine)
{
    return logLine.mid(logLine.indexOf(QLatin1String("|Erro: ")) + 7);
}

} // namespace

class TestServerLost : public QObject {
    Q_OBJECT
private slots:
    void killedServerLosesNothing();
};

void TestServerLost::killedServerLosesNothing()
{
    if (const QString reason = PrivateServer::unavailableReason(); !reason.isEmpty())
        QSKIP(qPrintable(reason));
    PrivateServer server;
    QVERIFY2(server.start(), qPrintable(server.error()));
    TestDatabase::Options options;
    options.access = TestDatabase::Access::Server;
    options.server = server.address();
    TestDatabase db(options);
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QVERIFY(db.execute(QStringLiteral(
        "insert into c000025 (codigo, produto) values ('900001', 'OLD ONE');\n"
        "insert into c000025 (codigo, produto) values ('900002', 'OLD TWO');")));

    PlainViews views;
    loadSheet(views, 4, productSheet(SheetRows));
    views.onGridRowChanged = [&] {
        if (views.currentRow == KillAtRow)
            server.kill();
    };
    ScriptedDialogs dialogs;
    dialogs.answer(MsgDlgBtn::OK);
    auto session = std::make_unique<RunSession>(db.attachString());

    QElapsedTimer clock;
    clock.start();
    // As the window does with an error that escapes the run: the standard error box.
    try {
        Button2Click(session->context(views, dialogs));
    } catch (const std::exception& e) {
        dialogs.showError(errorMessage(e));
    }
    session.reset();
    const qint64 elapsed = clock.elapsed();
    qInfo("run with the server killed after %d of %d rows: %lld ms", KillAtRow - 1, SheetRows,
          elapsed);
    QVERIFY2(elapsed < 60000, "the run hangs on the lost server"); // a hang guard only

    QVERIFY(!server.running());
    const int lost = SheetRows - (KillAtRow - 1);
    QCOMPARE(views.errors.size(), lost);
    const QString connectionError = errorOf(views.errors.first());
    // The first statement after the kill fails on writing, the ones after it on reading.
    QSet<QString> distinct;
    for (const QString& line : std::as_const(views.errors)) {
        QVERIFY2(line.contains(QLatin1String(" data ")) && line.contains(QLatin1String("the connection.")),
                 qPrintable(line));
        distinct.insert(errorOf(line));
    }
    qInfo("row errors: %s", qPrintable(QStringList(distinct.values()).join(u'|').replace(u'\r', u' ')));
    QCOMPARE(views.errors.first(), QStringLiteral("Nome: PRODUTO %1|Código: %2|Erro: ")
                                           .arg(KillAtRow)
                                           .arg(KillAtRow + 1) // the sheet's row number
                                       + connectionError);

    // The commit's refusal is what the user sees; nothing claims the import went through.
    QCOMPARE(dialogs.errors().size(), 1);
    qInfo("error box: %s", qPrintable(QString(dialogs.errors().first()).replace(u'\r', u'|')));
    QVERIFY2(!dialogs.errors().first().trimmed().isEmpty(), "empty error box");
    QCOMPARE(dialogs.messages(), QStringList());
    QVERIFY(views.enabled);

    QVERIFY2(server.start(), qPrintable(server.error()));
    const auto rows = db.select(QStringLiteral("select codigo from c000025 order by codigo"));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].value(QStringLiteral("CODIGO")), QStringLiteral("900001"));
    QCOMPARE(rows[1].value(QStringLiteral("CODIGO")), QStringLiteral("900002"));
}

QTEST_GUILESS_MAIN(TestServerLost)
#include "tst_server_lost.moc"
