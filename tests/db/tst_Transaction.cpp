// The one default transaction as the full import relies on it: the wipe stays pending
// until Commit, failed statements leave it active, AutoCommit commits at once or retaining.
#include "DbTestSupport.h"

#include "DefaultTransaction.h"

using Access = TestDatabase::Access;

namespace {

void seed(const TestDatabase& db, int rows)
{
    QString sql;
    for (int i = 0; i < rows; ++i)
        sql += dbtest::insertProduct(QStringLiteral("S%1").arg(i)) + QStringLiteral(";\n");
    QString out;
    QVERIFY2(db.execute(sql, &out), qPrintable(out));
}

} // namespace

class TestTransaction : public QObject {
    Q_OBJECT
private slots:
    void wipeStaysPendingUntilCommit_data();
    void wipeStaysPendingUntilCommit();
    void wipeWithoutProdutosKeepsTransaction_data();
    void wipeWithoutProdutosKeepsTransaction();
    void rejectedInsertsLeaveTheRestPending_data();
    void rejectedInsertsLeaveTheRestPending();
    void autoCommit_data();
    void autoCommit();
    void autoCommitAfterFailureCommitsPendingWork();
    void connectionAutoCommitOffKeepsWorkPending();
    void openOfASelect();
    void commitStatementEndsTheTransaction();
    void commitNeedsAnActiveTransaction();
    void disconnectRollsBackAndNextStatementReconnects();
    void useCountStaysAtOneBetweenStatements();
    void serverSeesTheTransaction_data();
    void serverSeesTheTransaction();
    void reservationHoldsForOneTransaction_data();
    void reservationHoldsForOneTransaction();
    void cancelStopsWorkUntilTheCommitBegins();
};

void TestTransaction::wipeStaysPendingUntilCommit_data()
{
    QTest::addColumn<Access>("access");
    QTest::addColumn<bool>("commit");
    QTest::addColumn<int>("rowsLeft");
    dbtest::addAccessRows("committed", [](QTestData& r) { r << true << 0; });
    dbtest::addAccessRows("destroyed before commit", [](QTestData& r) { r << false << 3; });
}

void TestTransaction::wipeStaysPendingUntilCommit()
{
    QFETCH(Access, access);
    QFETCH(bool, commit);
    QFETCH(int, rowsLeft);
    CB_SKIP_UNLESS_AVAILABLE(access);
    TestDatabase db({access});
    CB_VERIFY_DB(db);
    seed(db, 3);
    {
        auto connection = dbtest::connectionTo(db);
        SqlQuery qrproduto(*connection);
        qrproduto.AutoCommit = false;
        qrproduto.SQL().Add(QStringLiteral("delete from PRODUTOS;"));
        // Its own type, which the wipe catches, with the message the user may read.
        CB_EXPECT_MESSAGE(qrproduto.Open(), NoRowsError,
                          QStringLiteral("SQL statement doesn't return rows"));
        QVERIFY(connection->defaultTransaction().Active());
        QCOMPARE(connection->defaultTransaction().useCount(), 1);
        // The server lets a second client look: the deletion is not visible yet.
        if (access == Access::Server)
            QCOMPARE(db.count(), 3);
        if (commit) {
            connection->Commit();
            QVERIFY(!connection->defaultTransaction().Active());
            QCOMPARE(connection->defaultTransaction().useCount(), 0);
        }
    }
    QCOMPARE(db.count(), rowsLeft);
}

void TestTransaction::wipeWithoutProdutosKeepsTransaction_data()
{
    QTest::addColumn<Access>("access");
    dbtest::addAccessRows("no PRODUTOS");
}

void TestTransaction::wipeWithoutProdutosKeepsTransaction()
{
    QFETCH(Access, access);
    CB_SKIP_UNLESS_AVAILABLE(access);
    TestDatabase::Options options{access};
    options.withProdutosView = false;
    TestDatabase db(options);
    CB_VERIFY_DB(db);
    seed(db, 2);
    {
        auto connection = dbtest::connectionTo(db);
        SqlQuery qrproduto(*connection);
        qrproduto.AutoCommit = false;
        qrproduto.SQL().Add(QStringLiteral("delete from PRODUTOS;"));
        bool engineError = false;
        try {
            qrproduto.Open();
        } catch (const EngineError& e) {
            engineError = true;
            QCOMPARE(e.ErrorCode, -204L); // unknown table, refused at prepare
        }
        QVERIFY(engineError);
        QVERIFY(connection->defaultTransaction().Active());

        SqlQuery query2(*connection);
        query2.AutoCommit = false;
        dbtest::setText(query2, dbtest::insertProduct(QStringLiteral("NEW")));
        query2.ExecSQL();
        connection->Commit();
    }
    QCOMPARE(db.count(), 3);
    QCOMPARE(db.count(QStringLiteral("c000025 where codigo = 'NEW'")), 1);
}

