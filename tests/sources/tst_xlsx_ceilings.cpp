// The .xlsx reader against packages built to be damaged, hostile or too large: refused with
// a message naming what is wrong, before the grid is touched, and within its ceilings.
#include "LoadSpreadsheet.h"
#include "RegionalSettings.h"
#include "GridChecks.h"
#include "TextGrid.h"
#include "XlsxPackages.h"
#include "platform/Error.h"
#include "xlsx/XlsxLoad.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(xlsx::Limits)

namespace {

// The error message of the load, or an empty text when it succeeded.
QString load(TextGrid& grid, const QString& fileName)
{
    return loadError([&] { LoadSpreadsheet(grid, fileName, RegionalSettings::brazil()); });
}

const QByteArray kLaughs = "<!DOCTYPE x [<!ENTITY a \"hahahahahahahahahaha\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">"
                           "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">]>";

} // namespace

class TestXlsxCeilings : public QObject {
    Q_OBJECT

private slots:
    void builtFailures_data();
    void builtFailures();
    void inflationCeilings_data();
    void inflationCeilings();
    void thousandInlineMegabytes();
};

void TestXlsxCeilings::builtFailures_data()
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

void TestXlsxCeilings::builtFailures()
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

// Parts that inflate far beyond their size on disk: refused at the ceiling, whether the zip
// declares the true size or lies, without holding what they inflate to. The ceilings are
// lowered so that small parts reach them; the defaults are the same checks at larger numbers.
void TestXlsxCeilings::inflationCeilings_data()
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

void TestXlsxCeilings::inflationCeilings()
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
void TestXlsxCeilings::thousandInlineMegabytes()
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

QTEST_GUILESS_MAIN(TestXlsxCeilings)
#include "tst_xlsx_ceilings.moc"
