// The window's side of all or nothing: the count of what a run would import, a source
// without products, a run stopped by an error, and a run of which every row failed, through
// the real window (offscreen), scripted dialogs and an embedded database.
#include "PreviewViews.h"
#include "RunHarness.h"
#include "TextLinesModel.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString NothingChanged = QStringLiteral("Nada foi alterado no banco de dados.");

QString typeThirteen(const QString& code)
{
    return QStringLiteral("P;%1;;;;;UN;;;;;PRODUTO %1;;;;;40").arg(code);
}

// The window over two old products (and what else the test sets up before it attaches).
struct Fixture : WindowFixture {
    QList<QMap<QString, QString>> before;

    bool prepare(const QString& extraSql = QString())
    {
        if (!db.isValid()
            || !db.execute(QStringLiteral(
                "insert into c000025 (codigo, produto) values ('900001', 'OLD ONE');\n"
                "insert into c000025 (codigo, produto) values ('900002', 'OLD TWO');"))
            || (!extraSql.isEmpty() && !db.execute(extraSql)))
            return false;
        before = table();
        return true;
    }
    QList<QMap<QString, QString>> table() const
    {
        return db.select(QStringLiteral("select * from c000025 order by codigo, produto"));
    }
    // Writes the lines as a text file and opens the window over it.
    void open(const QStringList& lines, int sourceType)
    {
        WindowFixture::open(writeFile(QStringLiteral("source.txt"), lines.join(QStringLiteral("\r\n")).toLatin1()),
                            sourceType);
        dialogs.clearLog();
    }
    QString count() const { return window->Label8()->text(); }
    void clickImport() { QTest::mouseClick(window->Button2(), Qt::LeftButton); }
    void close() { closeWindow(); }
};

} // namespace

class TestAllOrNothingWindow : public QObject {
    Q_OBJECT
private slots:
    void countIsWhatTheRunWouldImport();
    void sourceWithoutProductsStopsBeforeTheQuestion();
    void runErrorShowsTheErrorBoxAfterTheViewsComeBack();
    void everyRowFailedKeepsTheOldRows();
};

// Blank lines at the end are not products; a type whose exports carry a header line counts
// one less, as soon as it is chosen.
void TestAllOrNothingWindow::countIsWhatTheRunWouldImport()
{
    Fixture f;
    QVERIFY2(f.prepare(), qPrintable(f.db.error()));
    f.open({QStringLiteral("HEADER|A"), typeThirteen("1"), QString(), typeThirteen("3"), QString(), QStringLiteral("  ")},
           3);
    QCOMPARE(f.window->ListaProdutosTxtItems()->rowCount(), 6); // the view shows every line
    QCOMPARE(f.count(), QStringLiteral("Total de items na tabela: 4"));
    f.window->ComboBox1()->setCurrentIndex(6);
    QCOMPARE(f.count(), QStringLiteral("Total de items na tabela: 3"));
}

void TestAllOrNothingWindow::sourceWithoutProductsStopsBeforeTheQuestion()
{
    Fixture f;
    QVERIFY2(f.prepare(), qPrintable(f.db.error()));
    f.open({QString(), QStringLiteral("   "), QString()}, 13);
    QCOMPARE(f.count(), QStringLiteral("Total de items na tabela: 0"));
    f.clickImport();

    QCOMPARE(f.dialogs.questionTexts(), QStringList());
    QCOMPARE(f.dialogs.errors(),
             QStringList{QStringLiteral("O arquivo carregado não tem nenhum produto para importar. ")
                         + NothingChanged});
    QVERIFY(f.window->ListaProdutosTxt()->isEnabled());
    f.close();
    QCOMPARE(f.table(), f.before);
}

// A row that meets an error no row is known to cause (here an exception of a trigger of
// the shop's database) stops the run: the error box comes after the views are back, and the
// rows imported before it are gone with the wipe.
void TestAllOrNothingWindow::runErrorShowsTheErrorBoxAfterTheViewsComeBack()
{
    Fixture f;
    QVERIFY2(f.prepare(QStringLiteral(
                 "create exception e_refused 'refused';\nset term ^;\n"
                 "create trigger c000025_refuse for c000025 before insert as begin\n"
                 "  if (new.produto = 'PRODUTO 3') then exception e_refused; end^\nset term ;^\n")),
             qPrintable(f.db.error()));
    f.open({typeThirteen("1"), typeThirteen("2"), typeThirteen("3"), typeThirteen("4")}, 13);
    bool enabledAtTheBox = false;
    f.dialogs.onError = [&] {
        enabledAtTheBox = f.window->ListaProdutosTxt()->isEnabled() && f.window->StringGrid1()->isEnabled();
    };
    f.dialogs.answer(MsgDlgBtn::OK);
    f.clickImport();

    QCOMPARE(f.dialogs.pendingAnswers(), 0);
    QCOMPARE(f.dialogs.errors().size(), 1);
    const QString shown = f.dialogs.errors().first();
    QVERIFY2(shown.startsWith(QStringLiteral("A importação parou: ocorreu um erro que impede continuar. ")
                              + NothingChanged + u'\n'),
             qPrintable(shown));
    QVERIFY2(shown.contains(QLatin1String("refused")), qPrintable(shown));
    QVERIFY(enabledAtTheBox);
    QCOMPARE(f.dialogs.messages(), QStringList()); // neither count nor saved log
    QVERIFY(!QFile::exists(f.logPath()));
    f.close();
    QCOMPARE(f.table(), f.before);
}

void TestAllOrNothingWindow::everyRowFailedKeepsTheOldRows()
{
    Fixture f;
    QVERIFY2(f.prepare(), qPrintable(f.db.error()));
    f.open({typeThirteen("1x"), typeThirteen("2x")}, 13);
    f.dialogs.answer(MsgDlgBtn::OK).cancelSave();
    f.clickImport();

    QCOMPARE(f.dialogs.errors(), QStringList());
    QCOMPARE(f.dialogs.messages(),
             (QStringList{countMessage(2),
                          QStringLiteral("Nenhum produto foi importado: o banco de dados não foi alterado."),
                          QStringLiteral("Log de erros salvo na pasta Raiz. \"ErrorLog.txt\"")}));
    QCOMPARE(f.window->ListBox1Items()->rowCount(), 2);
    QVERIFY(QFile::exists(f.logPath()));
    f.close();
    QCOMPARE(f.table(), f.before);
}

QTEST_MAIN(TestAllOrNothingWindow)
#include "tst_allornothing_window.moc"
