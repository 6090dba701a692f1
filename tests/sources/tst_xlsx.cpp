// The .xlsx reader through LoadSpreadsheet, over the fixtures of tests/fixtures/make_xlsx.py.
#include "LoadSpreadsheet.h"
#include "RegionalSettings.h"
#include "GridChecks.h"
#include "TextGrid.h"
#include "platform/Error.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString fixture(const QString& name)
{
    return QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/xlsx/") + name;
}

// The error message of the load, or an empty text when it succeeded.
QString load(TextGrid& grid, const QString& fileName, const RegionalSettings& settings = RegionalSettings::brazil())
{
    return loadError([&] { LoadSpreadsheet(grid, fileName, settings); });
}

} // namespace

class TestXlsx : public QObject {
    Q_OBJECT

private slots:
    void cells_data();
    void cells();
    void failures_data();
    void failures();
    void errorValueStopsTheFillInPlace();
    void largeSheets_data();
    void largeSheets();
    void emptySheetCellsClearOldText();
    void dispatchByExtension_data();
    void dispatchByExtension();
    void viewsAreToldOnceEvenOnFailure();
};

void TestXlsx::cells_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QStringList>("expected"); // "CELL=text"

    QTest::newRow("data from C3") << "start_c3.xlsx" << true << 4 << 4
        << QStringList{"A1=", "B2=", "C2=", "A3=", "C3=Código", "D3=Produto", "C4=17", "D4=Café torrado"};
    const QStringList common{"A1=9781000000009", "C1=7", "E1=1E-6", "H1=0", "K1=100"};
    QTest::newRow("numbers, comma") << "numbers.xlsx" << true << 1 << 12
        << common + QStringList{"B1=12,5", "D1=1,23456789012346E17", "F1=0,00001", "G1=-3,25",
                                "I1=1,23456789012346E15", "J1=0,3", "L1=2,5E-10"};
    QTest::newRow("numbers, point") << "numbers.xlsx" << false << 1 << 12
        << common + QStringList{"B1=12.5", "D1=1.23456789012346E17", "F1=0.00001", "G1=-3.25", "J1=0.3"};
    QTest::newRow("dates and currency") << "dates_currency.xlsx" << true << 1 << 10
        << QStringList{"A1=16/04/2019", "B1=16/04/2019 15:52:00", "C1=28/02/1900", "D1=01/03/1900",
                       "E1=12,5", "F1=1234,5679", "G1=0,5", "H1=1234,56789", "I1=45000",
                       "J1=15/03/2023 06:00:00"};
    QTest::newRow("1904 dates") << "dates_1904.xlsx" << true << 1 << 4
        << QStringList{"A1=16/04/2019", "B1=16/04/2019 15:52:00", "C1=01/01/1904", "D1=02/01/1904"};
    QTest::newRow("booleans") << "booleans.xlsx" << true << 2 << 2
        << QStringList{"A1=True", "B1=False", "A2=x", "B2="};
    QTest::newRow("shared, rich, phonetic, inline and formula strings") << "strings.xlsx" << true << 2 << 4
        << QStringList{"A1=simples", "B1=Rico em partes", "C1=漢字", "D1=linha\rquebra _x0041_ fim",
                       "A2=  em linha  ", "B2=ab", "C2=simples!", "D2=2"};
    QTest::newRow("first sheet in workbook order, not the active one") << "two_sheets.xlsx" << true << 2 << 2
        << QStringList{"A1=primeira", "B2=1", "A2=", "B1="};
    QTest::newRow("no references, prefixes, ISO date, chart sheet first") << "unusual.xlsx" << true << 5 << 4
        << QStringList{"A1=um", "B1=2", "A2=True", "C2=16/04/2019 15:52:00", "D5="};
    QTest::newRow("styled blanks enlarge the area") << "styled_blanks.xlsx" << true << 9 << 5
        << QStringList{"A1=a1", "B3=3", "E7=", "B9=", "E9="};
}

void TestXlsx::cells()
{
    QFETCH(QString, file);
    QFETCH(bool, comma);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QStringList, expected);

    TextGrid grid;
    QCOMPARE(load(grid, fixture(file), comma ? RegionalSettings::brazil() : RegionalSettings::point()), QString());
    QCOMPARE(grid.RowCount(), rows);
    QCOMPARE(grid.ColCount(), cols);
    checkCells(grid, expected);
}

void TestXlsx::failures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rows"); // the grid afterwards; a fresh grid is 5 x 5
    QTest::addColumn<int>("cols");

    const QString noTable = QStringLiteral("has no cell beyond A1, so it holds no table to load");
    QTest::newRow("empty sheet") << "empty.xlsx" << QString("The first worksheet of \"%1\" " + noTable) << 1 << 1;
    QTest::newRow("only A1") << "only_a1.xlsx" << QString("The first worksheet of \"%1\" " + noTable) << 1 << 1;
    QTest::newRow("error value") << "error_row40.xlsx" << "Cell D40 holds the error value #N/A" << 50 << 5;
    QTest::newRow("not a zip") << "not_a_zip.xlsx" << "\"%1\" is not an .xlsx workbook (Not a zip archive)" << 5 << 5;
    QTest::newRow("missing file") << "no_such.xlsx" << "Cannot open file \"%1\". No such file or directory" << 5 << 5;
    QTest::newRow("missing part") << "missing_sheet.xlsx"
        << "The workbook \"%1\" has no part \"xl/worksheets/sheet1.xml\"" << 5 << 5;
    QTest::newRow("broken XML") << "broken_xml.xlsx"
        << "The part \"xl/worksheets/sheet1.xml\" of the workbook \"%1\" is not well-formed XML: mismatched tag"
        << 5 << 5;
    QTest::newRow("document type") << "doctype.xlsx"
        << "The part \"xl/worksheets/sheet1.xml\" of the workbook \"%1\" declares a document type" << 5 << 5;
    QTest::newRow("truncated archive") << "truncated.xlsx" << "\"%1\" is not an .xlsx workbook" << 5 << 5;
    QTest::newRow("corrupt part") << "corrupt.xlsx"
        << "The part \"xl/worksheets/sheet1.xml\" of the workbook \"%1\" cannot be read: " << 5 << 5;
    QTest::newRow("shared string out of range") << "bad_shared_index.xlsx"
        << "Cell A1 refers to the shared string \"7\", which the workbook does not have" << 5 << 5;
}

