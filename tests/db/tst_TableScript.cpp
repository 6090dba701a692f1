// The pieces of a backup script without a database: each value's literal, and how a
// script is split into statements.
#include "TableScript.h"
#include "platform/Error.h"

#include <QtTest>

Q_DECLARE_METATYPE(SqlType)

namespace {

SqlValue text(const QByteArray& bytes)
{
    SqlValue v;
    v.null = false;
    v.bytes = bytes;
    return v;
}

SqlValue integer(qint64 n)
{
    SqlValue v;
    v.null = false;
    v.integer = n;
    return v;
}

SqlValue real(double d)
{
    SqlValue v;
    v.null = false;
    v.real = d;
    return v;
}

SqlValue moment(qint32 date, quint32 time)
{
    SqlValue v;
    v.null = false;
    v.date = date;
    v.time = time;
    return v;
}

} // namespace

class TestTableScript : public QObject {
    Q_OBJECT
private slots:
    void literals_data();
    void literals();
    void valuesWithoutALiteral_data();
    void valuesWithoutALiteral();
    void statements_data();
    void statements();
};

void TestTableScript::literals_data()
{
    QTest::addColumn<SqlType>("type");
    QTest::addColumn<int>("scale");   // exact numbers
    QTest::addColumn<int>("charset"); // text; for blobs the sub-type is 1 unless the charset is 1
    QTest::addColumn<SqlValue>("value");
    QTest::addColumn<QByteArray>("literal");

    QTest::newRow("null") << SqlType::VarChar << 0 << 0 << SqlValue{} << QByteArray("NULL");
    QTest::newRow("text, quotes doubled") << SqlType::VarChar << 0 << 0 << text("D'AVILA 'X'")
                                          << QByteArray("'D''AVILA ''X'''");
    QTest::newRow("text, own bytes") << SqlType::Char << 0 << 53 << text("A\xC7\xDA  ") << QByteArray("'A\xC7\xDA  '");
    QTest::newRow("text, line feed and tab stay") << SqlType::Blob << 0 << 0 << text("a\nb\tc")
                                                  << QByteArray("'a\nb\tc'");
    QTest::newRow("text, carriage return") << SqlType::Blob << 0 << 0 << text("a\r\nb\r")
                                           << QByteArray("'a' || ascii_char(13) || '\nb' || ascii_char(13)");
    QTest::newRow("text, zero byte first") << SqlType::VarChar << 0 << 0 << text(QByteArray("\0x", 2))
                                           << QByteArray("ascii_char(0) || 'x'");
    QTest::newRow("empty text") << SqlType::VarChar << 0 << 0 << text("") << QByteArray("''");
    QTest::newRow("octets") << SqlType::Char << 0 << OctetsCharset << text(QByteArray("\0\xFF'", 3))
                            << QByteArray("x'00FF27'");
    QTest::newRow("binary blob") << SqlType::Blob << 0 << OctetsCharset << text("\x01\x02") << QByteArray("x'0102'");
    QTest::newRow("integer") << SqlType::Integer << 0 << 0 << integer(-2147483648LL) << QByteArray("-2147483648");
    QTest::newRow("bigint, the lowest") << SqlType::BigInt << 0 << 0 << integer(std::numeric_limits<qint64>::min())
                                        << QByteArray("-9223372036854775808");
    QTest::newRow("numeric") << SqlType::BigInt << -2 << 0 << integer(-123456789) << QByteArray("-1234567.89");
    QTest::newRow("numeric below one") << SqlType::Integer << -4 << 0 << integer(-5) << QByteArray("-0.0005");
    QTest::newRow("numeric zero") << SqlType::SmallInt << -1 << 0 << integer(0) << QByteArray("0.0");
    QTest::newRow("double, short") << SqlType::Double << 0 << 0 << real(12.5) << QByteArray("12.5e0");
    QTest::newRow("double, every digit") << SqlType::Double << 0 << 0 << real(0.1 + 0.2)
                                         << QByteArray("0.30000000000000004e0");
    QTest::newRow("double, exponent") << SqlType::Double << 0 << 0 << real(1e-300) << QByteArray("1e-300");
    QTest::newRow("float") << SqlType::Float << 0 << 0 << real(double(1.1f)) << QByteArray("1.10000002e0");
    QTest::newRow("date") << SqlType::Date << 0 << 0 << moment(0, 0) << QByteArray("'1858-11-17'");
    QTest::newRow("first date") << SqlType::Date << 0 << 0 << moment(-678575, 0) << QByteArray("'0001-01-01'");
    QTest::newRow("time") << SqlType::Time << 0 << 0 << moment(0, 863999999) << QByteArray("'23:59:59.9999'");
    QTest::newRow("timestamp") << SqlType::Timestamp << 0 << 0 << moment(61382, 495001234)
                               << QByteArray("'2026-12-08 13:45:00.1234'");
    QTest::newRow("boolean") << SqlType::Boolean << 0 << 0 << integer(1) << QByteArray("TRUE");
}

