// What a statement component sends and what comes back: the final text, parameter
// markers, the layer's own errors and the client library's error texts.
#include "DbTestSupport.h"

#include "DefaultTransaction.h"

using Access = TestDatabase::Access;

class TestStatements : public QObject {
    Q_OBJECT
private slots:
    void finalText_data();
    void finalText();
    void parameterScanning_data();
    void parameterScanning();
    void serverAcceptsTheText_data();
    void serverAcceptsTheText();
    void literalsAndNullParametersReachTheTable();
    void layerErrors_data();
    void layerErrors();
    void engineErrorTexts_data();
    void engineErrorTexts();
    void closeTouchesNothing();
    void outputRowOfABlock_data();
    void outputRowOfABlock();
    void outputRowRefusesOtherTypes();
    void componentOutlivingItsConnection();
};

void TestStatements::finalText_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("expected");
    QTest::addRow("semicolon kept") << QStringList{"delete from PRODUTOS;"}
                                    << "delete from PRODUTOS;";
    QTest::addRow("trailing blank lines dropped")
        << QStringList{"delete from PRODUTOS;", "", "   ", "\t"} << "delete from PRODUTOS;";
    QTest::addRow("blanks at line end dropped") << QStringList{"select 1 from rdb$database  \t "}
                                                << "select 1 from rdb$database";
    QTest::addRow("lines joined with CR LF, leading blanks kept")
        << QStringList{"  insert into c000025 (codigo)", "  values ('1')"}
        << "  insert into c000025 (codigo)\r\n  values ('1')";
    QTest::addRow("control characters at the end") << QStringList{QString("x;\x01\x1f\r\n")} << "x;";
    QTest::addRow("empty lines inside kept") << QStringList{"a", "", "b"} << "a\r\n\r\nb";
    QTest::addRow("no lines") << QStringList{} << "";
}

void TestStatements::finalText()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, expected);
    DatabaseConnection connection;
    SqlQuery query(connection);
    for (const QString& line : lines)
        query.SQL().Add(line);
    QCOMPARE(query.finalText(), expected);
    QVERIFY(!connection.Connected()); // building the text sends nothing
}

void TestStatements::parameterScanning_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QStringList>("names");
    QTest::addRow("date literal is text")
        << "insert into c000025 (codigo, data_cadastro) values ('1', '16.04.19 15:52')"
        << "insert into c000025 (codigo, data_cadastro) values ('1', '16.04.19 15:52')"
        << QStringList{};
    QTest::addRow("named marker") << "update c000025 set produto = :nome where codigo = :cod"
                                  << "update c000025 set produto = ? where codigo = ?"
                                  << QStringList{"nome", "cod"};
    QTest::addRow("numbered marker, repeated name") << "select :1, :a, :A from rdb$database"
                                                    << "select ?, ?, ? from rdb$database"
                                                    << QStringList{"1", "a"};
    QTest::addRow("quoted name") << "select \"a:b\" from t" << "select \"a:b\" from t"
                                 << QStringList{};
    QTest::addRow("doubled quote inside literal") << "values ('it''s :x', :y)"
                                                  << "values ('it''s :x', ?)" << QStringList{"y"};
    QTest::addRow("comments") << "select 1 -- :a\r\n/* :b */ from t where x = :c"
                              << "select 1 -- :a\r\n/* :b */ from t where x = ?" << QStringList{"c"};
    QTest::addRow("lone colon") << "select ':' || x : from t" << "select ':' || x : from t"
                                << QStringList{};
    QTest::addRow("unclosed literal") << "values ('16:04" << "values ('16:04" << QStringList{};
}

void TestStatements::parameterScanning()
{
    QFETCH(QString, text);
    QFETCH(QString, sent);
    QFETCH(QStringList, names);
    DatabaseConnection connection;
    SqlQuery query(connection);
    query.SQL().Add(text);
    QCOMPARE(query.finalText(), sent);
    QCOMPARE(query.paramNames(), names);
    query.ParamCheck = false;
    QCOMPARE(query.finalText(), text);
    QVERIFY(query.paramNames().isEmpty());
}

