// "Importar Tudo" through the real window (offscreen): loaded by its show handler, run by a
// click on Button2, answered by scripted dialogs, read back from an embedded database.
#include "PreviewViews.h"
#include "RunHarness.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString Confirmation =
    QStringLiteral("Isso irá ZERAR Completamente o Banco de dados atual, Deseja Continuar?");
const QString BarcodeQuestion =
    QStringLiteral("Deseja importar o código barras contido no arquivo XLS?");

// The window over one old product, loaded with the source and its type chosen.
struct FullRunFixture : WindowFixture {
    void open(const QString& source, int sourceType)
    {
        QVERIFY2(db.isValid(), qPrintable(db.error()));
        QVERIFY(db.execute(QStringLiteral(
            "insert into c000025 (codigo, produto) values ('900001', 'OLD ONE');")));
        WindowFixture::open(source, sourceType);
    }
    QList<QMap<QString, QString>> readBack()
    {
        closeWindow();
        return db.select(QStringLiteral("select codigo, codbarra, produto from c000025 order by codigo"));
    }
};

} // namespace

class TestFullRunWindow : public QObject {
    Q_OBJECT
private slots:
    void runImportsEveryRow_data();
    void runImportsEveryRow();
    void runIsDrawnAsItGoes_data();
    void runIsDrawnAsItGoes();
    void cancelLeavesWindowAndTable();
    void failedLoadIsNotImported_data();
    void failedLoadIsNotImported();
};

void TestFullRunWindow::runImportsEveryRow_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("lastCode");
    QTest::addColumn<QString>("lastName");
    QTest::newRow("sheet, type 1") << WindowFixture::fixture("app/products_qel.xlsx") << 1 << 249 << "000250"
                                   << "SABAO EM PO 1KG 249";
    QTest::newRow("text, type 3") << WindowFixture::fixture("demo/catalogo-tipo3.txt") << 3 << 12 << "000012"
                                  << "DETERGENTE LÍQUIDO 500ML ";
}

void TestFullRunWindow::runImportsEveryRow()
{
    QFETCH(QString, source);
    QFETCH(int, type);
    QFETCH(int, rows);
    QFETCH(QString, lastCode);
    QFETCH(QString, lastName);
    FullRunFixture f;
    f.open(source, type);
    f.dialogs.clearLog();
    f.dialogs.answer(MsgDlgBtn::OK);
    if (type == 1)
        f.dialogs.answer(MsgDlgBtn::Cancel);
    f.dialogs.cancelSave();
    QTest::mouseClick(f.window->Button2(), Qt::LeftButton);

    QCOMPARE(f.dialogs.pendingAnswers(), 0);
    const QStringList questions = type == 1 ? QStringList{Confirmation, BarcodeQuestion}
                                            : QStringList{Confirmation};
    QCOMPARE(f.dialogs.questionTexts(), questions);
    QCOMPARE(f.dialogs.messages(),
             (QStringList{countMessage(0),
                          "Log de erros salvo na pasta Raiz. \"ErrorLog.txt\""}));
    QVERIFY(f.window->StringGrid1()->isEnabled());
    QVERIFY(f.window->ListaProdutosTxt()->isEnabled());
    QCOMPARE(f.window->ListBox1Items()->rowCount(), 0);
    if (type == 1) // the grid preview followed the run to its last row
        QCOMPARE(f.window->Label(1)->text(), QStringLiteral("Nome do Produto: ") + lastName);
    QVERIFY(QFile::exists(f.logPath()));

    const auto table = f.readBack();
    QCOMPARE(table.size(), rows);
    QCOMPARE(table.first().value("CODBARRA"),
             type == 1 ? QString("9781000000009") : QString("7891000100103"));
    QCOMPARE(table.last().value("CODIGO"), lastCode);
    if (type == 1) // isql reads the ANSI bytes back as they are: compare plain names only
        QCOMPARE(table.last().value("PRODUTO"), lastName);
}