// The full import's shape: wipe, many inserts of which some are refused, one commit.
void TestTransaction::rejectedInsertsLeaveTheRestPending_data()
{
    QTest::addColumn<Access>("access");
    dbtest::addAccessRows("import");
}

void TestTransaction::rejectedInsertsLeaveTheRestPending()
{
    QFETCH(Access, access);
    CB_SKIP_UNLESS_AVAILABLE(access);
    TestDatabase db({access});
    CB_VERIFY_DB(db);
    seed(db, 4);
    const QStringList codes{QStringLiteral("1"), QStringLiteral("TOOLONG"), QStringLiteral("2"),
                            QString(), QStringLiteral("3"), QStringLiteral("1234567"),
                            QStringLiteral("4")};
    int failed = 0;
    {
        auto connection = dbtest::connectionTo(db);
        SqlQuery qrproduto(*connection);
        qrproduto.AutoCommit = false;
        qrproduto.SQL().Add(QStringLiteral("delete from PRODUTOS;"));
        try {
            qrproduto.Open();
        } catch (const std::exception&) {
        }
        SqlQuery query2(*connection);
        query2.AutoCommit = false;
        for (const QString& code : codes) {
            // An empty code stands for a NULL one, which the NOT NULL column refuses.
            dbtest::setText(query2, code.isEmpty()
                                        ? QStringLiteral("insert into c000025 (codigo) values (null)")
                                        : dbtest::insertProduct(code));
            try {
                query2.ExecSQL();
            } catch (const EngineError& e) {
                ++failed;
                QVERIFY(e.message().startsWith(u'\r'));
            }
            QVERIFY(connection->defaultTransaction().Active());
        }
        connection->Commit();
    }
    QCOMPARE(failed, 3);
    QCOMPARE(db.count(), 4);
    QCOMPARE(db.count(QStringLiteral("c000025 where codigo starting with 'S'")), 0);
}

void TestTransaction::autoCommit_data()
{
    QTest::addColumn<Access>("access");
    QTest::addColumn<bool>("pendingBefore");
    QTest::addColumn<bool>("commitAtEnd");
    QTest::addColumn<bool>("activeAfter");
    QTest::addColumn<int>("rowsKept");
    // Nothing pending: hard commit, the transaction ends.
    dbtest::addAccessRows("alone", [](QTestData& r) { r << false << false << false << 1; });
    // Work pending: commit-retaining keeps the transaction; what follows stays pending
    // and is rolled back without a commit, kept with one.
    dbtest::addAccessRows("after pending, no commit", [](QTestData& r) { r << true << false << true << 2; });
    dbtest::addAccessRows("after pending, commit", [](QTestData& r) { r << true << true << true << 3; });
}

void TestTransaction::autoCommit()
{
    QFETCH(Access, access);
    QFETCH(bool, pendingBefore);
    QFETCH(bool, commitAtEnd);
    QFETCH(bool, activeAfter);
    QFETCH(int, rowsKept);
    CB_SKIP_UNLESS_AVAILABLE(access);
    TestDatabase db({access});
    CB_VERIFY_DB(db);
    {
        auto connection = dbtest::connectionTo(db);
        DefaultTransaction& transaction = connection->defaultTransaction();
        SqlQuery query2(*connection);
        query2.AutoCommit = false;
        SqlQuery query(*connection); // AutoCommit on
        if (pendingBefore) {
            dbtest::setText(query2, dbtest::insertProduct(QStringLiteral("A")));
            query2.ExecSQL();
        }
        dbtest::setText(query, dbtest::insertProduct(QStringLiteral("B")));
        query.ExecSQL();
        QCOMPARE(transaction.Active(), activeAfter);
        QCOMPARE(transaction.useCount(), activeAfter ? 1 : 0);
        if (!activeAfter) {
            CB_EXPECT_MESSAGE(connection->Commit(), GeneralError,
                              QStringLiteral("Can't perform operation on inactive transaction"));
        } else {
            dbtest::setText(query2, dbtest::insertProduct(QStringLiteral("C")));
            query2.ExecSQL();
            if (commitAtEnd)
                connection->Commit();
        }
    }
    QCOMPARE(db.count(), rowsKept);
}

