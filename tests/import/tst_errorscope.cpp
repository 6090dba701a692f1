// Which errors fail a row alone and which stop the run: the status vectors the engine gives
// for each kind, as numbers, and the same errors raised by a real database.
#include "DatabaseConnection.h"
#include "ErrorScope.h"
#include "Errors.h"
#include "FieldHelpers.h"
#include "SqlQuery.h"
#include "TestDatabase.h"

#include <QProcess>
#include <QtTest>

#include <ibase.h>

#include <memory>
#include <new>

Q_DECLARE_METATYPE(ErrorKind)

namespace {

QList<long> numbersOf(const QString& text)
{
    QList<long> numbers;
    for (const QString& part : text.split(u',', Qt::SkipEmptyParts))
        numbers.append(part.trimmed().toLong());
    return numbers;
}

// Tables beside c000025 that carry every kind of constraint a row can break.
const char* const ConstraintSchema =
    "create table t_parent (id integer not null primary key);\n"
    "create table t_row (id integer not null primary key, s varchar(3), n numeric(4,2),\n"
    "  q integer check (q >= 0), parent integer references t_parent(id));\n"
    "create exception e_refused 'refused by the shop';\n"
    "set term ^;\n"
    "create trigger t_row_refuse for t_row before insert as begin\n"
    "  if (new.s = 'EXC') then exception e_refused; end^\n"
    "set term ;^\n"
    "insert into t_parent values (1);\n"
    "insert into t_row (id, s) values (1, 'one');\n"
    "commit;\n";

bool addConstraintSchema(const TestDatabase& db)
{
    return db.isValid() && db.execute(QString::fromLatin1(ConstraintSchema));
}

// A connection of its own to a database; failed statements change nothing in it, so the
// cases share one database.
struct Db {
    const TestDatabase& db;
    DatabaseConnection connection;
    SqlQuery query{connection};

    explicit Db(const TestDatabase& database) : db(database)
    {
        db.configure(connection);
        query.AutoCommit = false;
        connection.setConnected(true);
    }
    // The error the statement raises; null when it succeeds.
    std::unique_ptr<EngineError> failure(const QString& sql)
    {
        try {
            query.SQL().Clear();
            query.SQL().Add(sql);
            query.ExecSQL();
        } catch (const EngineError& e) {
            return std::make_unique<EngineError>(e);
        } catch (const std::exception& e) {
            qWarning("not an engine error: %s", e.what());
        }
        return nullptr;
    }
};

} // namespace

class TestErrorScope : public QObject {
    Q_OBJECT
    std::unique_ptr<TestDatabase> m_shared;
private slots:
    void initTestCase();
    void engineNumbers_data();
    void engineNumbers();
    void ownErrors_data();
    void ownErrors();
    void realDatabaseErrors_data();
    void realDatabaseErrors();
    void runStoppedNamesTheCause();
};

void TestErrorScope::initTestCase()
{
    m_shared = std::make_unique<TestDatabase>();
    QVERIFY2(addConstraintSchema(*m_shared), qPrintable(m_shared->error()));
}