// What the window showed each time it was drawn while the run held its views.
class PaintWatch : public QObject {
public:
    PaintWatch(TFrmConverterBancoQelExcel& window) : m_window(window) { window.installEventFilter(this); }
    struct Shown {
        int listRow, gridRow;
        QString preview;
    };
    QList<Shown> shown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &m_window && event->type() == QEvent::Paint && !m_window.ListaProdutosTxt()->isEnabled())
            shown.append({m_window.ListaProdutosTxt()->currentIndex().row(),
                          m_window.StringGrid1()->currentIndex().row(), m_window.Label(1)->text()});
        return false;
    }

private:
    TFrmConverterBancoQelExcel& m_window;
};

void TestFullRunWindow::runIsDrawnAsItGoes_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("type");
    QTest::newRow("sheet, type 1") << WindowFixture::fixture("app/products_qel.xlsx") << 1;
    QTest::newRow("text, type 3") << WindowFixture::fixture("demo/catalogo-tipo3.txt") << 3;
}

// The run never returns to the event loop, so the window is drawn by the run itself: at once
// when the views are taken (the confirmation gone), on the first row, then as it goes. The
// grid's cursor starts on row 1, so that first drawing shows no preview yet.
void TestFullRunWindow::runIsDrawnAsItGoes()
{
    QFETCH(QString, source);
    QFETCH(int, type);
    FullRunFixture f;
    f.open(source, type);
    f.dialogs.answer(MsgDlgBtn::OK);
    if (type == 1)
        f.dialogs.answer(MsgDlgBtn::Cancel);
    f.dialogs.cancelSave();
    PaintWatch watch(*f.window);
    const QString before = f.window->Label(1)->text();
    QTest::mouseClick(f.window->Button2(), Qt::LeftButton);

    QVERIFY(!watch.shown.isEmpty());
    const PaintWatch::Shown first = watch.shown.first();
    QCOMPARE(type == 1 ? first.gridRow : first.listRow, type == 1 ? 1 : 0);
    QCOMPARE(first.preview, before);
}

void TestFullRunWindow::cancelLeavesWindowAndTable()
{
    FullRunFixture f;
    f.open(WindowFixture::fixture("app/products_qel.xlsx"), 1);
    const QString label = f.window->Label(1)->text();
    f.dialogs.clearLog();
    f.dialogs.answer(MsgDlgBtn::Cancel);
    QTest::mouseClick(f.window->Button2(), Qt::LeftButton);

    QCOMPARE(f.dialogs.questionTexts(), QStringList{Confirmation});
    QCOMPARE(f.dialogs.log().size(), 1);
    QCOMPARE(f.window->Label(1)->text(), label);
    QVERIFY(f.window->StringGrid1()->isEnabled());
    QCOMPARE(f.window->ListBox1Items()->rowCount(), 0);
    QVERIFY(!QFile::exists(f.logPath()));
    const auto table = f.readBack();
    QCOMPARE(table.size(), 1);
    QCOMPARE(table.first().value("CODIGO"), QStringLiteral("900001"));
}

void TestFullRunWindow::failedLoadIsNotImported_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("error cell in row 40") << WindowFixture::fixture("xlsx/error_row40.xlsx");
    QTest::newRow("not a workbook") << WindowFixture::fixture("xlsx/not_a_zip.xlsx");
    QTest::newRow("missing text file") << QStringLiteral("/nonexistent/dados.txt");
}

// A source that failed to load leaves a half-filled view behind: importing it would wipe
// the table and write the rows that happened to arrive, so the run refuses.
void TestFullRunWindow::failedLoadIsNotImported()
{
    QFETCH(QString, source);
    FullRunFixture f;
    f.open(source, 4);
    f.dialogs.clearLog();
    QTest::mouseClick(f.window->Button2(), Qt::LeftButton);

    QCOMPARE(f.dialogs.messages(), QStringList{"Nenhum arquivo foi carregado."});
    QVERIFY(f.dialogs.questionTexts().isEmpty());
    QVERIFY(!QFile::exists(f.logPath()));
    const auto table = f.readBack();
    QCOMPARE(table.size(), 1);
    QCOMPARE(table.first().value("CODIGO"), QStringLiteral("900001"));
}

QTEST_MAIN(TestFullRunWindow)
#include "tst_fullrun_window.moc"
