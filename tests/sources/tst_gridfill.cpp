// The stage both readers fill the grid through: the used area as the records make it, cell
// names, the ceiling, and the same area from the .xls and the .xlsx form of one sheet.
#include "GridChecks.h"
#include "GridFill.h"
#include "LoadSpreadsheet.h"
#include "RegionalSettings.h"
#include "TextGrid.h"
#include "platform/Error.h"

#include <QtTest>

using gridfill::UsedArea;

namespace {

QString fixture(const QString& name)
{
    const QString folder = name.endsWith(QLatin1String(".xlsx")) ? QStringLiteral("xlsx/") : QStringLiteral("xls/");
    return QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/") + folder + name;
}

} // namespace

class TestGridFill : public QObject {
    Q_OBJECT

private slots:
    void usedArea_data();
    void usedArea();
    void declaredDimensions_data();
    void declaredDimensions();
    void cellName_data();
    void cellName();
    void ceilingLeavesTheGridAlone();
};

// Records given as "cell C3", "row 4 3" (row, columns spanned), "cols 5", "dim 10 4".
void TestGridFill::usedArea_data()
{
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");

    QTest::newRow("nothing: A1") << QStringList{} << 1 << 1;
    QTest::newRow("cells alone") << QStringList{"cell 2 1", "cell 0 4"} << 5 << 3;
    QTest::newRow("dimension alone counts for nothing") << QStringList{"dim 851 24"} << 1 << 1;
    QTest::newRow("dimension past every record") << QStringList{"cell 1 1", "row 1 2", "dim 65536 10"} << 2 << 2;
    QTest::newRow("row and column records reach into the dimension")
        << QStringList{"cell 1 1", "row 3 2", "cols 3", "dim 6 5"} << 4 << 3;
    QTest::newRow("row spans reach columns") << QStringList{"cell 0 0", "row 0 3", "dim 2 3"} << 1 << 3;
    QTest::newRow("records past the dimension stop at it")
        << QStringList{"cell 1 1", "row 9 2", "cols 256", "dim 3 4"} << 3 << 4;
    QTest::newRow("cells past the dimension count") << QStringList{"cell 7 7", "dim 2 2"} << 8 << 8;
}

void TestGridFill::usedArea()
{
    QFETCH(QStringList, records);
    QFETCH(int, rows);
    QFETCH(int, cols);
    UsedArea area;
    for (const QString& record : records) {
        const QStringList f = record.split(u' ');
        if (f[0] == u"cell")
            area.includeCell(f[1].toULongLong(), f[2].toULongLong());
        else if (f[0] == u"row")
            area.includeRow(f[1].toULongLong(), f[2].toULongLong());
        else if (f[0] == u"cols")
            area.includeColumns(f[1].toULongLong());
        else
            area.declare(f[1].toULongLong(), f[2].toULongLong());
    }
    QCOMPARE(area.rows(), quint64(rows));
    QCOMPARE(area.cols(), quint64(cols));
}

// The same two sheets written as .xls and as .xlsx, each with a dimension that claims more
// than the file holds.
void TestGridFill::declaredDimensions_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QStringList>("expected");

    const QStringList cells{"A1=a", "B1=", "A2=", "B2=2,5"};
    for (const char* ext : {".xls", ".xlsx"}) {
        QTest::newRow(qPrintable(QStringLiteral("65536 rows declared, 2 held (%1)").arg(ext)))
            << QStringLiteral("dimension_unreached") + ext << 2 << 2 << cells;
        QTest::newRow(qPrintable(QStringLiteral("formatted row and columns reach part of it (%1)").arg(ext)))
            << QStringLiteral("dimension_formatted") + ext << 4 << 3 << cells + QStringList{"C4=", "A3="};
    }
}

void TestGridFill::declaredDimensions()
{
    QFETCH(QString, file);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QStringList, expected);
    TextGrid grid;
    QCOMPARE(loadError([&] { LoadSpreadsheet(grid, fixture(file), RegionalSettings::brazil()); }), QString());
    QCOMPARE(grid.RowCount(), rows);
    QCOMPARE(grid.ColCount(), cols);
    checkCells(grid, expected);
}

void TestGridFill::cellName_data()
{
    QTest::addColumn<quint32>("col");
    QTest::addColumn<quint32>("row");
    QTest::addColumn<QString>("name");
    QTest::newRow("A1") << 0u << 0u << "A1";
    QTest::newRow("Z") << 25u << 9u << "Z10";
    QTest::newRow("AA") << 26u << 0u << "AA1";
    QTest::newRow("AZ, BA") << 52u << 39u << "BA40";
    QTest::newRow("last .xls cell") << 255u << 65535u << "IV65536";
    QTest::newRow("last .xlsx cell") << 16383u << 1048575u << "XFD1048576";
    QTest::newRow("row past 32 bits") << 0u << 4294967295u << "A4294967296";
}

void TestGridFill::cellName()
{
    QFETCH(quint32, col);
    QFETCH(quint32, row);
    QFETCH(QString, name);
    QCOMPARE(gridfill::cellName(col, row), name);
}

void TestGridFill::ceilingLeavesTheGridAlone()
{
    TextGrid grid;
    grid.setCell(1, 1, QStringLiteral("old"));
    UsedArea area;
    area.includeCell(4, 3);
    const gridfill::FirstError none;
    QCOMPARE(loadError([&] { gridfill::GridFill(grid, QStringLiteral("x"), area, none, 19); }),
             QStringLiteral("The used area of the first worksheet, A1:E4, has more than 19 cells"));
    QCOMPARE(grid.RowCount(), 5);
    QCOMPARE(grid.cell(1, 1), QStringLiteral("old"));
    QCOMPARE(loadError([&] { gridfill::GridFill(grid, QStringLiteral("x"), area, none, 20); }), QString());
    QCOMPARE(grid.RowCount(), 4);
    QCOMPARE(grid.cell(1, 1), QString()); // cleared: no record says otherwise
}

QTEST_GUILESS_MAIN(TestGridFill)
#include "tst_gridfill.moc"