// A refused statement on an auto-commit component still ends in the commit: the work
// that was pending before it becomes permanent.
void TestTransaction::autoCommitAfterFailureCommitsPendingWork()
{
    TestDatabase db;
    CB_VERIFY_DB(db);
    {
        auto connection = dbtest::connectionTo(db);
        SqlQuery query2(*connection);
        query2.AutoCommit = false;
        dbtest::setText(query2, dbtest::insertProduct(QStringLiteral("A")));
        query2.ExecSQL();
        SqlQuery query(*connection);
        dbtest::setText(query, dbtest::insertProduct(QStringLiteral("TOOLONG")));
        QVERIFY_THROWS_EXCEPTION(EngineError, query.ExecSQL());
        QVERIFY(connection->defaultTransaction().Active());
    }
    QCOMPARE(db.count(), 1);
}

// Both halves of the rule must be on: with the connection's off, work stays pending.
void TestTransaction::connectionAutoCommitOffKeepsWorkPending()
{
    TestDatabase db;
    CB_VERIFY_DB(db);
    {
        auto connection = dbtest::connectionTo(db);
        connection->AutoCommit = false;
        SqlQuery query(*connection);
        dbtest::setText(query, dbtest::insertProduct(QStringLiteral("P")));
        query.ExecSQL();
        QVERIFY(connection->defaultTransaction().Active());
    }
    QCOMPARE(db.count(), 0);
}

// A select returns rows: Open runs it without raising, and no auto-commit follows.
void TestTransaction::openOfASelect()
{
    TestDatabase db;
    CB_VERIFY_DB(db);
    auto connection = dbtest::connectionTo(db);
    SqlQuery query(*connection);
    dbtest::setText(query, QStringLiteral("select count(*) from c000025"));
    query.Open();
    QVERIFY(connection->defaultTransaction().Active());
    connection->Commit();
}

// A COMMIT statement ends the transaction itself; the next statement starts a new one.
void TestTransaction::commitStatementEndsTheTransaction()
{
    TestDatabase db;
    CB_VERIFY_DB(db);
    {
        auto connection = dbtest::connectionTo(db);
        SqlQuery query2(*connection);
        query2.AutoCommit = false;
        dbtest::setText(query2, dbtest::insertProduct(QStringLiteral("A")));
        query2.ExecSQL();
        dbtest::setText(query2, QStringLiteral("commit"));
        query2.ExecSQL();
        QVERIFY(!connection->defaultTransaction().Active());
        QCOMPARE(connection->defaultTransaction().useCount(), 0);
        dbtest::setText(query2, dbtest::insertProduct(QStringLiteral("B")));
        query2.ExecSQL();
        QCOMPARE(connection->defaultTransaction().useCount(), 1);
    }
    QCOMPARE(db.count(), 1);
}

void TestTransaction::commitNeedsAnActiveTransaction()
{
    TestDatabase db;
    CB_VERIFY_DB(db);
    auto connection = dbtest::connectionTo(db);
    // Neither a closed connection nor a connected one without work has a transaction.
    CB_EXPECT_MESSAGE(connection->Commit(), GeneralError,
                      QStringLiteral("Can't perform operation on inactive transaction"));
    connection->setConnected(true);
    CB_EXPECT_MESSAGE(connection->Commit(), GeneralError,
                      QStringLiteral("Can't perform operation on inactive transaction"));
    QVERIFY(!connection->defaultTransaction().Active());
}

void TestTransaction::disconnectRollsBackAndNextStatementReconnects()
{
    TestDatabase db;
    CB_VERIFY_DB(db);
    {
        auto connection = dbtest::connectionTo(db);
        SqlQuery query2(*connection);
        query2.AutoCommit = false;
        dbtest::setText(query2, dbtest::insertProduct(QStringLiteral("GONE")));
        query2.ExecSQL();
        connection->setConnected(false);
        QVERIFY(!connection->Connected());
        QVERIFY(!connection->defaultTransaction().Active());
        dbtest::setText(query2, dbtest::insertProduct(QStringLiteral("KEPT")));
        query2.ExecSQL();
        QVERIFY(connection->Connected());
        connection->Commit();
    }
    QCOMPARE(db.count(), 1);
    QCOMPARE(db.count(QStringLiteral("c000025 where codigo = 'KEPT'")), 1);
}

// The use count: 1 while work is pending, whatever the number of statements.
void TestTransaction::useCountStaysAtOneBetweenStatements()
{
    TestDatabase db;
    CB_VERIFY_DB(db);
    auto connection = dbtest::connectionTo(db);
    SqlQuery query2(*connection);
    query2.AutoCommit = false;
    for (int i = 0; i < 3; ++i) {
        dbtest::setText(query2, dbtest::insertProduct(QString::number(i)));
        query2.ExecSQL();
        QCOMPARE(connection->defaultTransaction().useCount(), 1);
    }
    connection->Commit();
    QCOMPARE(connection->defaultTransaction().useCount(), 0);
}

