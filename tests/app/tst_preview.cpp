// The product preview: the captions for a grid row (types 1 and 0) and for a text line, and
// when the window runs them (user clicks and keys, the run's moves of the grid row; never
// the run's moves of the list).
#include "WindowFixture.h"

#include "ImportViews.h"
#include "PreviewViews.h"
#include "ProductPreview.h"
#include "TextGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(PreviewCaptions)

class TestPreview : public QObject {
    Q_OBJECT
private slots:
    void gridCaptions_data();
    void gridCaptions();
    void textCaptions_data();
    void textCaptions();

    void gridFollowsMouseAndKeys();
    void gridFollowsTheRunNotTheFixedCells();
    void gridOtherTypeLeavesLabels();
    void listFollowsTheUserOnly();
    void textModeRunDoesNotPreviewTheGrid();
};

namespace {

PreviewCaptions captions(const QStringList& values)
{
    PreviewCaptions c;
    for (int i = 0; i < 7; ++i)
        c[i] = values.value(i);
    return c;
}

QStringList labelTexts(TFrmConverterBancoQelExcel& w)
{
    QStringList texts;
    for (int i = 1; i <= 7; ++i)
        texts.append(w.Label(i)->text());
    return texts;
}

QString line100(int n)
{
    // code 1-10, name 11-70, barcode 71-83, a blank, price 85-88, then the rest
    return QStringLiteral("%1").arg(n, 10, 10, QChar(u'0'))
        + QStringLiteral("PRODUTO %1").arg(n).leftJustified(60)
        + QStringLiteral("789%1").arg(n, 10, 10, QChar(u'0')) + u' '
        + QStringLiteral("%1").arg(100 + n, 4, 10, QChar(u'0')) + QStringLiteral("  UN  12    ");
}

} // namespace

void TestPreview::gridCaptions_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<PreviewCaptions>("expected");

    const QStringList nine{"a", "b", "c", "d", "e", "f", "g", "h", "i"};
    QTest::newRow("type 1, columns A to I") << 1 << nine << true << captions(
        {"Nome do Produto: b", "Código: a", "Preço de Custo: d", "Preço de Venda: f",
         "Estoque: g", "Unidade: i", "Estoque Min: h"});
    QTest::newRow("type 1, six columns") << 1 << nine.mid(0, 6) << true << captions(
        {"Nome do Produto: b", "Código: a", "Preço de Custo: d", "Preço de Venda: f",
         "Estoque: ", "Unidade: ", "Estoque Min: "});
    QTest::newRow("type 1, values as they stand") << 1
        << QStringList{" 0012 ", "  ARROZ  ", "", "12,50", "", "015,0"} << true << captions(
        {"Nome do Produto:   ARROZ  ", "Código:  0012 ", "Preço de Custo: 12,50",
         "Preço de Venda: 015,0", "Estoque: ", "Unidade: ", "Estoque Min: "});
    const QStringList type0{"x", "x", "x", "0001234567", "FEIJAO", "x", "x", "8,90", "40", "x", "3"};
    QTest::newRow("type 0, long code") << 0 << type0 << true << captions(
        {"Nome do Produto: FEIJAO", "Código: 234567", "Preço de Custo: 8,90",
         "Preço de Venda: 8,90", "Estoque: 40", "Unidade: ", "Estoque Min: 3"});
    QStringList shortCode = type0;
    shortCode[3] = QStringLiteral("123");
    QTest::newRow("type 0, short code") << 0 << shortCode << true << captions(
        {"Nome do Produto: FEIJAO", "Código: 123", "Preço de Custo: 8,90",
         "Preço de Venda: 8,90", "Estoque: 40", "Unidade: ", "Estoque Min: 3"});
    QTest::newRow("type 0, four columns") << 0 << type0.mid(0, 4) << true << captions(
        {"Nome do Produto: ", "Código: 234567", "Preço de Custo: ", "Preço de Venda: ",
         "Estoque: ", "Unidade: ", "Estoque Min: "});
    for (int type : {-1, 2, 3, 4, 10, 12, 13})
        QTest::newRow(qPrintable(QStringLiteral("type %1").arg(type)))
            << type << nine << false << PreviewCaptions{};
}

