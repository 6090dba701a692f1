// The main window as laid out: controls, texts, places, first states, and its data parts.
#include "WindowFixture.h"

#include "ImportViews.h"
#include "PreviewViews.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QtTest>

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void controls_data();
    void controls();
    void window();
    void typeBox();
    void tabOrder();
    void dataComponents();
    void gridLook();
    void closeButton();

private:
    AppSettings unusedSettings() const { return AppSettings{}; }
};

void TestWindow::controls_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("geometry"); // a zero size: only the position is laid out
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hidden");
    QTest::addColumn<bool>("enabled");

    const QString form = QStringLiteral("FrmConverterBancoQelExcel");
    const QString group = QStringLiteral("GroupBox1");
    auto row = [](const char* name, const QString& parent, QRect geometry, const QString& text,
                  bool hidden = false, bool enabled = true) {
        QTest::newRow(name) << QString::fromLatin1(name) << parent << geometry << text << hidden
                            << enabled;
    };
    row("StringGrid1", form, {8, 8, 393, 439}, {}, true);
    row("ListaProdutosTxt", form, {8, 8, 393, 441}, {}, true);
    row("ComboBox1", form, {407, 5, 195, 21}, QStringLiteral("Escolher o Tipo de Conversao"));
    row("GroupBox1", form, {407, 32, 194, 233}, QStringLiteral("Informações"));
    row("Label1", group, {16, 24, 0, 0}, QStringLiteral("Nome do produto:"));
    row("Label2", group, {16, 43, 0, 0}, QStringLiteral("Código: "));
    row("Label3", group, {16, 62, 0, 0}, QStringLiteral("Preço de Custo:"));
    row("Label4", group, {16, 81, 0, 0}, QStringLiteral("Preço de Venda:"));
    row("Label5", group, {16, 100, 0, 0}, QStringLiteral("Estoque:"));
    row("Label6", group, {16, 119, 0, 0}, QStringLiteral("Unidade:"));
    row("Label7", group, {16, 138, 0, 0}, QStringLiteral("Estoque Min:"));
    row("Label8", group, {32, 200, 119, 0}, QStringLiteral("Total de items na tabela:"));
    row("Button1", form, {407, 271, 194, 25}, QStringLiteral("Importar Seleção"), false, false);
    row("Button2", form, {408, 302, 194, 25}, QStringLiteral("Importar Tudo"));
    row("Label9", form, {488, 333, 0, 0}, QStringLiteral("Erros:"));
    row("ListBox1", form, {407, 352, 192, 66}, {});
    row("Button3", form, {407, 424, 194, 25}, QStringLiteral("Fechar"));
    row("edttempproduto", form, {88, 48, 121, 21}, QStringLiteral("edttempproduto"), true);
}

namespace {
QString textOf(QWidget* w)
{
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->text();
    if (auto* b = qobject_cast<QPushButton*>(w))
        return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(w))
        return g->title();
    if (auto* c = qobject_cast<QComboBox*>(w))
        return c->currentText();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        return e->text();
    return {};
}
} // namespace

void TestWindow::controls()
{
    QFETCH(QString, name);
    QFETCH(QString, parentName);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(bool, hidden);
    QFETCH(bool, enabled);

    ScriptedDialogs dialogs;
    TFrmConverterBancoQelExcel w(unusedSettings(), dialogs, RegionalSettings::brazil());
    auto* control = w.findChild<QWidget*>(name);
    QVERIFY2(control, qPrintable(name));
    QCOMPARE(control->parentWidget()->objectName(), parentName);
    if (name == QLatin1String("Label8")) {
        // Centred: where the font is wider than the one it was laid out for, it grows
        // around its centre instead of cutting its caption.
        QCOMPARE(control->y(), geometry.y());
        QVERIFY(qAbs(control->geometry().center().x() - geometry.center().x()) <= 1);
        QVERIFY(control->width() >= geometry.width());
    } else {
        QCOMPARE(control->pos(), geometry.topLeft());
        if (geometry.width() > 0)
            QCOMPARE(control->width(), geometry.width());
    }
    if (geometry.height() > 0)
        QCOMPARE(control->height(), geometry.height());
    QCOMPARE(textOf(control), text);
    QCOMPARE(control->isHidden(), hidden);
    QCOMPARE(control->isEnabled(), enabled);
}

