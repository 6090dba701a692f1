// The .xlsx reader through LoadSpreadsheet, over the fixtures of tests/fixtures/make_xlsx.py
// and over damaged and hostile packages built here.
#include "LoadSpreadsheet.h"
#include "RegionalSettings.h"
#include "GridChecks.h"
#include "TextGrid.h"
#include "platform/Error.h"
#include "xlsx/XlsxLoad.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <zlib.h>

Q_DECLARE_METATYPE(xlsx::Limits)

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

// Raw deflate data for the text, ending byte-aligned with a full flush (more data may
// follow, each piece decoding on its own) or with the final block.
QByteArray deflated(const QByteArray& text, bool final)
{
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        qFatal("deflateInit2");
    QByteArray out(int(deflateBound(&z, uLong(text.size())) + 64), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.constData()));
    z.avail_in = uInt(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, final ? Z_FINISH : Z_FULL_FLUSH);
    out.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    return out;
}

QByteArray le(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char(quint64(value) >> (8 * i)));
    return out;
}

// A zip written byte by byte, so that a test can make a part whose inflated size is far
// larger than the file, and headers that lie about it.
class ZipWriter {
public:
    void add(const QByteArray& name, const QByteArray& text) { addDeflated(name, deflated(text, true), crc(text), quint32(text.size())); }
    // A part made of head, body repeated count times, and tail, deflated piece by piece.
    void addRepeated(const QByteArray& name, const QByteArray& head, const QByteArray& body, int count,
                     const QByteArray& tail, std::optional<quint32> declaredSize = {})
    {
        QByteArray data = deflated(head, false);
        const QByteArray piece = deflated(body, false);
        for (int i = 0; i < count; ++i)
            data += piece;
        data += deflated(tail, true);
        uLong sum = crc(head);
        for (int i = 0; i < count; ++i)
            sum = crc32_combine(sum, crc(body), z_off_t(body.size()));
        sum = crc32_combine(sum, crc(tail), z_off_t(tail.size()));
        const quint64 size = quint64(head.size()) + quint64(body.size()) * quint64(count) + quint64(tail.size());
        QVERIFY(size < 0xFFFFFFFFu);
        addDeflated(name, data, sum, declaredSize.value_or(quint32(size)));
    }
    bool save(const QString& path) const
    {
        QByteArray directory;
        for (const Entry& e : m_entries)
            directory += le(0x02014b50, 4) + le(20, 2) + header(e) + QByteArray(10, '\0') + le(e.offset, 4) + e.name;
        const QByteArray end = le(0x06054b50, 4) + le(0, 4) + le(quint32(m_entries.size()), 2) + le(quint32(m_entries.size()), 2)
            + le(quint32(directory.size()), 4) + le(quint32(m_data.size()), 4) + le(0, 2);
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(m_data + directory + end) > 0;
    }

private:
    struct Entry {
        QByteArray name;
        quint32 crc, packed, size, offset;
    };
    static uLong crc(const QByteArray& b) { return crc32(0, reinterpret_cast<const Bytef*>(b.constData()), uInt(b.size())); }
    // The fields local and central headers share: version, flags, method, time, date, CRC,
    // sizes, name length and extra length.
    static QByteArray header(const Entry& e)
    {
        return le(20, 2) + le(0, 2) + le(8, 2) + le(0, 2) + le(0x21, 2) + le(e.crc, 4) + le(e.packed, 4) + le(e.size, 4)
            + le(quint32(e.name.size()), 2) + le(0, 2);
    }
    void addDeflated(const QByteArray& name, const QByteArray& data, uLong sum, quint32 size)
    {
        const Entry e{name, quint32(sum), quint32(data.size()), size, quint32(m_data.size())};
        m_data += le(0x04034b50, 4) + header(e) + name + data;
        m_entries.push_back(e);
    }
    QByteArray m_data;
    std::vector<Entry> m_entries;
};

const QByteArray kSheetHead = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
const QByteArray kSheetTail = "</sheetData></worksheet>";

// The parts of a one-sheet workbook, each of which a test may replace or drop.
std::map<QByteArray, QByteArray> workbookParts(const QByteArray& sheetData)
{
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    return {
        {"xl/workbook.xml", "<workbook xmlns:r=\"" + rel.chopped(1) + "\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels", "<Relationships><Relationship Id=\"rId1\" Type=\"" + rel + "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
            "<Relationship Id=\"rId2\" Type=\"" + rel + "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
        {"xl/sharedStrings.xml", "<sst><si><t>um</t></si><si><t>dois</t></si></sst>"},
        {"xl/worksheets/sheet1.xml", kSheetHead + sheetData + kSheetTail},
    };
}

const QByteArray kLaughs = "<!DOCTYPE x [<!ENTITY a \"hahahahahahahahahaha\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                           "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]>";