void TestPreview::gridCaptions()
{
    QFETCH(int, type);
    QFETCH(QStringList, cells);
    QFETCH(bool, shown);
    QFETCH(PreviewCaptions, expected);

    TextGrid grid;
    grid.resize(3, int(cells.size()));
    for (int c = 0; c < cells.size(); ++c) {
        grid.setCell(c, 0, QStringLiteral("heading"));
        grid.setCell(c, 1, cells[c]);
        grid.setCell(c, 2, QStringLiteral("other row"));
    }
    const auto result = GridPreview(type, grid, 1);
    QCOMPARE(result.has_value(), shown);
    if (shown)
        QCOMPARE(*result, expected);
}

void TestPreview::textCaptions_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<PreviewCaptions>("expected");

    const QString sixty = QStringLiteral("0000000042") + QStringLiteral("ARROZ TIPO 1").leftJustified(50, u'.');
    QTest::newRow("60 characters") << sixty << captions(
        {"Nome do Produto: " + sixty.mid(10), "Código: 0000000042", "Preço de Custo: ",
         "Preço de Venda: ", "Cod. Barras: ", "Unidade:     X", "Estoque Min: X"});
    const QString hundred = line100(7);
    QCOMPARE(hundred.size(), 100);
    QTest::newRow("100 characters") << hundred << captions(
        {"Nome do Produto: " + QStringLiteral("PRODUTO 7").leftJustified(60), "Código: 0000000007",
         "Preço de Custo: 0107", "Preço de Venda: 0107", "Cod. Barras: 7890000000007",
         "Unidade:     X", "Estoque Min: X"});
    QTest::newRow("86 characters: half a price") << hundred.left(86) << captions(
        {"Nome do Produto: " + QStringLiteral("PRODUTO 7").leftJustified(60), "Código: 0000000007",
         "Preço de Custo: 01", "Preço de Venda: 01", "Cod. Barras: 7890000000007",
         "Unidade:     X", "Estoque Min: X"});
    QTest::newRow("empty line") << QString() << captions(
        {"Nome do Produto: ", "Código: ", "Preço de Custo: ", "Preço de Venda: ", "Cod. Barras: ",
         "Unidade:     X", "Estoque Min: X"});
}

void TestPreview::textCaptions()
{
    QFETCH(QString, line);
    QFETCH(PreviewCaptions, expected);
    CurrentLine current;
    current.setText(line);
    QCOMPARE(TextLinePreview(current), expected);
}

void TestPreview::gridFollowsMouseAndKeys()
{
    WindowFixture f;
    f.open(WindowFixture::fixture(QStringLiteral("app/products_qel.xlsx")), 1);
    TFrmConverterBancoQelExcel& w = *f.window;
    QSignalSpy previews(&w, &TFrmConverterBancoQelExcel::previewShown);
    PreviewTableView* grid = w.StringGrid1();
    const TextGrid& cells = w.StringGrid1Cells();

    WindowFixture::click(grid, cells.index(3, 2));
    QCOMPARE(previews.count(), 1); // once, though the click both moved and clicked
    QCOMPARE(w.Label(1)->text(), "Nome do Produto: " + cells.cell(1, 3));
    QCOMPARE(w.Label(2)->text(), QStringLiteral("Código: 00003"));

    w.Label(1)->setText(QStringLiteral("changed"));
    WindowFixture::click(grid, cells.index(3, 2)); // the current cell again
    QCOMPARE(previews.count(), 2);
    QCOMPARE(w.Label(1)->text(), "Nome do Produto: " + cells.cell(1, 3));

    QTest::keyClick(grid, Qt::Key_Down);
    QCOMPARE(previews.count(), 3);
    QCOMPARE(w.Label(2)->text(), QStringLiteral("Código: 00004"));
    QTest::keyClick(grid, Qt::Key_Right); // another cell of the same row
    QCOMPARE(previews.count(), 4);
    QCOMPARE(w.views().gridCurrentRow(), 4);
}

