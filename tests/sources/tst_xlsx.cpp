// The .xlsx reader through LoadSpreadsheet, over the fixtures of tests/fixtures/make_xlsx.py
// and over packages built here the way other writers shape them (the damaged, hostile and
// oversized ones are in tst_xlsx_ceilings).
#include "LoadSpreadsheet.h"
#include "RegionalSettings.h"
#include "GridChecks.h"
#include "TextGrid.h"
#include "XlsxPackages.h"
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

// A workbook whose cell formats are 0 general, 1 a built-in date (14) and 2 the custom 164,
// with the parts a test may replace listed by name.
std::map<QByteArray, QByteArray> styledWorkbook(const QByteArray& cells)
{
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    auto parts = workbookParts("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c>" + cells + "</row>");
    parts["xl/_rels/workbook.xml.rels"] = "<Relationships><Relationship Id=\"rId1\" Type=\"" + rel
        + "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" Type=\"" + rel
        + "sharedStrings\" Target=\"sharedStrings.xml\"/><Relationship Id=\"rId3\" Type=\"" + rel
        + "styles\" Target=\"styles.xml\"/></Relationships>";
    parts["xl/styles.xml"] = "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                             "<numFmts><numFmt numFmtId=\"164\" formatCode=\"0.00\"/></numFmts><cellXfs><xf numFmtId=\"0\"/>"
                             "<xf numFmtId=\"14\"/><xf numFmtId=\"164\"/></cellXfs></styleSheet>";
    return parts;
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
    void compoundFilesNamedXlsx_data();
    void compoundFilesNamedXlsx();
    void numberTexts_data();
    void numberTexts();
    void damagedCopies_data();
    void damagedCopies();
    void otherWriters_data();
    void otherWriters();
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
    QTest::newRow("no references, prefixes, ISO date, chart sheet first") << "unusual.xlsx" << true << 2 << 3
        << QStringList{"A1=um", "B1=2", "A2=True", "C2=16/04/2019 15:52:00"};
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
    QTest::newRow("truncated archive") << "truncated.xlsx"
        << "\"%1\" is not an .xlsx workbook (the zip archive is cut short or damaged)" << 5 << 5;
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

void TestXlsx::compoundFilesNamedXlsx_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("password-protected workbook") << "encrypted_package.xls";
    QTest::newRow("Excel 97-2003 workbook") << "good.xls";
}

void TestXlsx::compoundFilesNamedXlsx()
{
    QFETCH(QString, source);
    QTemporaryDir dir;
    const QString path = dir.filePath("protegido.xlsx");
    QVERIFY(QFile::copy(QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/xls/") + source, path));
    TextGrid grid;
    QCOMPARE(load(grid, path), QStringLiteral("\"%1\" is not an .xlsx workbook (it is a password-protected workbook or "
                                              "an Excel 97-2003 workbook, not a zip archive)").arg(path));
}

// A number cell's text as written in the file, and what the grid shows for it; an empty
// grid text means the load is refused.
void TestXlsx::numberTexts_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("shown");
    const struct {
        const char* value;
        const char* shown;
    } cases[] = {
        {"3.78", "3,78"}, {"3.7800000000000002", "3,78"}, {"-12.5", "-12,5"}, {"-0", "0"},
        {"1.", "1"}, {".5", "0,5"}, {"+5", "5"}, {"0012.50", "12,5"}, {" 7 ", "7"},
        {"123456789012345", "123456789012345"}, {"1234567890123456", "1,23456789012346E15"},
        {"0.00001", "0,00001"}, {"0.000001", "1E-6"}, {"1.5E+2", "150"}, {"2.5e-3", "0,0025"},
        {"0.1000000000000000055511151231257827", "0,1"}, {"99999999999999.99", "100000000000000"},
        {"1.2.3", ""}, {"-", ""}, {".", ""}, {"--1", ""}, {"1-", ""}, {"0x10", ""}, {"1e999", ""},
    };
    for (const auto& c : cases)
        QTest::newRow(c.value) << QByteArray(c.value) << QString::fromUtf8(c.shown);
}

void TestXlsx::numberTexts()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, shown);
    auto parts = workbookParts("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\"><v>" + value
                               + "</v></c></row>");
    QTemporaryDir dir;
    const QString path = dir.filePath("numbers.xlsx");
    QVERIFY(saveWorkbook(parts, path));
    TextGrid grid;
    const QString error = load(grid, path);
    if (shown.isEmpty()) {
        QCOMPARE(error, QStringLiteral("Cell B1 holds \"%1\", which is not a number").arg(QString::fromLatin1(value)));
    } else {
        QCOMPARE(error, QString());
        QCOMPARE(grid.cell(1, 0), shown);
    }
}