bool saveWorkbook(const std::map<QByteArray, QByteArray>& parts, const QString& path)
{
    ZipWriter zip;
    for (const auto& [name, data] : parts)
        zip.add(name, data);
    return zip.save(path);
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
    void builtFailures_data();
    void builtFailures();
    void numberTexts_data();
    void numberTexts();
    void inflationCeilings_data();
    void inflationCeilings();
    void thousandInlineMegabytes();
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

void TestXlsx::builtFailures_data()
{
    QTest::addColumn<QByteArrayList>("drop");
    QTest::addColumn<QByteArray>("part"); // written with the text below, replacing the usual one
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message"); // how the error starts; empty: the load succeeds

    const QByteArray sheet = "xl/worksheets/sheet1.xml", book = "xl/workbook.xml", sst = "xl/sharedStrings.xml";
    const QByteArray rels = "xl/_rels/workbook.xml.rels";
    const QString part = QStringLiteral("The part \"%2\" of the workbook \"%1\" ");
    const QString noWorkbook = QStringLiteral("\"%1\" is not an .xlsx workbook (the zip archive holds no workbook part)");
    const QByteArray mib(1 << 20, 'a');
    const auto row = [](const QByteArray& cells) { return kSheetHead + "<row r=\"1\">" + cells + "</row>" + kSheetTail; };
    const auto shared = [&](const QByteArray& index) {
        return row("<c r=\"A1\" t=\"s\"><v>" + index + "</v></c><c r=\"B1\"/>");
    };

    QTest::newRow("zip of another document") << QByteArrayList{book, rels, sst, sheet} << QByteArray("word/document.xml")
                                             << QByteArray("<document/>") << noWorkbook;
    QTest::newRow("no workbook part") << QByteArrayList{book} << QByteArray() << QByteArray() << noWorkbook;
    QTest::newRow("sheet cut inside a tag") << QByteArrayList{} << sheet
        << kSheetHead + "<row r=\"1\"><c r=\"A1\"><v>1</v></c><c r=\"B" << part.arg("%1", sheet) + "is not well-formed XML: ";
    QTest::newRow("sheet cut inside a value") << QByteArrayList{} << sheet << kSheetHead + "<row r=\"1\"><c r=\"A1\"><v>12"
                                              << part.arg("%1", sheet) + "is not well-formed XML: no element found";
    const QString doctype = QStringLiteral("declares a document type, which workbook parts never do");
    QTest::newRow("entities in the workbook part") << QByteArrayList{} << book
        << kLaughs + "<workbook><sheets><sheet name=\"&d;\" r:id=\"rId1\"/></sheets></workbook>" << part.arg("%1", book) + doctype;
    QTest::newRow("entities in the shared strings") << QByteArrayList{} << sst << kLaughs + "<sst><si><t>&d;</t></si></sst>"
                                                    << part.arg("%1", sst) + doctype;
    QTest::newRow("external entity in the relationships") << QByteArrayList{} << rels
        << QByteArray("<!DOCTYPE r [<!ENTITY x SYSTEM \"file:///etc/passwd\">]><Relationships>&x;</Relationships>")
        << part.arg("%1", rels) + doctype;
    const QString missing = QStringLiteral("Cell A1 refers to the shared string \"%1\", which the workbook does not have");
    for (const char* index : {"2", "-1", "99999999999999999999", "1x"})
        QTest::newRow(qPrintable(QStringLiteral("shared string index \"%1\"").arg(index)))
            << QByteArrayList{} << sheet << shared(index) << missing.arg(index);
    QTest::newRow("last shared string") << QByteArrayList{} << sheet << shared("1") << QString();
    QTest::newRow("inline text of 1 MiB loads") << QByteArrayList{} << sheet
        << row("<c r=\"A1\"/><c r=\"B1\" t=\"inlineStr\"><is><t>" + mib + "</t></is></c>") << QString();
    QTest::newRow("inline text of 1 MiB and a byte") << QByteArrayList{} << sheet
        << row("<c r=\"A1\"/><c r=\"B1\" t=\"inlineStr\"><is><t>" + mib + "a</t></is></c>")
        << "Cell B1 holds a text longer than 1048576 bytes";
    QTest::newRow("value of 1 MiB and a byte") << QByteArrayList{} << sheet
        << row("<c r=\"A1\"/><c r=\"C1\"><v>" + QByteArray(mib.size() + 1, ' ') + "</v></c>")
        << "Cell C1 holds a text longer than 1048576 bytes";
    QTest::newRow("shared string of 1 MiB and a byte") << QByteArrayList{} << sst
        << "<sst><si><t>x</t></si><si><r><t>" + mib + "</t></r><r><t>b</t></r></si></sst>"
        << "Shared string 1 of the workbook is longer than 1048576 bytes";
    const QString token = QStringLiteral("holds a single XML token of more than 16777216 bytes");
    QTest::newRow("attribute of 17 MiB") << QByteArrayList{} << sheet
        << row("<c r=\"A1\" x=\"" + QByteArray(17 << 20, 'a') + "\"/>") << part.arg("%1", sheet) + token;
    QTest::newRow("comment of 17 MiB") << QByteArrayList{} << sheet
        << row("<!--" + QByteArray(17 << 20, ' ') + "-->") << part.arg("%1", sheet) + token;
    const QString area = QStringLiteral("The used area of the first worksheet, A1:XFD1048576, has more than 33554432 cells");
    QTest::newRow("one cell far out") << QByteArrayList{} << sheet
        << row("<c r=\"A1\"><v>1</v></c><c r=\"XFD1048576\"><v>2</v></c>") << area;
    QTest::newRow("workbook part of 64 MiB and more") << QByteArrayList{} << book
        << "<workbook>" + QByteArray(64 << 20, ' ') + "</workbook>"
        << part.arg("%1", book) + "inflates to more than 67108864 bytes, the most a part may hold";
}

void TestXlsx::builtFailures()
{
    QFETCH(QByteArrayList, drop);
    QFETCH(QByteArray, part);
    QFETCH(QByteArray, text);
    QFETCH(QString, message);

    auto parts = workbookParts("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\"/></row>");
    for (const QByteArray& name : drop)
        parts.erase(name);
    if (!part.isEmpty())
        parts[part] = text;
    QTemporaryDir dir;
    const QString path = dir.filePath("built.xlsx");
    QVERIFY(saveWorkbook(parts, path));
    QVERIFY(QFileInfo(path).size() < 200000); // small on disk, however far it inflates

    TextGrid grid;
    grid.setCell(0, 0, QStringLiteral("old"));
    const QString error = load(grid, path);
    const QString wanted = message.contains(QLatin1String("%1")) ? message.arg(path) : message;
    QVERIFY2(message.isEmpty() ? error.isEmpty() : error.startsWith(wanted), qPrintable(error));
    if (!message.isEmpty()) {
        QCOMPARE(grid.RowCount(), 5); // failed before the grid was touched
        QCOMPARE(grid.cell(0, 0), QString("old"));
    }
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

// Parts that inflate far beyond their size on disk: refused at the ceiling, whether the zip
// declares the true size or lies, without holding what they inflate to. The ceilings are
// lowered so that small parts reach them; the defaults are the same checks at larger numbers.
void TestXlsx::inflationCeilings_data()
{
    QTest::addColumn<QByteArray>("sheetBody"); // repeated inside <sheetData>
    QTest::addColumn<int>("sheetCount");
    QTest::addColumn<QByteArray>("sharedBody"); // repeated inside <sst>; none: the usual strings
    QTest::addColumn<int>("sharedCount");
    QTest::addColumn<int>("declared"); // the size the sheet's headers give; 0: the true one
    QTest::addColumn<xlsx::Limits>("limits");
    QTest::addColumn<QString>("message");

    const int mib = 1 << 20;
    const QByteArray blanks(1 << 16, ' ');
    const QByteArray text(1 << 15, 'a'); // 64 KiB as UTF-16
    const QByteArray item = "<si><t>" + text + "</t></si>";
    const QByteArray inlineText = "<row><c t=\"inlineStr\"><is><t>" + text + "</t></is></c></row>";
    QByteArray cells = "<row>";
    for (int i = 0; i < 1024; ++i)
        cells += "<c><v>1</v></c>";
    cells += "</row>";
    const auto limits = [](quint64 part, quint64 package, quint64 texts, quint64 cellCount) {
        return xlsx::Limits{part, package, texts, cellCount};
    };
    const xlsx::Limits usual;
    const QString tooLarge = QStringLiteral("The part \"xl/worksheets/sheet1.xml\" of the workbook \"%1\" inflates to more "
                                            "than 1048576 bytes, the most a part may hold");
    const QString texts = QStringLiteral("The texts of the workbook take more than 1048576 bytes, the most a workbook may hold");
    const auto part = limits(mib, usual.packageBytes, usual.textTotalBytes, usual.cells);
    QTest::newRow("part past its ceiling, size declared") << blanks << 17 << QByteArray() << 0 << 0 << part << tooLarge;
    QTest::newRow("part past its ceiling, size hidden") << blanks << 17 << QByteArray() << 0 << 4096 << part << tooLarge;
    QTest::newRow("all parts past the workbook's ceiling") << blanks << 9 << blanks << 9 << 0
        << limits(usual.partBytes, mib, usual.textTotalBytes, usual.cells)
        << "The parts of the workbook \"%1\" inflate to more than 1048576 bytes in all, the most a workbook may hold";
    QTest::newRow("cells past the ceiling") << cells << 5 << QByteArray() << 0 << 0
        << limits(usual.partBytes, usual.packageBytes, usual.textTotalBytes, 4096)
        << "The first worksheet has more than 4096 cells";
    const auto budget = limits(usual.partBytes, usual.packageBytes, mib, usual.cells);
    QTest::newRow("shared strings past the text budget") << QByteArray() << 0 << item << 17 << 0 << budget << texts;
    QTest::newRow("inline texts past the text budget") << inlineText << 17 << QByteArray() << 0 << 0 << budget << texts;
    QTest::newRow("shared and inline texts past it together") << inlineText << 9 << item << 9 << 0 << budget << texts;
    QTest::newRow("shared and inline texts within it") << inlineText << 7 << item << 8 << 0 << budget << QString();
}

void TestXlsx::inflationCeilings()
{
    QFETCH(QByteArray, sheetBody);
    QFETCH(int, sheetCount);
    QFETCH(QByteArray, sharedBody);
    QFETCH(int, sharedCount);
    QFETCH(int, declared);
    QFETCH(xlsx::Limits, limits);
    QFETCH(QString, message);

    auto parts = workbookParts({});
    parts.erase("xl/worksheets/sheet1.xml");
    if (sharedCount > 0)
        parts.erase("xl/sharedStrings.xml");
    ZipWriter zip;
    for (const auto& [name, data] : parts)
        zip.add(name, data);
    zip.addRepeated("xl/worksheets/sheet1.xml", kSheetHead + "<row><c><v>1</v></c><c><v>2</v></c></row>", sheetBody,
                    sheetCount, kSheetTail, declared ? std::optional<quint32>(quint32(declared)) : std::nullopt);
    if (sharedCount > 0)
        zip.addRepeated("xl/sharedStrings.xml", "<sst>", sharedBody, sharedCount, "</sst>");
    QTemporaryDir dir;
    const QString path = dir.filePath("bomb.xlsx");
    QVERIFY(zip.save(path));
    QVERIFY(QFileInfo(path).size() < 64 << 10);

    TextGrid grid;
    const QString error = loadError([&] { xlsx::loadXlsx(grid, path, RegionalSettings::brazil(), limits); });
    if (message.isEmpty()) {
        QCOMPARE(error, QString());
        return;
    }
    QVERIFY2(error.startsWith(message.contains(QLatin1String("%1")) ? message.arg(path) : message), qPrintable(error));
    QCOMPARE(grid.RowCount(), 5);
}

// The hostile file of the ceiling above at full scale: 1 MB on disk holding a thousand inline
// texts of 1 MB each. Refused once the texts reach the budget, long before the thousandth.
void TestXlsx::thousandInlineMegabytes()
{
    const QByteArray cell = "<row><c t=\"inlineStr\"><is><t>" + QByteArray(1'000'000, 'a') + "</t></is></c></row>";
    auto parts = workbookParts({});
    parts.erase("xl/worksheets/sheet1.xml");
    ZipWriter zip;
    for (const auto& [name, data] : parts)
        zip.add(name, data);
    zip.addRepeated("xl/worksheets/sheet1.xml", kSheetHead + "<row><c><v>1</v></c><c><v>2</v></c></row>", cell, 1000,
                    kSheetTail);
    QTemporaryDir dir;
    const QString path = dir.filePath("textos.xlsx");
    QVERIFY(zip.save(path));
    QVERIFY(QFileInfo(path).size() < 2'000'000);

    TextGrid grid;
    QCOMPARE(load(grid, path), QStringLiteral("The texts of the workbook take more than 268435456 bytes, the most a "
                                              "workbook may hold"));
    QCOMPARE(grid.RowCount(), 5);
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