// The server takes the texts as they are sent, semicolon and line breaks included.
void TestStatements::serverAcceptsTheText_data()
{
    QTest::addColumn<Access>("access");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("rowsLeft");
    dbtest::addAccessRows("wipe with semicolon and trailing lines", [](QTestData& r) {
        r << QStringList{"delete from PRODUTOS;", "", "  "} << 0;
    });
    dbtest::addAccessRows("insert over four lines", [](QTestData& r) {
        r << QStringList{"insert into c000025 (codigo, produto, data_cadastro)", "values",
                         "('N1', 'Novo', '16.04.19 15:52')", "", "  \t"}
          << 3;
    });
}

void TestStatements::serverAcceptsTheText()
{
    QFETCH(Access, access);
    QFETCH(QStringList, lines);
    QFETCH(int, rowsLeft);
    CB_SKIP_UNLESS_AVAILABLE(access);
    TestDatabase db({access});
    CB_VERIFY_DB(db);
    QVERIFY(db.execute(dbtest::insertProduct("S1") + ";" + dbtest::insertProduct("S2") + ";"));
    {
        auto connection = dbtest::connectionTo(db);
        SqlQuery query2(*connection);
        query2.AutoCommit = false;
        for (const QString& line : lines)
            query2.SQL().Add(line);
        query2.ExecSQL();
        connection->Commit();
    }
    QCOMPARE(db.count(), rowsLeft);
}

void TestStatements::literalsAndNullParametersReachTheTable()
{
    TestDatabase db;
    CB_VERIFY_DB(db);
    {
        auto connection = dbtest::connectionTo(db);
        SqlQuery query2(*connection);
        query2.AutoCommit = false;
        // No value is ever assigned: the marker goes out as NULL.
        dbtest::setText(query2, "insert into c000025 (codigo, produto, unidade, data_cadastro) "
                                "values ('P1', 'Açúcar 1€', :unidade, '16.04.19 15:52')");
        query2.ExecSQL();
        connection->Commit();
    }
    const auto rows = db.select("select produto, unidade, data_cadastro from c000025");
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows[0].value("PRODUTO"), QString("Açúcar 1€"));
    QVERIFY(rows[0].value("UNIDADE").isNull());
    QVERIFY2(rows[0].value("DATA_CADASTRO").startsWith("2019-04-16 15:52:00"),
             qPrintable(rows[0].value("DATA_CADASTRO")));
}

void TestStatements::layerErrors_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("message");
    QTest::addRow("no lines") << QStringList{} << false << "SQL statement cannot be empty";
    QTest::addRow("blank lines") << QStringList{"  ", "\t", ""} << true
                                 << "SQL statement cannot be empty";
    QTest::addRow("start transaction") << QStringList{"set transaction"} << false
                                       << "Unsupported SQL type";
    QTest::addRow("open of an insert") << QStringList{dbtest::insertProduct("O1")} << true
                                       << "SQL statement doesn't return rows";
}

// Each of these leaves the transaction active for the work that follows.
void TestStatements::layerErrors()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, open);
    QFETCH(QString, message);
    TestDatabase db;
    CB_VERIFY_DB(db);
    auto connection = dbtest::connectionTo(db);
    SqlQuery qrproduto(*connection);
    qrproduto.AutoCommit = false;
    for (const QString& line : lines)
        qrproduto.SQL().Add(line);
    if (open)
        CB_EXPECT_MESSAGE(qrproduto.Open(), GeneralError, message);
    else
        CB_EXPECT_MESSAGE(qrproduto.ExecSQL(), GeneralError, message);
    QVERIFY(connection->defaultTransaction().Active());
    connection->Commit();
}

void TestStatements::engineErrorTexts_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<long>("errorCode");
    QTest::addColumn<long>("errorNumber");
    QTest::addColumn<QString>("fragment");
    // Unknown table: refused at prepare.
    QTest::addRow("prepare") << "delete from NO_SUCH_TABLE;" << -204L << 335544569L
                             << "Table unknown";
    // Seven characters into VARCHAR(6): refused at execute.
    QTest::addRow("execute") << dbtest::insertProduct("TOOLONG") << -802L << 335544321L
                             << "string right truncation";
    QTest::addRow("syntax") << "delete form c000025" << -104L << 335544569L << "Token unknown";
}