void TestTableScript::literals()
{
    QFETCH(SqlType, type);
    QFETCH(int, scale);
    QFETCH(int, charset);
    QFETCH(SqlValue, value);
    QFETCH(QByteArray, literal);
    SqlColumn column;
    column.type = type;
    column.scale = scale;
    column.charset = charset;
    column.subType = charset == OctetsCharset ? 0 : 1;
    QCOMPARE(SqlLiteral(column, value), literal);
}

void TestTableScript::valuesWithoutALiteral_data()
{
    QTest::addColumn<SqlType>("type");
    QTest::addColumn<SqlValue>("value");
    QTest::newRow("infinite") << SqlType::Double << real(std::numeric_limits<double>::infinity());
    QTest::newRow("not a number") << SqlType::Float << real(std::numeric_limits<double>::quiet_NaN());
    QTest::newRow("text too long") << SqlType::Blob << text(QByteArray(40000, 'a'));
    QTest::newRow("binary too long") << SqlType::Char << text(QByteArray(20000, '\0'));
}

void TestTableScript::valuesWithoutALiteral()
{
    QFETCH(SqlType, type);
    QFETCH(SqlValue, value);
    SqlColumn column;
    column.type = type;
    column.charset = type == SqlType::Char ? OctetsCharset : 0;
    column.subType = 1;
    QVERIFY_THROWS_EXCEPTION(Error, SqlLiteral(column, value));
}

void TestTableScript::statements_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QList<QByteArray>>("texts");
    QTest::addColumn<QList<int>>("lines");
    QTest::newRow("one a line") << QByteArray("SET BAIL ON;\ndelete from t;\ncommit;\n")
                                << QList<QByteArray>{"SET BAIL ON", "delete from t", "commit"} << QList<int>{1, 2, 3};
    QTest::newRow("semicolons in literals and names")
        << QByteArray("insert into \"A;B\" values ('x;''y;', 'z');\n\n  insert into t values (';');")
        << QList<QByteArray>{"insert into \"A;B\" values ('x;''y;', 'z')", "insert into t values (';')"}
        << QList<int>{1, 3};
    QTest::newRow("comments") << QByteArray("/* a; b\n c; */ delete from t; -- d; e\ninsert into t values (1);")
                              << QList<QByteArray>{"/* a; b\n c; */ delete from t", "-- d; e\ninsert into t values (1)"}
                              << QList<int>{1, 2};
    QTest::newRow("a line break in a literal") << QByteArray("insert into t values ('a\nb');\ncommit;")
                                               << QList<QByteArray>{"insert into t values ('a\nb')", "commit"}
                                               << QList<int>{1, 3};
    QTest::newRow("no closing semicolon") << QByteArray("commit") << QList<QByteArray>{"commit"} << QList<int>{1};
    QTest::newRow("unclosed literal") << QByteArray("insert into t values ('a;") << QList<QByteArray>{"insert into t values ('a;"}
                                      << QList<int>{1};
    QTest::newRow("nothing") << QByteArray(" ;\n;") << QList<QByteArray>{} << QList<int>{};
}

void TestTableScript::statements()
{
    QFETCH(QByteArray, script);
    QFETCH(QList<QByteArray>, texts);
    QFETCH(QList<int>, lines);
    QList<QByteArray> gotTexts;
    QList<int> gotLines;
    for (const ScriptStatement& s : ScriptStatements(script)) {
        gotTexts << s.text;
        gotLines << s.line;
    }
    QCOMPARE(gotTexts, texts);
    QCOMPARE(gotLines, lines);
}

QTEST_MAIN(TestTableScript)
#include "tst_TableScript.moc"