void TestWindow::window()
{
    ScriptedDialogs dialogs;
    TFrmConverterBancoQelExcel w(unusedSettings(), dialogs, RegionalSettings::brazil());
    QCOMPARE(w.windowTitle(), QStringLiteral("Converter Banco 2.0"));
    QCOMPARE(w.minimumSize(), QSize(610, 457));
    QCOMPARE(w.maximumSize(), QSize(610, 457));
    QVERIFY(w.isWindow());
    QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(w.font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(w.ListBox1()->font().pixelSize(), 8);
    QVERIFY(w.SourceMode.isEmpty());
    QCOMPARE(dialogs.saveFileName(), QStringLiteral("ErrorLog.txt"));
    QCOMPARE(dialogs.openFileName(), QString());
    QCOMPARE(w.ListBox1Items()->rowCount(), 0);
    QVERIFY(dialogs.log().isEmpty()); // building the window shows nothing
}

void TestWindow::typeBox()
{
    ScriptedDialogs dialogs;
    TFrmConverterBancoQelExcel w(unusedSettings(), dialogs, RegionalSettings::brazil());
    QComboBox* box = w.ComboBox1();
    const QStringList items{"Brenvik Antigo", "Qel",     "Quelbrant", "Ostrell", "Pembrix",
                            "Caldeno",        "Irmsby",  "Nuvalo",    "Nuvalo2", "Vrek",
                            "Tobbin",         "Grelling", "Sarnet",   "Emberlin"};
    QCOMPARE(box->count(), items.size());
    for (int i = 0; i < items.size(); ++i)
        QCOMPARE(box->itemText(i), items[i]);
    QVERIFY(box->isEditable());
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(w.SourceType(), -1);

    box->setCurrentIndex(12);
    QCOMPARE(w.SourceType(), 12);
    QCOMPARE(w.views().sourceType(), 12);
    // Text typed over the chosen item names no type: it must not import as type 12.
    box->setEditText(QStringLiteral("Sarnet velho"));
    QCOMPARE(w.SourceType(), -1);
    box->setEditText(QStringLiteral("Sarnet"));
    QCOMPARE(w.SourceType(), 12);
    QCOMPARE(box->count(), items.size()); // typing adds no item
}

void TestWindow::tabOrder()
{
    ScriptedDialogs dialogs;
    TFrmConverterBancoQelExcel w(unusedSettings(), dialogs, RegionalSettings::brazil());
    const QStringList order{"StringGrid1", "GroupBox1",        "Button1",        "Button2",
                            "Button3",     "ListBox1",         "ListaProdutosTxt",
                            "edttempproduto", "ComboBox1"};
    // The chain also passes through the views' viewports and the combo box's edit: only
    // the order of the named controls counts.
    QStringList chain;
    QWidget* start = w.findChild<QWidget*>(order.first());
    QWidget* next = start;
    do {
        if (order.contains(next->objectName()) && !chain.contains(next->objectName()))
            chain.append(next->objectName());
        next = next->nextInFocusChain();
    } while (next && next != start);
    QCOMPARE(chain, order);
}

void TestWindow::dataComponents()
{
    ScriptedDialogs dialogs;
    AppSettings settings;
    settings.database = QStringLiteral("/somewhere/base.fdb");
    settings.user = QStringLiteral("TECNICO");
    settings.password = QStringLiteral("segredo");
    settings.clientLibrary = QStringLiteral("libfbclient.so.2");
    TFrmConverterBancoQelExcel w(settings, dialogs, RegionalSettings::brazil());
    QCOMPARE(w.eConexao.Database, settings.database);
    QCOMPARE(w.eConexao.Username, settings.user);
    QCOMPARE(w.eConexao.Password, settings.password);
    QCOMPARE(w.eConexao.ClientLibrary, settings.clientLibrary);
    QVERIFY(!w.eConexao.Connected()); // connecting is the show handler's first step
    QCOMPARE(w.qrproduto.SQL().lines(),
             QStringList({"select situacao, codigo, codbarra, produto, unidade, estoque, precovenda",
                          "from c000025", "order by produto"}));
    QCOMPARE(w.qrproduto.AutoCommit, false);
    QCOMPARE(w.query2.AutoCommit, false);
    QCOMPARE(w.query.AutoCommit, true);
    QCOMPARE(w.query3.AutoCommit, true);
    QCOMPARE(w.query2.SQL().Count(), 0);
}

void TestWindow::gridLook()
{
    ScriptedDialogs dialogs;
    TFrmConverterBancoQelExcel w(unusedSettings(), dialogs, RegionalSettings::brazil());
    PreviewTableView* grid = w.StringGrid1();
    QCOMPARE(grid->model(), &w.StringGrid1Cells());
    QCOMPARE(grid->rowHeight(0), 16);
    QVERIFY(grid->horizontalHeader()->isHidden());
    QVERIFY(grid->verticalHeader()->isHidden());
    QVERIFY(grid->showGrid());
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    // Like a fresh text grid: the first cell outside the fixed row and column is current.
    QCOMPARE(grid->currentIndex().row(), 1);
    QCOMPARE(grid->currentIndex().column(), 1);
    QVERIFY(w.ListaProdutosTxt()->uniformItemSizes());
    QCOMPARE(w.ListaProdutosTxt()->sizeHintForRow(0), -1); // empty until a file is loaded
}

void TestWindow::closeButton()
{
    ScriptedDialogs dialogs;
    TFrmConverterBancoQelExcel w(unusedSettings(), dialogs, RegionalSettings::brazil());
    w.requestQuit = [] {};
    w.show(); // the built-in database is not there: the show handler ends in the error box
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QVERIFY(w.isVisible());
    QCOMPARE(dialogs.kinds(), QList<ShownDialog::Kind>{ShownDialog::Kind::Error});
    QTest::mouseClick(w.Button3(), Qt::LeftButton);
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