void TestXlsx::failures()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    QFETCH(int, rows);
    QFETCH(int, cols);

    TextGrid grid;
    grid.setCell(0, 0, QStringLiteral("old"));
    const QString error = load(grid, fixture(file));
    const QString wanted = message.contains(QLatin1String("%1")) ? message.arg(fixture(file)) : message;
    QVERIFY2(error.startsWith(wanted), qPrintable(error));
    QCOMPARE(grid.RowCount(), rows);
    QCOMPARE(grid.ColCount(), cols);
    if (rows == 1)
        QCOMPARE(grid.cell(0, 0), QString()); // a single cell gives no text
    if (rows == 5)
        QCOMPARE(grid.cell(0, 0), QString("old")); // failed before the grid was touched
}

void TestXlsx::errorValueStopsTheFillInPlace()
{
    TextGrid grid;
    QCOMPARE(load(grid, fixture("error_row40.xlsx")), QString("Cell D40 holds the error value #N/A"));
    for (int r = 0; r < 50; ++r) {
        for (int c = 0; c < 5; ++c) {
            const bool written = r < 39 || (r == 39 && c < 3);
            const QString want = written ? QStringLiteral("r%1c%2").arg(r + 1).arg(c + 1) : QString();
            QCOMPARE(grid.cell(c, r), want);
        }
    }
}

void TestXlsx::largeSheets_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QString>("lastCell");
    QTest::newRow("headings and 120 rows, A to P") << "headings_120.xlsx" << 121 << 16 << "t121.16";
    QTest::newRow("last row 250") << "rows_250.xlsx" << 250 << 3 << "25003";
}

void TestXlsx::largeSheets()
{
    QFETCH(QString, file);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QString, lastCell);

    TextGrid grid;
    QCOMPARE(load(grid, fixture(file)), QString());
    QCOMPARE(grid.RowCount(), rows);
    QCOMPARE(grid.ColCount(), cols);
    QCOMPARE(grid.cell(0, 0), QString("Coluna 1"));
    QCOMPARE(grid.cell(cols - 1, rows - 1), lastCell);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            QVERIFY(!grid.cell(c, r).isEmpty());
}

void TestXlsx::emptySheetCellsClearOldText()
{
    TextGrid grid;
    grid.resize(6, 6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            grid.setCell(c, r, QStringLiteral("old"));
    QCOMPARE(load(grid, fixture("start_c3.xlsx")), QString());
    int filled = 0;
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c)
            filled += grid.cell(c, r).isEmpty() ? 0 : 1;
    QCOMPARE(filled, 4);
    QVERIFY(grid.cell(0, 0).isEmpty());
}

void TestXlsx::dispatchByExtension_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("outcome"); // 0 loads, 1 refused as no spreadsheet, 2 goes to the .xls reader
    QTest::newRow(".xlsx") << "dados.xlsx" << 0;
    QTest::newRow(".XLSX") << "dados.XLSX" << 1;
    QTest::newRow(".csv") << "dados.csv" << 1;
    QTest::newRow("no extension") << "dados" << 1;
    QTest::newRow("dot in the folder only") << "dados.antigo/export" << 1;
    QTest::newRow(".xls") << "dados.xls" << 2;
    QTest::newRow(".XLS") << "dados.XLS" << 2;
}

void TestXlsx::dispatchByExtension()
{
    QFETCH(QString, name);
    QFETCH(int, outcome);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(name);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QVERIFY(QFile::copy(fixture("start_c3.xlsx"), path));
    TextGrid grid;
    const QString error = load(grid, path);
    const bool refused = error.startsWith(QStringLiteral("Cannot load \"%1\" as a spreadsheet").arg(path));
    QCOMPARE(error.isEmpty(), outcome == 0);
    QCOMPARE(refused, outcome == 1);
    if (outcome == 0)
        QCOMPARE(grid.cell(2, 2), QString("Código"));
}

void TestXlsx::viewsAreToldOnceEvenOnFailure()
{
    for (const char* file : {"start_c3.xlsx", "error_row40.xlsx", "not_a_zip.xlsx"}) {
        TextGrid grid;
        QSignalSpy spy(&grid, &QAbstractItemModel::dataChanged);
        load(grid, fixture(file));
        QCOMPARE(spy.count(), 1);
    }
}

QTEST_GUILESS_MAIN(TestXlsx)
#include "tst_xlsx.moc"