void TestErrorScope::engineNumbers_data()
{
    QTest::addColumn<QString>("numbers"); // the isc_arg_gds codes of the vector, in order
    QTest::addColumn<long>("sqlCode");
    QTest::addColumn<ErrorKind>("kind");
    using K = ErrorKind;
    const auto n = [](std::initializer_list<long> list) {
        QStringList parts;
        for (long v : list)
            parts.append(QString::number(v));
        return parts.join(u',');
    };
    QTest::newRow("string truncation") << n({isc_arith_except, isc_string_truncation}) << -802L << K::ValueOverflow;
    QTest::newRow("conversion") << n({isc_convert_error}) << -413L << K::ValueConversion;
    QTest::newRow("not null") << n({isc_not_valid_for_var}) << -625L << K::MissingValue;
    QTest::newRow("unique key") << n({isc_unique_key_violation}) << -803L << K::DuplicateKey;
    QTest::newRow("duplicate by an uncommitted row") << n({isc_no_dup}) << -803L << K::DuplicateKey;
    QTest::newRow("foreign key") << n({isc_foreign_key}) << -530L << K::ForeignKey;
    QTest::newRow("check") << n({isc_check_constraint}) << -297L << K::CheckConstraint;
    QTest::newRow("row lock") << n({isc_deadlock, isc_update_conflict, isc_concurrent_transaction}) << -913L << K::RowLocked;
    QTest::newRow("syntax broken by a value") << n({isc_dsql_error, isc_dsql_token_unk_err}) << -104L << K::StatementShape;
    QTest::newRow("unknown number, row sqlcode") << n({335549999}) << -803L << K::DuplicateKey;
    // The run's, wherever the run number stands in the vector.
    QTest::newRow("disk full") << n({isc_io_error, isc_io_write_err}) << -902L << K::InputOutput;
    QTest::newRow("I/O after a row-looking first number") << n({isc_arith_except, isc_io_error}) << -802L << K::InputOutput;
    QTest::newRow("connection read") << n({isc_net_read_err}) << -902L << K::ConnectionLost;
    QTest::newRow("connection write") << n({isc_net_write_err}) << -902L << K::ConnectionLost;
    QTest::newRow("network") << n({isc_network_error, isc_net_read_err}) << -902L << K::ConnectionLost;
    QTest::newRow("database shut down") << n({isc_shutdown}) << -902L << K::Shutdown;
    QTest::newRow("attachment shut down") << n({isc_att_shutdown}) << -902L << K::Shutdown;
    QTest::newRow("out of memory") << n({isc_virmemexh}) << -904L << K::OutOfMemory;
    QTest::newRow("internal bug check") << n({isc_bug_check}) << -902L << K::DamagedDatabase;
    QTest::newRow("corrupt") << n({isc_db_corrupt}) << -902L << K::DamagedDatabase;
    QTest::newRow("read-only database") << n({isc_read_only_database}) << -817L << K::Refused;
    QTest::newRow("table reserved elsewhere") << n({isc_lock_conflict, isc_relation_lock}) << -901L << K::TableInUse;
    QTest::newRow("cancelled") << n({isc_cancelled}) << -901L << K::Stopped;
    QTest::newRow("unknown table") << n({isc_dsql_error, isc_dsql_relation_err}) << -204L << K::Unknown;
    QTest::newRow("user exception") << n({isc_except}) << -836L << K::Unknown;
    QTest::newRow("unknown number and sqlcode") << n({335549999}) << -901L << K::Unknown;
    QTest::newRow("no vector list, first number only") << QString() << -902L << K::Unknown;
}

void TestErrorScope::engineNumbers()
{
    QFETCH(QString, numbers);
    QFETCH(long, sqlCode);
    QFETCH(ErrorKind, kind);
    const QList<long> list = numbersOf(numbers);
    const EngineError e(QStringLiteral("\rtext"), sqlCode, list.value(0, 0), QString(), list);
    QCOMPARE(classifyError(e).kind, kind);
    QCOMPARE(isRowError(e), kind <= ErrorKind::RowLocked);
}

void TestErrorScope::ownErrors_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<bool>("row");
    QTest::newRow("conversion of a helper") << 0 << true;
    QTest::newRow("row data (barcode list, statement guard)") << 1 << true;
    QTest::newRow("character the code page lacks") << 2 << true;
    QTest::newRow("run stopped") << 3 << false;
    QTest::newRow("out of memory") << 4 << false;
    QTest::newRow("plain error") << 5 << false;
    QTest::newRow("layer's general error") << 6 << false;
    QTest::newRow("foreign std::exception") << 7 << false;
}

void TestErrorScope::ownErrors()
{
    QFETCH(int, which);
    QFETCH(bool, row);
    const auto check = [&](const std::exception& e) { QCOMPARE(isRowError(e), row); };
    switch (which) {
    case 0: check(ConversionError::integer(QStringLiteral("x"))); break;
    case 1: check(RowDataError(QStringLiteral("List index out of bounds (3)"))); break;
    case 2: check(UnencodableTextError(QStringLiteral("U+4E2D"))); break;
    case 3: check(RunStopped::interrupted()); break;
    case 4: check(std::bad_alloc()); break;
    case 5: check(Error(QStringLiteral("anything"))); break;
    case 6: check(GeneralError(QStringLiteral("GDS function is not linked"))); break;
    default: check(std::runtime_error("foreign")); break;
    }
}