// What the server makes of the transaction the components share, read back from its own
// monitoring table: it reads committed rows in their latest version, it does not wait
// for another transaction's locks (a conflict fails the row at once, which the run
// reports and goes on), and it may write.
void TestTransaction::serverSeesTheTransaction_data()
{
    QTest::addColumn<Access>("access");
    QTest::addColumn<bool>("reserved");
    dbtest::addAccessRows("plain", [](QTestData& r) { r << false; });
    dbtest::addAccessRows("reserved", [](QTestData& r) { r << true; });
}

void TestTransaction::serverSeesTheTransaction()
{
    QFETCH(Access, access);
    QFETCH(bool, reserved);
    CB_SKIP_UNLESS_AVAILABLE(access);
    TestDatabase db({access});
    CB_VERIFY_DB(db);
    auto connection = dbtest::connectionTo(db);
    if (reserved)
        connection->defaultTransaction().reserveForWriting({QStringLiteral("C000025")});
    SqlQuery query(*connection);
    query.AutoCommit = false;
    query.ParamCheck = false; // ":isolation" names the block's output, not a parameter
    dbtest::setText(query, QStringLiteral(
        "execute block returns (isolation varchar(12), lock_timeout varchar(12), read_only varchar(12))\n"
        "as begin\n"
        "  select mon$isolation_mode, mon$lock_timeout, mon$read_only from mon$transactions\n"
        "  where mon$transaction_id = current_transaction\n"
        "  into :isolation, :lock_timeout, :read_only;\n"
        "  suspend;\n"
        "end"));
    // 2: read committed, record version; a lock timeout of 0: no wait.
    QCOMPARE(query.ExecSQLWithOutput(), (QStringList{"2", "0", "0"}));
    connection->Rollback();
}

// A reservation holds for the one transaction it was asked for: while it lasts another
// connection can neither write the table nor reserve it; the next one starts plain.
void TestTransaction::reservationHoldsForOneTransaction_data()
{
    QTest::addColumn<Access>("access");
    dbtest::addAccessRows("reservation");
}

void TestTransaction::reservationHoldsForOneTransaction()
{
    QFETCH(TestDatabase::Access, access);
    CB_SKIP_UNLESS_AVAILABLE(access);
    TestDatabase db({access});
    CB_VERIFY_DB(db);
    auto connection = dbtest::connectionTo(db);
    auto other = dbtest::connectionTo(db);
    SqlQuery query(*connection), otherQuery(*other);
    query.AutoCommit = otherQuery.AutoCommit = false;
    connection->defaultTransaction().reserveForWriting({QStringLiteral("C000025")});
    dbtest::setText(query, dbtest::insertProduct(QStringLiteral("1")));
    query.ExecSQL();
    CB_EXPECT_MESSAGE(connection->defaultTransaction().reserveForWriting({QStringLiteral("C000025")}),
                      GeneralError,
                      QStringLiteral("Tables cannot be reserved for a transaction that has already started"));
    dbtest::setText(otherQuery, dbtest::insertProduct(QStringLiteral("2")));
    QVERIFY_THROWS_EXCEPTION(EngineError, otherQuery.ExecSQL());
    other->rollbackQuietly();
    connection->Commit();
    // Plain again: both connections write side by side.
    query.ExecSQL();
    otherQuery.ExecSQL();
    other->Commit();
    connection->Commit();
    connection.reset();
    other.reset();
    QCOMPARE(db.count(), 3);
}

// A cancelled transaction runs and commits nothing more until it is rolled back; once a
// commit has begun a cancel is refused and the commit goes through.
void TestTransaction::cancelStopsWorkUntilTheCommitBegins()
{
    TestDatabase db;
    CB_VERIFY_DB(db);
    auto connection = dbtest::connectionTo(db);
    SqlQuery query(*connection);
    query.AutoCommit = false;
    DefaultTransaction& transaction = connection->defaultTransaction();
    dbtest::setText(query, dbtest::insertProduct(QStringLiteral("1")));
    query.ExecSQL();
    QVERIFY(transaction.cancel());
    QVERIFY_THROWS_EXCEPTION(WorkCancelled, query.ExecSQL());
    QVERIFY_THROWS_EXCEPTION(WorkCancelled, connection->Commit());
    connection->Rollback();
    QVERIFY(!transaction.cancelled());

    bool refused = false;
    transaction.onCommitBegun = [&] { refused = !transaction.cancel(); };
    query.ExecSQL();
    connection->Commit();
    QVERIFY(refused);
    QVERIFY(!transaction.cancel()); // the work is committed: nothing left to stop
    connection.reset();
    QCOMPARE(db.count(), 1);
}

QTEST_GUILESS_MAIN(TestTransaction)
#include "tst_Transaction.moc"
