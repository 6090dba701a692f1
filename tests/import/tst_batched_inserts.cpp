// The command's inserts sent many in one statement must leave exactly what sending them one
// by one leaves: the same table (registration dates aside), the same log bytes, the same
// counts and exit code. Each case runs the command both ways over fresh databases.
#include "CliRun.h"
#include "InsertBatch.h"
#include "PreparedInserts.h"
#include "ProductRow.h"
#include "RunHarness.h"
#include "DatabaseConnection.h"
#include "DefaultTransaction.h"
#include "ErrorScope.h"
#include "SelectQuery.h"
#include "SqlQuery.h"
#include "TestDatabase.h"

#include <bit>

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Table = QList<QMap<QString, QString>>;

QString fixture(const QString& name)
{
    return QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/types/") + name;
}

bool serverTests()
{
    return qgetenv("CB_TEST_SERVER") == "1";
}

// Type 13 (";"-separated: code, unit, barcode, name, cst, price, rate). Over 600 lines, so
// several batches, with every kind of failure scattered among good rows: a code that is no
// number (the layout), a price that is no number (the statement), a quote in a name (fine),
// codes, units and names too long for their columns, barcodes repeated under a unique index,
// a character windows-1252 lacks, and a rate too large for the server to read, which makes
// it refuse the whole batch it sits in.
QStringList failureLines()
{
    QStringList lines;
    for (int i = 1; i <= 640; ++i) {
        QString code = QString::number(i);
        QString unit = QStringLiteral("UN");
        QString barcode = QStringLiteral("789%1").arg(i, 10, 10, QLatin1Char('0'));
        QString name = QStringLiteral("PRODUTO %1").arg(i);
        QString price = QStringLiteral("%1,50").arg(i % 97);
        QString rate = QStringLiteral("18");
        switch (i % 41) {
        case 3: code += QStringLiteral("x"); break;
        case 7: price = QStringLiteral("1,2,3"); break;
        case 11: name = QStringLiteral("D'AGUA 'GELADA'"); break;
        case 13: code = QStringLiteral("1234567"); break;
        case 17: unit = QStringLiteral("UNID"); break;
        case 19: barcode = QStringLiteral("7890000000001"); break; // the second one on fails
        case 23: name = QStringLiteral("PRODUTO \u03a9 %1").arg(i); break;
        case 29: name = QString(101, u'N'); break;
        case 31: case 32: case 33: code = QStringLiteral("99999999"); break;
        // Numbers whose scale, sign or exponent a bound value must keep, and a name whose
        // blanks must stay.
        case 35: price = QStringLiteral("0,005"); break;
        case 36: price = QStringLiteral("-12,345"); break;
        case 37: price = QStringLiteral("1,5e+2"); break;
        case 38: price = QStringLiteral("1234567890123456,78"); break;
        case 39: price = QStringLiteral(",1"); name += QStringLiteral("   "); break;
        case 40: price = QStringLiteral("123456789012345678901"); break;
        default: break;
        }
        if (i == 301)
            rate = QStringLiteral("1") + QString(40, u'0');
        lines << QStringLiteral("P;%1;;;;;%2;;;;%3;%4;;;;;40;;;;;;;;%5").arg(code, unit, barcode, name, price)
                     + QString(53, u';') + rate;
    }
    return lines;
}