void TestErrorScope::realDatabaseErrors_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<ErrorKind>("kind");
    using K = ErrorKind;
    QTest::newRow("too long for the column") << "insert into t_row (id, s) values (2, 'four')" << K::ValueOverflow;
    QTest::newRow("numeric overflow") << "insert into t_row (id, n) values (2, 123456)" << K::ValueOverflow;
    QTest::newRow("not a number") << "insert into t_row (id, n) values (2, 'abc')" << K::ValueConversion;
    QTest::newRow("bad date") << "insert into c000025 (codigo, data_cadastro) values ('1', '99.99.99 99:99')" << K::ValueConversion;
    QTest::newRow("not null") << "insert into c000025 (produto) values ('X')" << K::MissingValue;
    QTest::newRow("primary key") << "insert into t_row (id) values (1)" << K::DuplicateKey;
    QTest::newRow("foreign key") << "insert into t_row (id, parent) values (2, 99)" << K::ForeignKey;
    QTest::newRow("check") << "insert into t_row (id, q) values (2, -1)" << K::CheckConstraint;
    QTest::newRow("quote in a value") << "insert into t_row (id, s) values (2, 'a'b')" << K::StatementShape;
    QTest::newRow("unknown table") << "insert into no_such_table (id) values (1)" << K::Unknown;
    QTest::newRow("trigger exception") << "insert into t_row (id, s) values (2, 'EXC')" << K::Unknown;
    QTest::newRow("row locked by another connection") << "update t_row set s = 'x' where id = 1" << K::RowLocked;
    QTest::newRow("read-only database") << "insert into t_row (id) values (3)" << K::Refused;
}

void TestErrorScope::realDatabaseErrors()
{
    QFETCH(QString, sql);
    QFETCH(ErrorKind, kind);
    std::unique_ptr<TestDatabase> own;
    if (kind == ErrorKind::Refused) { // a database of its own, made read-only
        own = std::make_unique<TestDatabase>();
        QVERIFY2(addConstraintSchema(*own), qPrintable(own->error()));
        QCOMPARE(QProcess::execute(QStringLiteral("gfix"), {QStringLiteral("-mode"), QStringLiteral("read_only"),
                                                            QStringLiteral("-user"), TestDatabase::user(),
                                                            own->path()}),
                 0);
    }
    std::unique_ptr<Db> connected;
    try {
        connected = std::make_unique<Db>(own ? *own : *m_shared);
    } catch (const std::exception& e) {
        QFAIL(qPrintable(QStringLiteral("cannot connect: ") + errorMessage(e)));
    }
    Db& d = *connected;
    DatabaseConnection other;
    SqlQuery otherQuery(other);
    if (kind == ErrorKind::RowLocked) {
        d.db.configure(other);
        otherQuery.AutoCommit = false;
        otherQuery.SQL().Add(QStringLiteral("update t_row set s = 'hld' where id = 1"));
        otherQuery.ExecSQL();
    }
    const auto e = d.failure(sql);
    QVERIFY2(e, "the statement did not fail");
    QVERIFY2(classifyError(*e).kind == kind,
             qPrintable(QStringLiteral("sqlcode %1, numbers %2: %3")
                            .arg(e->ErrorCode)
                            .arg(QString::number(e->ErrorNumbers.value(0)))
                            .arg(e->message().simplified())));
}

void TestErrorScope::runStoppedNamesTheCause()
{
    const EngineError lost(QStringLiteral("\rError reading data from the connection."), -902,
                           isc_net_read_err, QString(), {isc_net_read_err});
    const RunStopped stopped = RunStopped::byError(lost);
    QCOMPARE(stopped.cause(), RunStopped::Cause::RunError);
    QCOMPARE(stopped.message(),
             QStringLiteral("A importação parou: a conexão com o banco de dados foi perdida. Nada "
                            "foi alterado no banco de dados.\nError reading data from the connection."));
}

QTEST_GUILESS_MAIN(TestErrorScope)
#include "tst_errorscope.moc"