void TestStatements::engineErrorTexts()
{
    QFETCH(QString, statement);
    QFETCH(long, errorCode);
    QFETCH(long, errorNumber);
    QFETCH(QString, fragment);
    TestDatabase db;
    CB_VERIFY_DB(db);
    auto connection = dbtest::connectionTo(db);
    SqlQuery query2(*connection);
    query2.AutoCommit = false;
    dbtest::setText(query2, statement);
    bool raised = false;
    try {
        query2.ExecSQL();
    } catch (const EngineError& e) {
        raised = true;
        QVERIFY2(e.message().startsWith(u'\r'), qPrintable(e.message()));
        QVERIFY(!e.message().contains(u'\n'));
        QVERIFY2(e.message().contains(fragment), qPrintable(e.message()));
        QCOMPARE(e.ErrorCode, errorCode);
        QCOMPARE(e.ErrorNumber, errorNumber);
        QVERIFY(!e.SQLErrorMsg.isEmpty());
        QCOMPARE(errorMessage(e), e.message());
    }
    QVERIFY(raised);
    QVERIFY(connection->defaultTransaction().Active());
}

// Closing a component that is not open sends nothing and keeps the transaction.
void TestStatements::closeTouchesNothing()
{
    TestDatabase db;
    CB_VERIFY_DB(db);
    {
        auto connection = dbtest::connectionTo(db);
        SqlQuery qrproduto(*connection);
        qrproduto.AutoCommit = false;
        dbtest::setText(qrproduto, dbtest::insertProduct("C1"));
        qrproduto.ExecSQL();
        qrproduto.Close();
        qrproduto.SQL().Clear();
        QVERIFY(connection->defaultTransaction().Active());
        connection->Commit();
    }
    QCOMPARE(db.count(), 1);
}

// A component outliving its connection reports it instead of reaching freed memory.
void TestStatements::componentOutlivingItsConnection()
{
    auto connection = std::make_unique<DatabaseConnection>();
    SqlQuery query(*connection);
    connection.reset();
    dbtest::setText(query, "delete from PRODUTOS;");
    CB_EXPECT_MESSAGE(query.ExecSQL(), GeneralError, QStringLiteral("Database not assigned"));
}

// The one output row of an executable block comes back as texts; CHAR keeps its blanks,
// a NULL is a null text, and Windows-1252 bytes are read as such.
void TestStatements::outputRowOfABlock_data()
{
    QTest::addColumn<QString>("block");
    QTest::addColumn<QStringList>("texts");
    QTest::addRow("varchar and char") << "execute block returns (a varchar(10), b char(4)) as "
                                         "begin a = '1,5'; b = 'x'; suspend; end"
                                      << QStringList{"1,5", "x   "};
    QTest::addRow("null and an accented text")
        << "execute block returns (a varchar(8), b varchar(8)) as begin a = null; b = 'Ação'; suspend; end"
        << QStringList{QString(), "Ação"};
    QTest::addRow("no output columns") << "execute block as declare i int; begin i = 1; end"
                                       << QStringList{};
}

void TestStatements::outputRowOfABlock()
{
    QFETCH(QString, block);
    QFETCH(QStringList, texts);
    TestDatabase db;
    CB_VERIFY_DB(db);
    auto connection = dbtest::connectionTo(db);
    SqlQuery query(*connection);
    dbtest::setText(query, block);
    const QStringList got = query.ExecSQLWithOutput();
    QCOMPARE(got, texts);
    for (int i = 0; i < texts.size(); ++i)
        QCOMPARE(got[i].isNull(), texts[i].isNull());
}

// Only texts are handed back: another column type is refused before the block runs.
void TestStatements::outputRowRefusesOtherTypes()
{
    TestDatabase db;
    CB_VERIFY_DB(db);
    {
        auto connection = dbtest::connectionTo(db);
        SqlQuery query(*connection);
        query.AutoCommit = false;
        dbtest::setText(query, "execute block returns (n integer) as begin "
                               "insert into c000025 (codigo, produto) values ('B1', 'X'); n = 1; suspend; end");
        CB_EXPECT_MESSAGE(query.ExecSQLWithOutput(), GeneralError,
                          QStringLiteral("Unsupported output column type"));
        connection->Commit();
    }
    QCOMPARE(db.count(), 0);
}

QTEST_GUILESS_MAIN(TestStatements)
#include "tst_Statements.moc"