QString writeUtf8(const QTemporaryDir& dir, const QStringList& lines)
{
    const QString path = dir.filePath(QStringLiteral("failures.txt"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write("\xEF\xBB\xBF" + lines.join(QStringLiteral("\r\n")).toUtf8());
    return path;
}

struct Outcome {
    int exitCode = -1;
    QString out; // the summary without its time
    QString err;
    QByteArray log;
    Table table;
    QStringList doubles;
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The table's double columns, each value's bits: isql's text shows 16 digits, not the last
// bit a differently converted value would change.
QStringList doubleBits(const TestDatabase& db)
{
    DatabaseConnection connection;
    connection.Database = db.attachString();
    connection.Username = TestDatabase::user();
    connection.Password = TestDatabase::password();
    SelectQuery select(connection, "select precocusto, precovenda, estoque, aliquota from c000025 "
                                   "order by codigo, codbarra, produto");
    QStringList bits;
    while (select.fetch())
        for (const SqlValue& value : select.row())
            bits << (value.null ? QStringLiteral("null") : QString::number(std::bit_cast<quint64>(value.real), 16));
    return bits;
}

Outcome runCommand(const QStringList& options, bool oneByOne, TestDatabase::Access access,
                   const QString& setup)
{
    TestDatabase::Options dbOptions;
    dbOptions.access = access;
    TestDatabase db(dbOptions);
    Outcome outcome;
    if (!db.isValid() || (!setup.isEmpty() && !db.execute(setup)))
        return outcome;
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("log.txt"));
    QStringList arguments{"--database", db.attachString(), "--yes", "--log", log};
    if (oneByOne)
        arguments << QStringLiteral("--one-by-one");
    const CliRun run = runCli(arguments + options, dir.path());
    if (run.exitCode < 0)
        return outcome;
    outcome.exitCode = run.exitCode;
    outcome.out = QString(run.out)
                      .remove(QRegularExpression(QStringLiteral("Seconds: [0-9.]+\n")))
                      .replace(log, QStringLiteral("LOG"));
    outcome.err = run.err;
    outcome.log = fileBytes(log);
    outcome.table = db.select(QStringLiteral("select * from c000025 order by codigo, codbarra, produto"));
    for (auto& row : outcome.table)
        row.remove(QStringLiteral("DATA_CADASTRO"));
    outcome.doubles = doubleBits(db);
    return outcome;
}

const QString UniqueBarcodes = QStringLiteral("create unique index c000025_codbarra on c000025 (codbarra);");

} // namespace

class TestBatchedInserts : public QObject {
    Q_OBJECT
private slots:
    void sameAsOneByOne_data();
    void sameAsOneByOne();
    void rowsFailedInTheBlockAreSentAlone_data();
    void rowsFailedInTheBlockAreSentAlone();
    void runErrorInABlockStopsTheBatch();
    void runErrorStopsTheRunAlikeBothWays_data();
    void runErrorStopsTheRunAlikeBothWays();
    void failedPositions_data();
    void failedPositions();
    void preparedBlockAllOrNothing_data();
    void preparedBlockAllOrNothing();
    void boundAsTheLiteralReads_data();
    void boundAsTheLiteralReads();
    void constantsWrittenAsTheSameLiteral_data();
    void constantsWrittenAsTheSameLiteral();
};

void TestBatchedInserts::sameAsOneByOne_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("server");
    QTest::addColumn<bool>("failures"); // the source is failureLines(), with unique barcodes
    QTest::addColumn<QByteArray>("blockRows"); // of a prepared block; empty: the command's own

    const QList<std::pair<QString, int>> fixtures{
        {"brenvik.xlsx", 0}, {"qel.xlsx", 1}, {"quelbrant.xlsx", 2}, {"ostrell.txt", 3},
        {"pembrix.xlsx", 4}, {"caldeno.txt", 5}, {"irmsby.txt", 6}, {"nuvalo.txt", 7},
        {"nuvalo2.txt", 8}, {"vrek.txt", 9}, {"tobbin.xlsx", 10}, {"grelling.txt", 11},
        {"sarnet.xlsx", 12}, {"emberlin.txt", 13}};
    for (const auto& [name, type] : fixtures) {
        QStringList options{"--type", QString::number(type)};
        if (type == 11)
            options << "--barcode-file" << fixture(QStringLiteral("grelling_barcodes.txt"));
        if (type == 1)
            options << "--keep-source-barcode";
        for (const bool server : {false, true})
            QTest::addRow("%s%s", qPrintable(name), server ? ", over TCP" : "")
                << options + QStringList{fixture(name)} << server << false << QByteArray("7");
    }
    for (const bool server : {false, true})
        for (const QByteArray& rows : {QByteArray(), QByteArray("7")})
            QTest::addRow("failures of every kind%s, blocks of %s", server ? ", over TCP" : "",
                          rows.isEmpty() ? "the command's size" : rows.constData())
                << QStringList{"--type", "13"} << server << true << rows;
}

void TestBatchedInserts::sameAsOneByOne()
{
    QFETCH(QStringList, options);
    QFETCH(bool, server);
    QFETCH(bool, failures);
    QFETCH(QByteArray, blockRows);
    if (!QFile::exists(cliProgram()))
        QSKIP("converter-banco-import is not built");
    if (server && !serverTests())
        QSKIP("no Firebird server for this run (CB_TEST_SERVER is not 1)");
    QTemporaryDir dir;
    if (failures)
        options << writeUtf8(dir, failureLines());
    const auto access = server ? TestDatabase::Access::Server : TestDatabase::Access::Embedded;
    const QString setup = failures ? UniqueBarcodes : QString();

    const Outcome alone = runCommand(options, true, access, setup);
    if (!blockRows.isEmpty())
        qputenv("CB_TEST_BLOCK_ROWS", blockRows);
    const Outcome batched = runCommand(options, false, access, setup);
    qunsetenv("CB_TEST_BLOCK_ROWS");
    QVERIFY2(alone.exitCode == 0 || alone.exitCode == 1, qPrintable(alone.out));
    QVERIFY2(batched.exitCode == alone.exitCode, qPrintable(batched.out + batched.err));
    QCOMPARE(batched.out, alone.out);
    QCOMPARE(batched.log, alone.log);
    QCOMPARE(batched.table, alone.table);
    QCOMPARE(batched.doubles, alone.doubles);
    if (failures) {
        QVERIFY2(alone.out.contains(QStringLiteral("Rows read: 640\n")), qPrintable(alone.out));
        for (const char* kind : {"is not a valid integer value", "is not a valid floating point value",
                                 "string right truncation", "attempt to store duplicate value",
                                 "cannot be written in the"})
            QVERIFY2(alone.log.contains(kind), kind);
    }
}