void TestPreview::gridFollowsTheRunNotTheFixedCells()
{
    WindowFixture f;
    f.open(WindowFixture::fixture(QStringLiteral("app/products_qel.xlsx")), 1);
    TFrmConverterBancoQelExcel& w = *f.window;
    QSignalSpy previews(&w, &TFrmConverterBancoQelExcel::previewShown);
    PreviewTableView* grid = w.StringGrid1();
    const TextGrid& cells = w.StringGrid1Cells();

    // The fixed row and column take no clicks, and the keys stop before them.
    WindowFixture::click(grid, cells.index(0, 3));
    WindowFixture::click(grid, cells.index(5, 0));
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Left);
    QTest::keyClick(grid, Qt::Key_Home);
    QCOMPARE(previews.count(), 0);
    QCOMPARE(grid->currentIndex(), cells.index(1, 1));

    // The run moves the row with the grid disabled: the panel follows it.
    w.views().setViewsEnabled(false);
    w.views().setGridCurrentRow(7);
    QCOMPARE(previews.count(), 1);
    QCOMPARE(w.Label(2)->text(), QStringLiteral("Código: 00007"));
    w.views().setGridCurrentRow(7); // the same row: nothing to follow
    QCOMPARE(previews.count(), 1);
    w.views().setGridCurrentRow(249);
    QCOMPARE(w.Label(2)->text(), QStringLiteral("Código: 00249"));
    QVERIFY_THROWS_EXCEPTION(std::exception, w.views().setGridCurrentRow(250));
    QCOMPARE(w.views().gridCurrentRow(), 249);
    w.views().setViewsEnabled(true);
    QVERIFY(grid->isEnabled());
}

void TestPreview::gridOtherTypeLeavesLabels()
{
    WindowFixture f;
    f.load(WindowFixture::fixture(QStringLiteral("app/products_qel.xlsx")));
    TFrmConverterBancoQelExcel& w = *f.window;
    const QStringList before = labelTexts(w);
    for (int type : {-1, 2, 3}) {
        w.ComboBox1()->setCurrentIndex(type);
        WindowFixture::click(w.StringGrid1(), w.StringGrid1Cells().index(2 + type + 1, 1));
        QTest::keyClick(w.StringGrid1(), Qt::Key_Down);
        QCOMPARE(labelTexts(w), before);
    }
}

void TestPreview::listFollowsTheUserOnly()
{
    WindowFixture f;
    QString text;
    for (int i = 1; i <= 20; ++i)
        text += line100(i) + QStringLiteral("\r\n");
    f.load(f.writeFile(QStringLiteral("produtos.txt"), text.toLatin1()));
    TFrmConverterBancoQelExcel& w = *f.window;
    QSignalSpy previews(&w, &TFrmConverterBancoQelExcel::previewShown);
    PreviewListView* list = w.ListaProdutosTxt();
    const QAbstractItemModel* items = list->model();

    WindowFixture::click(list, items->index(2, 0));
    QCOMPARE(previews.count(), 1);
    QCOMPARE(w.edttempproduto.text(), line100(3));
    QCOMPARE(w.Label(2)->text(), QStringLiteral("Código: 0000000003"));
    QCOMPARE(w.Label(5)->text(), QStringLiteral("Cod. Barras: 7890000000003"));
    WindowFixture::click(list, items->index(2, 0)); // the selected line again
    QCOMPARE(previews.count(), 2);
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(previews.count(), 3);
    QCOMPARE(w.edttempproduto.text(), line100(4));
    QCOMPARE(w.views().listIndex(), 3);

    // The run moves the selected line without a preview and without touching the line.
    const QStringList before = labelTexts(w);
    w.views().setListIndex(9);
    QCOMPARE(previews.count(), 3);
    QCOMPARE(labelTexts(w), before);
    QCOMPARE(w.edttempproduto.text(), line100(4));
    QCOMPARE(w.views().listIndex(), 9);
    QCOMPARE(list->currentIndex().row(), 9);
    // ...and the user goes on from where the run left the list.
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(w.edttempproduto.text(), line100(11));
    QCOMPARE(w.views().listIndex(), 10);
}

void TestPreview::textModeRunDoesNotPreviewTheGrid()
{
    WindowFixture f;
    f.load(f.writeFile(QStringLiteral("produtos.txt"), line100(1).toLatin1()));
    TFrmConverterBancoQelExcel& w = *f.window;
    w.ComboBox1()->setCurrentIndex(1);
    const QStringList before = labelTexts(w);
    QSignalSpy previews(&w, &TFrmConverterBancoQelExcel::previewShown);
    // The run puts the (hidden, empty) grid on row 1, where it already stands.
    w.views().setGridCurrentRow(1);
    QCOMPARE(previews.count(), 0);
    QCOMPARE(labelTexts(w), before);
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
