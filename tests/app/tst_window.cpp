// The main window as the user meets it: how it looks at start-up and with a file of each
// kind loaded (compared with reference pictures), its title and fixed size, the type box,
// the tab order, and the settings its connection is given.
#include "WindowFixture.h"

#include "ImportViews.h"
#include "PreviewViews.h"
#include "Screenshot.h"
#include "StyleRegistry.h"
#include "TahomaFont.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QtTest>

class TestWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void looks_data();
    void looks();
    void window();
    void typeBox();
    void tabOrder();
    void connectionSettings();
    void gridLook();
    void closeButton();

private:
    AppSettings unusedSettings() const { return AppSettings{}; }
    bool m_tahoma = false;
};

namespace {

// Loads the file as the user does, chooses its type by name and points at one product.
void loadAndPoint(WindowFixture& f, const QString& file, const QString& typeName, bool sheet)
{
    f.load(WindowFixture::fixture(file));
    QComboBox* box = f.window->ComboBox1();
    box->setCurrentIndex(box->findText(typeName, Qt::MatchExactly));
    if (sheet) {
        PreviewTableView* grid = f.window->StringGrid1();
        WindowFixture::click(grid, grid->model()->index(2, 1));
    } else {
        QListView* list = f.window->ListaProdutosTxt();
        WindowFixture::click(list, list->model()->index(1, 0));
    }
    // How a failed line reads in the error list (its small font included).
    f.window->ListBox1Items()->setStringList(
        {QStringLiteral("Linha 2: o valor \"12,x\" não é um número.")});
}

} // namespace

void TestWindow::initTestCase()
{
    // As the program starts: the Tahoma of fonts-wine and the dark style. A steady caret
    // keeps the type box's edit line the same in every picture.
    m_tahoma = QFile::exists(wineFontFolder() + QStringLiteral("/tahoma.ttf")) && registerTahoma();
    ScriptedDialogs styleDialogs;
    QVERIFY(ApplyStyle(*qApp, StyleRegistry::builtIn(), QStringLiteral("Metro Black"), styleDialogs));
    QApplication::setCursorFlashTime(0);
}

void TestWindow::looks_data()
{
    QTest::addColumn<QString>("file"); // empty: the open dialog is cancelled
    QTest::addColumn<QString>("typeName");
    QTest::addColumn<bool>("sheet");
    QTest::newRow("window-startup") << QString() << QString() << false;
    QTest::newRow("window-text") << QStringLiteral("types/ostrell.txt") << QStringLiteral("Ostrell") << false;
    QTest::newRow("window-sheet") << QStringLiteral("types/qel.xlsx") << QStringLiteral("Qel") << true;
}

// Places, sizes, captions, fonts, which controls show and which are greyed out.
void TestWindow::looks()
{
    QFETCH(QString, file);
    QFETCH(QString, typeName);
    QFETCH(bool, sheet);
    if (!m_tahoma)
        QSKIP("fonts-wine's Tahoma is not installed (scripts/setup installs it): the pictures need it");
    WindowFixture f;
    QVERIFY2(f.db.isValid(), qPrintable(f.db.error()));
    if (file.isEmpty()) {
        f.dialogs.cancelOpen();
        f.show();
    } else {
        loadAndPoint(f, file, typeName, sheet);
    }
    QCOMPARE(f.dialogs.errors(), QStringList());
    const QString mismatch =
        screenshot::compareWithReference(f.window->grab().toImage(), QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
}

void TestWindow::window()
{
    ScriptedDialogs dialogs;
    TFrmConverterBancoQelExcel w(unusedSettings(), dialogs, RegionalSettings::brazil());
    QCOMPARE(w.windowTitle(), QStringLiteral("Converter Banco 2.0"));
    // Laid out in pixels: the window keeps its size and offers no maximize or minimize.
    const QSize size = w.size();
    w.resize(size + QSize(200, 100));
    QCOMPARE(w.size(), size);
    QVERIFY(w.isWindow());
    QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
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
    const int count = box->count();
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
    QCOMPARE(box->count(), count); // typing adds no item
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

void TestWindow::connectionSettings()
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
}

void TestWindow::gridLook()
{
    ScriptedDialogs dialogs;
    TFrmConverterBancoQelExcel w(unusedSettings(), dialogs, RegionalSettings::brazil());
    PreviewTableView* grid = w.StringGrid1();
    QCOMPARE(grid->model(), &w.StringGrid1Cells());
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