void TestBatchedInserts::rowsFailedInTheBlockAreSentAlone_data()
{
    QTest::addColumn<QStringList>("codes"); // one row each; "BAD" is not SQL at all
    QTest::addColumn<QStringList>("alone"); // the codes handed back to be sent alone
    QTest::addColumn<int>("rows");          // rows in the table after the block
    QTest::addColumn<bool>("server");

    for (const bool server : {false, true}) {
        const char* where = server ? ", over TCP" : "";
        QTest::addRow("all good%s", where) << QStringList{"1", "2", "3"} << QStringList{} << 3 << server;
        // The plain block inserted "1" before "1234567" failed; 2 rows, not 3, show that the
        // engine undid the whole block before the guarded one inserted "1" again.
        QTest::addRow("too long, in the middle%s", where)
            << QStringList{"1", "1234567", "3"} << QStringList{"1234567"} << 2 << server;
        QTest::addRow("first and last%s", where) << QStringList{"1234567", "2", "7654321"}
            << QStringList{"1234567", "7654321"} << 1 << server;
        QTest::addRow("block refused: all alone, in order%s", where)
            << QStringList{"1", "BAD", "3"} << QStringList{"1", "BAD", "3"} << 0 << server;
        QTest::addRow("one row goes alone at once%s", where) << QStringList{"1"} << QStringList{"1"} << 0 << server;
    }
    QStringList full;
    for (int i = 1; i <= InsertBatch::MaxRows + 3; ++i)
        full << QString::number(i);
    QStringList failing = full;
    failing[InsertBatch::MaxRows - 1] = QStringLiteral("1234567");
    QTest::newRow("a full batch and the rest, one failing in the first")
        << failing << QStringList{"1234567"} << InsertBatch::MaxRows + 2 << false;
}

// The block on its own, in one transaction: what it inserts and which rows it hands back.
void TestBatchedInserts::rowsFailedInTheBlockAreSentAlone()
{
    QFETCH(QStringList, codes);
    QFETCH(QStringList, alone);
    QFETCH(int, rows);
    QFETCH(bool, server);
    if (server && !serverTests())
        QSKIP("no Firebird server for this run (CB_TEST_SERVER is not 1)");
    TestDatabase db({server ? TestDatabase::Access::Server : TestDatabase::Access::Embedded});
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    {
        RunSession session(db.attachString());
        QStringList handedBack;
        InsertBatch batch(session.query2, [&](const PendingInsert& row) { handedBack << row.codigo; });
        for (const QString& code : codes) {
            const QStringList lines{code == QLatin1String("BAD")
                                        ? QStringLiteral("insert into nowhere values (")
                                        : QStringLiteral("insert into c000025 (codigo) values ('%1')").arg(code)};
            batch.add({lines, QStringLiteral("N"), code});
        }
        QCOMPARE(batch.queued(), codes.size() % InsertBatch::MaxRows);
        batch.flush();
        QCOMPARE(batch.queued(), 0);
        QCOMPARE(handedBack, alone);
        if (session.eConexao.defaultTransaction().Active())
            session.eConexao.Commit();
    }
    QCOMPARE(db.count(), rows);
}

// An error that is not a row's own (here: a user without the right to insert) leaves the
// block at once, for the run to stop, instead of sending every row alone to meet it again.
void TestBatchedInserts::runErrorInABlockStopsTheBatch()
{
    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    RunSession session(db.path(), QStringLiteral("CLERK"), QStringLiteral("clerk"));
    QStringList handedBack;
    InsertBatch batch(session.query2, [&](const PendingInsert& row) { handedBack << row.codigo; });
    for (const QString& code : QStringList{"1", "2", "3"})
        batch.add({{QStringLiteral("insert into c000025 (codigo) values ('%1')").arg(code)}, QStringLiteral("N"), code});
    try {
        batch.flush();
        QFAIL("the block was taken");
    } catch (const std::exception& e) {
        QCOMPARE(classifyError(e).kind, ErrorKind::Refused);
    }
    QCOMPARE(handedBack, QStringList());
    QCOMPARE(batch.queued(), 0);
}

