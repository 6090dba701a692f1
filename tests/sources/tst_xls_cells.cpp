// The .xls reader over the fixtures of tests/fixtures/make_xls.py: cell texts, the used
// area, error cells and the single-cell area.
#include "RegionalSettings.h"
#include "GridChecks.h"
#include "TextGrid.h"
#include "platform/Error.h"
#include "xls/XlsReader.h"

#include <QtTest>

namespace {

QString fixture(const QString& name)
{
    return QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/xls/") + name;
}

// The error message of the load, or an empty text when it succeeded.
QString load(TextGrid& grid, const QString& name, bool comma = true)
{
    return loadError([&] {
        LoadXls(grid, fixture(name), comma ? RegionalSettings::brazil() : RegionalSettings::point());
    });
}

} // namespace

class TestXlsCells : public QObject {
    Q_OBJECT

private slots:
    void cells_data();
    void cells();
    void failures_data();
    void failures();
    void errorInRow40KeepsEverythingBeforeIt();
    void earlierLoadIsClearedUpToTheStop();
    void singleCellLeavesNoOldText();
};

void TestXlsCells::cells_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("comma");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QStringList>("expected"); // "CELL=text"

    const QStringList heads{"A1=Código", "B1=Descrição", "C1=Preço", "F1=Ativo", "G1=", "H1="};
    QTest::newRow("xlwt cells, comma") << "cells.xls" << true << 8 << 8
        << heads + QStringList{"A2=7894900011517", "B2=Café torrado 500g", "C2=12,5", "D2=42",
            "E2=16/04/2019", "F2=True", "A3=1,23456789012346E17", "B3=Ação – “aspas” €",
            "C3=-1E-6", "D3=-7", "E3=16/04/2019 15:52:00", "F3=False", "A4=0,3",
            "B4=Negrito e normal", "C4=1234,5679", "D4=19,99", "E4=01/03/1900", "F4=",
            "B6=", "D6=", "H8="};
    QTest::newRow("xlwt cells, point") << "cells.xls" << false << 8 << 8
        << QStringList{"C2=12.5", "A3=1.23456789012346E17", "A4=0.3", "C4=1234.5679"};
    QTest::newRow("data from C3") << "c3_start.xls" << true << 4 << 5
        << QStringList{"A1=", "B2=", "C2=", "C3=C3", "D4=4,5", "E3=E3", "D3=", "A4="};
    QTest::newRow("1904 dates") << "date1904.xls" << true << 1 << 2
        << QStringList{"A1=16/04/2019 15:52:00", "B1=02/01/1904"};
    QTest::newRow("dates beyond the calendar stay numbers") << "date_out_of_range.xls" << true
        << 1 << 3 << QStringList{"A1=1E300", "B1=-1,5", "C1=31/12/9999 12:00:00"};
    QTest::newRow("all four RK encodings, MULRK, MULBLANK") << "rk_mulrk.xls" << true << 3 << 4
        << QStringList{"A1=3,5", "B1=1,23", "C1=42", "D1=-12,34",
                       "A2=3,5", "B2=1,23", "C2=42", "D2=-12,34", "B3=", "C3="};
    QTest::newRow("BIFF5 with code page 1251, in the mini stream") << "biff5_cp1251.xls" << true
        << 2 << 3 << QStringList{"A1=Привет мир", "B1=Цена", "C1=12,5", "A2=Жирный",
                                 "B2=22/09/2017 12:00:00"};
    QTest::newRow("shared strings across CONTINUE") << "sst_continue.xls" << true << 2 << 3
        << QStringList{"A1=abcdДЕЖЗ", "B1=xyz", "C2=novo registro"};
    QTest::newRow("4096-byte sectors, chart sheet first") << "sector4096.xls" << true << 2 << 2
        << QStringList{"A1=setor de 4096", "B2=4096"};
    QTest::newRow("FAT continued in a DIFAT sector") << "difat.xls" << true << 2 << 2
        << QStringList{"A1=difat", "B2=109"};
    QStringList longTexts;
    for (int r = 0; r < 12; ++r) {
        const QString n = QString::number(r).rightJustified(2, u'0');
        longTexts << QStringLiteral("A%1=").arg(r + 1) + QStringLiteral("latin %1 ").arg(n).repeated(120)
                  << QStringLiteral("B%1=").arg(r + 1) + QStringLiteral("ωμέγα %1 ").arg(n).repeated(120);
    }
    QTest::newRow("formats below 164 judged by the code the file gives") << "low_formats.xls" << true
        << 1 << 7 << QStringList{"A1=1", "B1=17", "C1=16/04/2019", "D1=16/04/2019", "E1=1,2346",
                                 "F1=1,23456", "G1=16/04/2019"};
    QTest::newRow("FORMULA under the ids of Excel 3 and 4") << "formula_0406.xls" << true << 2 << 3
        << QStringList{"A1=antes", "A2=12,5", "B2=7", "C2=texto"};
    QTest::newRow("Excel 2.1 worksheet, bare") << "biff2_worksheet.xls" << true << 4 << 3
        << QStringList{"A1=Código", "B1=42", "C1=", "A2=16/04/2019", "B2=12,5", "C2=True",
                       "A3=texto", "B3=False", "C4="};
    QTest::newRow("Excel 4.0 worksheet, bare, Macintosh code page") << "biff4_worksheet.xls" << true
        << 2 << 3 << QStringList{"A1=Preço", "B1=16/04/2019", "C1=", "A2=12,5", "B2=", "C2=42"};
    QTest::newRow("BIFF8 stream without the container") << "bare_biff8.xls" << true << 2 << 2
        << QStringList{"A1=sem contêiner", "B2=3"};
    QTest::newRow("BIFF8 strings longer than their records") << "string_past_record.xls" << true
        << 2 << 2 << QStringList{"A1=", "B1=abcd", "B2=1"};
    QTest::newRow("BIFF5, Macintosh Central European code page") << "biff5_cp10029.xls" << true
        << 2 << 2 << QStringList{"A1=Ładowność", "B2=2"};
    QTest::newRow("file ends inside the mini stream's last sector") << "cut_in_last_sector.xls"
        << true << 2 << 2 << QStringList{"A1=fim curto", "B2=2"};
    QTest::newRow("byte order mark stored the other way round") << "byte_order_swapped.xls" << true
        << 2 << 2 << QStringList{"A1=1", "B2=2"};
    QTest::newRow("long shared strings split by xlwt") << "long_strings.xls" << true << 12 << 2
        << longTexts;
}