void TestXlsx::damagedCopies_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("shared and inline strings") << "strings.xlsx";
    QTest::newRow("styles, data from C3") << "start_c3.xlsx";
}

// A good workbook cut short anywhere, or with any byte changed: an error with a message,
// or a load, never a crash or a read outside the data (run it under valgrind to see).
void TestXlsx::damagedCopies()
{
    QFETCH(QString, file);
    QFile source(fixture(file));
    QVERIFY(source.open(QIODevice::ReadOnly));
    const QByteArray whole = source.readAll();
    QTemporaryDir dir;
    const QString path = dir.filePath("copia.xlsx");
    const auto loadCopy = [&](const QByteArray& bytes) {
        QFile copy(path);
        if (!copy.open(QIODevice::WriteOnly | QIODevice::Truncate) || copy.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        copy.close();
        TextGrid grid;
        return load(grid, path);
    };
    for (qsizetype length = 0; length < whole.size(); length += 29)
        QVERIFY2(!loadCopy(whole.left(length)).isEmpty(), qPrintable(QString::number(length)));
    int loaded = 0;
    for (qsizetype at = 0; at < whole.size(); at += 11) {
        QByteArray damaged = whole;
        damaged[at] = char(damaged[at] ^ 0x5A);
        loaded += loadCopy(damaged).isEmpty() ? 1 : 0;
    }
    QVERIFY(loaded > 0); // bytes the reader never looks at, such as the local headers' times
}

// Shapes of real files written by other programs: extension elements of other namespaces
// beside the ones they extend, Windows path separators in the zip, optional parts the
// relationships name but the zip lacks, empty values, and times stored as durations.
void TestXlsx::otherWriters_data()
{
    QTest::addColumn<QByteArrayList>("changes"); // part name, then its text (empty: no such part)
    QTest::addColumn<QByteArray>("cells");       // written after A1 in row 1
    QTest::addColumn<bool>("backslashes");       // entry names written with "\\"
    QTest::addColumn<QStringList>("expected");   // "CELL=text", or the start of the error

    const QByteArray book = "xl/workbook.xml", styles = "xl/styles.xml", sst = "xl/sharedStrings.xml";
    const QByteArray main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const QByteArray x14 = "xmlns:x14=\"http://schemas.microsoft.com/office/spreadsheetml/2009/9/main\"";
    const QByteArray x15 = "xmlns:x15=\"http://schemas.microsoft.com/office/spreadsheetml/2010/11/main\"";
    const QByteArray sheetsList = "<sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets>";
    const auto workbook = [&](const QByteArray& body) {
        return "<workbook xmlns=\"" + main + "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
               "relationships\" " + x14 + " " + x15 + ">" + body + "</workbook>";
    };
    const QByteArray date = "<c r=\"B1\" s=\"1\"><v>1</v></c>"; // 02/01/1904, or 01/01/1900
    const QByteArray ext = "<extLst><ext uri=\"{1}\"><x14:workbookPr defaultImageDpi=\"220\"/></ext>"
                           "<ext uri=\"{2}\"><x15:workbookPr chartTrackingRefBase=\"1\"/></ext></extLst>";

    QTest::newRow("1904 system, extension workbookPr after it") << QByteArrayList{book, workbook(
        "<workbookPr date1904=\"1\"/>" + sheetsList + ext)} << date << false << QStringList{"B1=02/01/1904"};
    QTest::newRow("1900 system, extension workbookPr saying 1904") << QByteArrayList{book, workbook(
        "<workbookPr/>" + sheetsList + "<extLst><ext uri=\"{1}\"><x14:workbookPr date1904=\"1\"/></ext></extLst>")}
        << date << false << QStringList{"B1=01/01/1900"};
    QTest::newRow("strict namespace") << QByteArrayList{book, "<workbook xmlns=\"http://purl.oclc.org/ooxml/spreadsheetml/"
        "main\" xmlns:r=\"http://purl.oclc.org/ooxml/officeDocument/relationships\"><workbookPr date1904=\"true\"/>"
        + sheetsList + "</workbook>"} << date << false << QStringList{"B1=02/01/1904"};
    QTest::newRow("number format of a conditional format") << QByteArrayList{styles, "<styleSheet><numFmts>"
        "<numFmt numFmtId=\"164\" formatCode=\"0.00\"/></numFmts><cellXfs><xf/><xf/><xf numFmtId=\"164\"/></cellXfs>"
        "<dxfs><dxf><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/></dxf></dxfs></styleSheet>"}
        << QByteArray("<c r=\"B1\" s=\"2\"><v>1</v></c>") << false << QStringList{"B1=1"};
    QTest::newRow("extension string item is no shared string") << QByteArrayList{sst, "<sst><si><t>um</t></si>"
        "<extLst><ext uri=\"{3}\"><e:si xmlns:e=\"urn:e\"><e:t>extra</e:t></e:si></ext></extLst></sst>"}
        << QByteArray("<c r=\"B1\" t=\"s\"><v>1</v></c>") << false
        << QStringList{"Cell B1 refers to the shared string \"1\", which the workbook does not have"};
    QTest::newRow("extension cells are no cells") << QByteArrayList{"xl/worksheets/sheet1.xml", kSheetHead
        + "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\"><v>5</v></c></row></sheetData><extLst><ext uri=\"{4}\">"
        "<e:row xmlns:e=\"urn:e\" r=\"9\"><e:c r=\"E9\"><e:v>1</e:v></e:c></e:row></ext></extLst></worksheet>"}
        << QByteArray() << false << QStringList{"B1=5"};
    QTest::newRow("attributes of another vocabulary") << QByteArrayList{}
        << QByteArray("<c r=\"B1\" e:t=\"s\" e:r=\"Z9\" xmlns:e=\"urn:e\"><v>5</v></c>") << false << QStringList{"B1=5"};
    QTest::newRow("relationship of another vocabulary") << QByteArrayList{"xl/_rels/workbook.xml.rels",
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><e:Relationship "
        "xmlns:e=\"urn:e\" Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
        "worksheet\" Target=\"worksheets/nothing.xml\"/><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats"
        ".org/officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rId2\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings\" "
        "Target=\"sharedStrings.xml\"/></Relationships>"}
        << QByteArray("<c r=\"B1\"><v>5</v></c>") << false << QStringList{"B1=5"};
    QTest::newRow("names with backslashes") << QByteArrayList{} << date << true << QStringList{"A1=um", "B1=01/01/1900"};
    QTest::newRow("empty value of a shared string") << QByteArrayList{}
        << QByteArray("<c r=\"B1\" t=\"s\"><v/></c><c r=\"C1\" t=\"s\"><v> </v></c><c r=\"D1\" t=\"s\"><v>1</v></c>")
        << false << QStringList{"B1=", "C1=", "D1=dois"};
    QTest::newRow("styles named but missing") << QByteArrayList{styles, {}} << date << false << QStringList{"B1=1"};
    QTest::newRow("shared strings named but missing") << QByteArrayList{sst, {}}
        << QByteArray("<c r=\"B1\"><v>5</v></c>") << false
        << QStringList{"Cell A1 refers to the shared string \"0\", which the workbook does not have"};
    QTest::newRow("package relationships damaged") << QByteArrayList{"_rels/.rels", "CORRUPTED"} << date << false
        << QStringList{"B1=01/01/1900"};
    const struct {
        const char* value;
        const char* shown;
    } durations[] = {
        {"PT0H0M0.000S", "B1=30/12/1899"}, {"PT12H30M0S", "B1=30/12/1899 12:30:00"},
        {"PT1.5S", "B1=30/12/1899 00:00:01"}, {"P1DT1H", "B1=31/12/1899 01:00:00"},
        {"PT36H", "B1=31/12/1899 12:00:00"}, {"P1Y", "Cell B1 holds \"P1Y\", which is not a date"},
        {"PT-1H", "Cell B1 holds \"PT-1H\", which is not a date"}, {"PT", "Cell B1 holds \"PT\", which is not a date"},
    };
    for (const auto& d : durations)
        QTest::newRow(qPrintable(QStringLiteral("duration %1").arg(d.value))) << QByteArrayList{}
            << "<c r=\"B1\" t=\"d\"><v>" + QByteArray(d.value) + "</v></c>" << false << QStringList{d.shown};
}

void TestXlsx::otherWriters()
{
    QFETCH(QByteArrayList, changes);
    QFETCH(QByteArray, cells);
    QFETCH(bool, backslashes);
    QFETCH(QStringList, expected);

    auto parts = styledWorkbook(cells);
    parts["_rels/.rels"] = "<Relationships><Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                           "officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    for (qsizetype i = 0; i + 1 < changes.size(); i += 2) {
        if (changes[i + 1].isEmpty())
            parts.erase(changes[i]);
        else
            parts[changes[i]] = changes[i + 1];
    }
    ZipWriter zip;
    for (const auto& [name, data] : parts)
        zip.add(backslashes ? QByteArray(name).replace('/', '\\') : name, data);
    QTemporaryDir dir;
    const QString path = dir.filePath("outro.xlsx");
    QVERIFY(zip.save(path));

    TextGrid grid;
    const QString error = load(grid, path);
    if (expected.size() == 1 && !expected.first().contains(u'=')) {
        QVERIFY2(error.startsWith(expected.first()), qPrintable(error));
        return;
    }
    QCOMPARE(error, QString());
    checkCells(grid, expected);
}

QTEST_GUILESS_MAIN(TestXlsx)
#include "tst_xlsx.moc"