void TestBatchedInserts::runErrorStopsTheRunAlikeBothWays_data()
{
    QTest::addColumn<bool>("batched");
    QTest::newRow("alone") << false;
    QTest::newRow("batched") << true;
}

// A user who may empty the table but not insert into it: the wipe goes through, the first
// rows meet the refusal, and the run stops with the same words whether its rows went alone
// or in a block; no row is logged as failed and the old rows stay.
void TestBatchedInserts::runErrorStopsTheRunAlikeBothWays()
{
    QFETCH(bool, batched);
    RunFixture f;
    QVERIFY(f.addOldRows());
    QVERIFY(f.db.execute(QStringLiteral("grant select, delete on c000025 to CLERK;\n"
                                        "grant select, delete on PRODUTOS to CLERK;")));
    loadText(f.views, 13, {QStringLiteral(";1;;;;;;;;;;UM;"), QStringLiteral(";2;;;;;;;;;;DOIS;")});
    f.dialogs.answer(MsgDlgBtn::OK);
    f.connect(QStringLiteral("CLERK"), QStringLiteral("clerk"));
    SqlQuery batch(f.session->eConexao);
    ImportContext context = f.session->context(f.views, f.dialogs);
    if (batched)
        context.batchQuery = &batch;
    try {
        RunFullImport(context);
        QFAIL("the run went through");
    } catch (const RunStopped& e) {
        QCOMPARE(e.cause(), RunStopped::Cause::RunError);
        QVERIFY2(e.message().startsWith(QStringLiteral("A importação parou: ")
                                        + runErrorDescription(ErrorKind::Refused)),
                 qPrintable(e.message()));
    }
    QCOMPARE(f.views.errorLines(), QStringList());
    QCOMPARE(f.codes(), (QStringList{"900001", "900002"}));
}

void TestBatchedInserts::failedPositions_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<std::vector<int>>("positions");
    QTest::newRow("none") << "" << std::vector<int>{};
    QTest::newRow("null") << QString() << std::vector<int>{};
    QTest::newRow("some") << "0,17,249," << std::vector<int>{0, 17, 249};
}

void TestBatchedInserts::failedPositions()
{
    QFETCH(QString, answer);
    QFETCH(std::vector<int>, positions);
    QCOMPARE(InsertBatch::failedPositions(answer), positions);
}

QTEST_MAIN(TestBatchedInserts)
// A full prepared block of product inserts, at the far size, inserts every row or none
// when one row's value is refused (the rows then go the literal way). The first batch
// fixes the constants (here the unit); a batch with another unit goes through the block
// with every column a parameter. Embedded and over TCP.
void TestBatchedInserts::preparedBlockAllOrNothing_data()
{
    QTest::addColumn<int>("badRow");    // in the second batch; -1: none
    QTest::addColumn<QString>("unit");  // of the second batch
    QTest::addColumn<bool>("server");
    for (const bool server : {false, true}) {
        const char* where = server ? ", over TCP" : "";
        QTest::addRow("same constants%s", where) << -1 << "UN" << server;
        QTest::addRow("other constants%s", where) << -1 << "KG" << server;
        QTest::addRow("the last too long%s", where) << PreparedInserts::RowsFar - 1 << "UN" << server;
        QTest::addRow("the last too long, other constants%s", where) << PreparedInserts::RowsFar - 1 << "KG" << server;
    }
}