void TestXlsCells::cells()
{
    QFETCH(QString, file);
    QFETCH(bool, comma);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QStringList, expected);
    TextGrid grid;
    QCOMPARE(load(grid, file, comma), QString());
    QCOMPARE(grid.RowCount(), rows);
    QCOMPARE(grid.ColCount(), cols);
    checkCells(grid, expected);
}

void TestXlsCells::failures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("cols");
    QTest::addColumn<QStringList>("expected");

    const QString single = QStringLiteral("The first worksheet of \"%1\" has no cell beyond A1, so "
                                          "it holds no table to load");
    QTest::newRow("empty first sheet") << "empty.xls" << single.arg(fixture("empty.xls")) << 1 << 1
        << QStringList{"A1="};
    QTest::newRow("only A1") << "only_a1.xls" << single.arg(fixture("only_a1.xls")) << 1 << 1
        << QStringList{"A1="};
    QTest::newRow("BOOLERR error") << "div0.xls" << "Cell B2 holds the error value #DIV/0!" << 2 << 2
        << QStringList{"A1=True", "B1=False", "A2="};
    QTest::newRow("formula results") << "formula_results.xls"
        << "Cell A3 holds the error value #DIV/0!" << 3 << 7
        << QStringList{"A1=16/04/2019", "B1=resultado em texto", "C1=depois do SHRFMLA",
                       "D1=True", "E1=False", "F1=", "G1=2,25", "A2=AAAAAAAAAAΩΩΩΩΩΩΩΩΩΩ", "B3="};
    QTest::newRow("Excel 2.x cell record in a BIFF8 sheet") << "biff2_cell_in_biff8.xls"
        << QStringLiteral("Cannot read \"%1\": the first worksheet holds an Excel 2.x cell record "
                          "(0x0003), which this reader does not read in a later workbook")
               .arg(fixture("biff2_cell_in_biff8.xls"))
        << 5 << 5 << QStringList{};
    QTest::newRow("cells out of reading order") << "unsorted_error.xls"
        << "Cell C2 holds the error value #N/A" << 3 << 3
        << QStringList{"A1=1", "A2=2", "B2=antes", "A3="};
}

void TestXlsCells::failures()
{
    QFETCH(QString, file);
    QFETCH(QString, message);
    QFETCH(int, rows);
    QFETCH(int, cols);
    QFETCH(QStringList, expected);
    TextGrid grid;
    QCOMPARE(load(grid, file), message);
    QCOMPARE(grid.RowCount(), rows);
    QCOMPARE(grid.ColCount(), cols);
    checkCells(grid, expected);
}

void TestXlsCells::errorInRow40KeepsEverythingBeforeIt()
{
    TextGrid grid;
    QCOMPARE(load(grid, "error_na.xls"), QStringLiteral("Cell D40 holds the error value #N/A"));
    QCOMPARE(grid.RowCount(), 45);
    QCOMPARE(grid.ColCount(), 5);
    for (int r = 0; r < 45; ++r)
        for (int c = 0; c < 5; ++c) {
            const bool before = r < 39 || (r == 39 && c < 3);
            const QString text = !before ? QString()
                : c == 0               ? QStringLiteral("linha %1").arg(r + 1)
                                       : QString::number(r * 10 + c);
            QCOMPARE(grid.cell(c, r), text);
        }
}

// A load writes every cell of the area before the point where it stops, empty ones too, so
// nothing of an earlier load shows through there.
void TestXlsCells::earlierLoadIsClearedUpToTheStop()
{
    TextGrid grid;
    grid.resize(6, 6);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 6; ++c)
            grid.setCell(c, r, QStringLiteral("old"));
    QCOMPARE(load(grid, "unsorted_error.xls"), QStringLiteral("Cell C2 holds the error value #N/A"));
    QCOMPARE(grid.cell(1, 0), QString());
    QCOMPARE(grid.cell(2, 0), QString());
    QCOMPARE(grid.cell(1, 1), QStringLiteral("antes"));
    QCOMPARE(grid.cell(2, 1), QStringLiteral("old")); // the error cell and after: not reached
    QCOMPARE(grid.cell(0, 2), QStringLiteral("old"));
}

void TestXlsCells::singleCellLeavesNoOldText()
{
    TextGrid grid;
    grid.setCell(0, 0, QStringLiteral("old"));
    QVERIFY(!load(grid, "only_a1.xls").isEmpty());
    QCOMPARE(grid.RowCount(), 1);
    QCOMPARE(grid.ColCount(), 1);
    QCOMPARE(grid.cell(0, 0), QString());
}

QTEST_GUILESS_MAIN(TestXlsCells)
#include "tst_xls_cells.moc"
