// What makes two failures one cause, and which rows the type detection looks at.
#include "FailureCauses.h"
#include "ProductRow.h"
#include "SourceDetection.h"

#include <QtTest>

class TestFailureCauses : public QObject {
    Q_OBJECT
private slots:
    void cause_data();
    void cause();
    void grouping();
    void samplePositions_data();
    void samplePositions();
};

void TestFailureCauses::cause_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("cause");
    QTest::newRow("float") << "'1.234.56' is not a valid floating point value" << "'*' is not a valid floating point value";
    QTest::newRow("float holding quotes") << "'a'b'' is not a valid floating point value"
                                          << "'*' is not a valid floating point value";
    QTest::newRow("integer") << "''50x'' is not a valid integer value" << "''*'' is not a valid integer value";
    QTest::newRow("empty integer") << "'''' is not a valid integer value" << "''*'' is not a valid integer value";
    QTest::newRow("truncation, lines joined")
        << "\rarithmetic exception, numeric overflow, or string truncation\rstring right truncation\rexpected length 2, actual 4"
        << "arithmetic exception, numeric overflow, or string truncation / string right truncation / expected length 2, actual *";
    QTest::newRow("key value") << "\rviolation of PRIMARY or UNIQUE KEY constraint \"PK_C\" on table \"C000025\"\r"
                                  "Problematic key value is (\"CODIGO\" = '000123')"
                               << "violation of PRIMARY or UNIQUE KEY constraint \"PK_C\" on table \"C000025\" / "
                                  "Problematic key value is (\"CODIGO\" = '*')";
    QTest::newRow("conversion from string") << "\rconversion error from string \"ABC\"" << "conversion error from string \"*\"";
    QTest::newRow("column value") << "\rvalidation error for column \"C000025\".\"UNIDADE\", value \"*** null ***\""
                                  << "validation error for column \"C000025\".\"UNIDADE\", value \"*\"";
    QTest::newRow("statement position") << "\rToken unknown - line 4, column 57\r," << "Token unknown - line *, column * / ,";
    QTest::newRow("list index") << "List index out of bounds (12)" << "List index out of bounds (*)";
    QTest::newRow("nothing to take out") << "Unsupported SQL type" << "Unsupported SQL type";
}

void TestFailureCauses::cause()
{
    QFETCH(QString, message);
    QFETCH(QString, cause);
    QCOMPARE(FailureCause(message), cause);
}

// Most frequent first, ties in the order they first failed; three row numbers kept.
void TestFailureCauses::grouping()
{
    FailureCauses causes;
    ProductRow row;
    causes.add(2, row, QStringLiteral("''a'' is not a valid integer value"));
    causes.add(3, row, QStringLiteral("'1.2.3' is not a valid floating point value"));
    causes.add(5, row, QStringLiteral("'4.5.6' is not a valid floating point value"));
    causes.add(7, row, QStringLiteral("''b'' is not a valid integer value"));
    causes.add(8, row, QStringLiteral("'7.8.9' is not a valid floating point value"));
    causes.add(9, row, QStringLiteral("'0.0.0' is not a valid floating point value"));
    QCOMPARE(causes.summary(), QStringLiteral("Failures by cause:\n"
                                              "  4  '*' is not a valid floating point value (rows 3, 5, 8, ...)\n"
                                              "  2  ''*'' is not a valid integer value (rows 2, 7)\n"));
    QCOMPARE(causes.rows().size(), std::size_t(6));
    QCOMPARE(FailureCauses().summary(), QString());
}

void TestFailureCauses::samplePositions_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("end");
    QTest::addColumn<int>("wanted");
    QTest::addColumn<QList<int>>("positions");
    QTest::newRow("all of few") << 1 << 4 << 5 << QList<int>{1, 2, 3};
    QTest::newRow("exactly enough") << 0 << 3 << 3 << QList<int>{0, 1, 2};
    QTest::newRow("an even spread") << 0 << 10 << 4 << QList<int>{0, 2, 5, 7};
    QTest::newRow("none") << 1 << 1 << 5 << QList<int>{};
}

void TestFailureCauses::samplePositions()
{
    QFETCH(int, first);
    QFETCH(int, end);
    QFETCH(int, wanted);
    QFETCH(QList<int>, positions);
    const std::vector<int> got = SamplePositions(first, end, wanted);
    QCOMPARE(QList<int>(got.begin(), got.end()), positions);
}

QTEST_MAIN(TestFailureCauses)
#include "tst_failurecauses.moc"