void TestBatchedInserts::preparedBlockAllOrNothing()
{
    QFETCH(int, badRow);
    QFETCH(QString, unit);
    QFETCH(bool, server);
    if (server && !serverTests())
        QSKIP("no Firebird server for this run (CB_TEST_SERVER is not 1)");
    TestDatabase db({server ? TestDatabase::Access::Server : TestDatabase::Access::Embedded});
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    const int n = PreparedInserts::RowsFar;
    QList<bool> sent;
    {
        RunSession session(db.attachString());
        PreparedInserts prepared(session.eConexao, n);
        for (int batch = 0; batch < 2; ++batch) {
            std::vector<BindableInsert> rows;
            for (int i = 0; i < n; ++i) {
                ProductRow product;
                product.codigo = batch && i == badRow ? QStringLiteral("1234567") : QString::number(batch * n + i);
                product.produto = QStringLiteral("PRODUTO %1").arg(i);
                product.unidade = batch ? unit : QStringLiteral("UN");
                product.precocusto = product.precovenda = QStringLiteral("%1.5").arg(i);
                for (QString* field : {&product.estoque, &product.aliquota})
                    *field = QStringLiteral("0");
                const auto row = bindableInsert(ProductInsertStatement(product, QStringLiteral("10.12.26 03:10")));
                QVERIFY(row);
                rows.push_back(*row);
            }
            std::vector<const BindableInsert*> pointers;
            for (const BindableInsert& row : rows)
                pointers.push_back(&row);
            sent << prepared.send(pointers);
        }
        session.eConexao.Commit();
    }
    QCOMPARE(sent, (QList<bool>{true, badRow < 0}));
    QCOMPARE(db.count(), badRow < 0 ? 2 * n : n);
    QCOMPARE(db.count(QStringLiteral("c000025 where unidade = '%1' and precovenda = 99.5").arg(unit)),
             unit == QLatin1String("UN") ? (badRow < 0 ? 2 : 1) : (badRow < 0 ? 1 : 0));
}

// Each value in the form the server gives its literal; nothing where a bound value could
// convert differently from the literal, so that row keeps its literal.
void TestBatchedInserts::boundAsTheLiteralReads_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QStringList>("bound"); // empty: not bindable
    QTest::newRow("text, quotes doubled, blanks kept") << "values('D''AGUA ','')" << QStringList{"T:D'AGUA ", "T:"};
    QTest::newRow("exact numbers keep their scale") << "values(12.50,.5,0,7)" << QStringList{"E:1250/-2", "E:5/-1", "E:0/0", "E:7/0"};
    QTest::newRow("signs and blanks") << "values( -3.5 ,+2)" << QStringList{"E:-35/-1", "E:2/0"};
    QTest::newRow("18 digits") << "values(123456789012345678)" << QStringList{"E:123456789012345678/0"};
    QTest::newRow("19 digits") << "values(1234567890123456789)" << QStringList{};
    QTest::newRow("an exponent") << "values(1.5e+2)" << QStringList{};
    QTest::newRow("a character the code page lacks") << QStringLiteral("values('\u03a9')") << QStringList{};
    QTest::newRow("a comma inside text") << "values('a,b',1)" << QStringList{"T:a,b", "E:1/0"};
    QTest::newRow("a doubled quote last") << "values('a''','''')" << QStringList{"T:a'", "T:'"};
    QTest::newRow("an unclosed text") << "values('abc)" << QStringList{};
}

void TestBatchedInserts::boundAsTheLiteralReads()
{
    QFETCH(QString, values);
    QFETCH(QStringList, bound);
    QStringList columns;
    for (int i = 0; i < std::max<qsizetype>(1, bound.size()); ++i)
        columns << QStringLiteral("c%1").arg(i);
    const auto insert = bindableInsert({QStringLiteral("insert into t"), "(" + columns.join(u',') + ")", values});
    QStringList actual;
    if (insert)
        for (const BoundValue& v : insert->values)
            actual << (v.kind == BoundValue::Kind::Text ? "T:" + QString::fromLatin1(v.text, v.length)
                                                        : QStringLiteral("E:%1/%2").arg(v.digits).arg(v.scale));
    QCOMPARE(actual, bound);
}

// A column that holds one value in a whole batch is written into the block as a literal the
// server reads as the same value of the same type: the same digits and scale, or the text.
void TestBatchedInserts::constantsWrittenAsTheSameLiteral_data()
{
    QTest::addColumn<QString>("values");
    QTest::addColumn<QString>("literal");
    for (const auto& [value, literal] : std::initializer_list<std::pair<const char*, const char*>>{
             {"12.50", "12.50"}, {".5", "0.5"}, {".00", "0.00"}, {" -3.5 ", "-3.5"}, {"+2", "2"},
             {"007", "7"}, {"-.05", "-0.05"}, {"'D''AGUA '", "'D''AGUA '"}, {"''", "''"}})
        QTest::newRow(value) << QString::fromLatin1(value) << QString::fromLatin1(literal);
}

void TestBatchedInserts::constantsWrittenAsTheSameLiteral()
{
    QFETCH(QString, values);
    QFETCH(QString, literal);
    const auto insert = bindableInsert({QStringLiteral("insert into t"), QStringLiteral("(c)"), "values(" + values + ")"});
    QVERIFY(insert);
    QCOMPARE(QString::fromLatin1(PreparedInserts::literalOf(insert->values.front())), literal);
}

#include "tst_batched_inserts.moc"
