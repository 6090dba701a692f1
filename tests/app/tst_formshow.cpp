// What the window does when it is first shown: connect, ask for the file, load it by its
// extension into one of the two views, count it. Real embedded database, scripted dialogs.
#include "WindowFixture.h"

#include "ImportViews.h"
#include "LineChecks.h"
#include "PreviewViews.h"
#include "TextLinesModel.h"

#include <QLabel>
#include <QStringListModel>
#include <QtTest>

using Kind = ShownDialog::Kind;

class TestFormShow : public QObject {
    Q_OBJECT
private slots:
    void cancelEndsTheApplication();
    void extensions_data();
    void extensions();
    void textCounts_data();
    void textCounts();
    void sheetCount();
    void unreachableDatabase();
    void unreadableTextFile();
    void brokenSpreadsheet();
    void runsOnceOnFirstShow();
};

void TestFormShow::cancelEndsTheApplication()
{
    WindowFixture f;
    f.dialogs.cancelOpen();
    f.show();
    QCOMPARE(f.quitRequests, 1);
    QCOMPARE(f.dialogs.kinds(), QList<Kind>{Kind::OpenDialog});
    QVERIFY(f.window->SourceMode.isEmpty());
    QVERIFY(f.window->StringGrid1()->isHidden());
    QVERIFY(f.window->ListaProdutosTxt()->isHidden());
    QVERIFY(f.window->eConexao.Connected()); // the connection came first
}

void TestFormShow::extensions_data()
{
    QTest::addColumn<QString>("relativeName"); // in the fixture's folder
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("message");

    const QString excel = QStringLiteral("Carregando Banco em Excel :)");
    const QString text = QStringLiteral("Carregando Banco em Texto :)");
    QTest::newRow(".xlsx") << "dados.xlsx" << "Excel" << excel;
    QTest::newRow(".XLS") << "dados.XLS" << "Excel" << excel;
    QTest::newRow(".TXT") << "dados.TXT" << "Texto" << text;
    QTest::newRow(".txt") << "dados.txt" << "Texto" << text;
    QTest::newRow(".XLSX") << "dados.XLSX" << "" << "";
    QTest::newRow(".Xls") << "dados.Xls" << "" << "";
    QTest::newRow(".Txt") << "dados.Txt" << "" << "";
    QTest::newRow(".csv") << "dados.csv" << "" << "";
    QTest::newRow("no extension") << "dados" << "" << "";
    QTest::newRow("dotted folder") << "dados.antigo/export" << "" << "";
    QTest::newRow("dotted folder, backslash") << "dados.antigo\\export" << "" << "";
    QTest::newRow("ends in a dot") << "dados." << "" << "";
}

// Spreadsheet names get a real workbook, the rest a two-line text, so that a name loaded
// by mistake would show.
void TestFormShow::extensions()
{
    QFETCH(QString, relativeName);
    QFETCH(QString, mode);
    QFETCH(QString, message);

    WindowFixture f;
    QDir(f.files.path()).mkpath(QStringLiteral("dados.antigo"));
    QByteArray bytes = "linha 1\r\nlinha 2\r\n";
    const bool xlsx = relativeName.endsWith(QLatin1String(".xlsx"));
    if (xlsx || relativeName.endsWith(QLatin1String(".XLS"))) {
        QFile sheet(WindowFixture::fixture(xlsx ? QStringLiteral("app/six_columns.xlsx")
                                                : QStringLiteral("app/six_columns.xls")));
        QVERIFY(sheet.open(QIODevice::ReadOnly));
        bytes = sheet.readAll();
    }
    const QString path = f.writeFile(relativeName, bytes);
    f.load(path);

    QCOMPARE(f.window->SourceMode, mode);
    QCOMPARE(f.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
    QVERIFY2(f.dialogs.errors().isEmpty(), qPrintable(f.dialogs.errors().join(u'\n')));
    QCOMPARE(f.window->StringGrid1()->isHidden(), mode != QLatin1String("Excel"));
    QCOMPARE(f.window->ListaProdutosTxt()->isHidden(), mode != QLatin1String("Texto"));
    QCOMPARE(f.quitRequests, 0);
    if (mode.isEmpty())
        QCOMPARE(f.window->Label(8)->text(), QStringLiteral("Total de items na tabela:"));
    else if (mode == QLatin1String("Excel"))
        QCOMPARE(f.window->Label(8)->text(), QStringLiteral("Total de items na tabela: 3"));
    else
        QCOMPARE(f.window->Label(8)->text(), QStringLiteral("Total de items na tabela: 2"));
}

void TestFormShow::textCounts_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("empty file") << QByteArray() << 0 << QStringList();
    QTest::newRow("one line") << QByteArray("a") << 1 << QStringList{"a"};
    QTest::newRow("one line and a break") << QByteArray("a\r\n") << 1 << QStringList{"a"};
    QTest::newRow("inner empty line") << QByteArray("a\n\nb") << 3 << QStringList{"a", "", "b"};
    QByteArray hundred;
    QStringList hundredItems;
    for (int i = 1; i <= 100; ++i) {
        hundred += "linha " + QByteArray::number(i) + "\r\n";
        hundredItems.append(QStringLiteral("linha %1").arg(i));
    }
    QTest::newRow("100 lines and a final break") << hundred << 100 << hundredItems;
}

// Every line is a product, so the count is the number of lines (the last line is imported).
void TestFormShow::textCounts()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, count);
    QFETCH(QStringList, items);

    WindowFixture f;
    f.load(f.writeFile(QStringLiteral("produtos.txt"), bytes));
    QCOMPARE(f.window->Label(8)->text(), QStringLiteral("Total de items na tabela: %1").arg(count));
    QCOMPARE(shownTexts(*f.window->ListaProdutosTxtItems()), items);
    QCOMPARE(allLines(f.window->views().lines()), items);
    QVERIFY(f.window->ListaProdutosTxt()->isVisible());
}

void TestFormShow::sheetCount()
{
    WindowFixture f;
    f.load(WindowFixture::fixture(QStringLiteral("app/products_qel.xlsx")));
    QVERIFY2(f.dialogs.errors().isEmpty(), qPrintable(f.dialogs.errors().join(u'\n')));
    QCOMPARE(f.window->StringGrid1Cells().RowCount(), 250);
    QCOMPARE(f.window->StringGrid1Cells().ColCount(), 9);
    QCOMPARE(f.window->Label(8)->text(), QStringLiteral("Total de items na tabela: 249"));
    QCOMPARE(f.window->StringGrid1Cells().cell(1, 1), QStringLiteral("FEIJAO CARIOCA 1KG 1"));
    QCOMPARE(f.window->StringGrid1Cells().cell(3, 1), QStringLiteral("6,2")); // regional ","
    QVERIFY(f.window->StringGrid1()->isVisible());
    // The count fits its label whole.
    QLabel* label = f.window->Label(8);
    QVERIFY(label->width() >= label->sizeHint().width());
}

void TestFormShow::unreachableDatabase()
{
    AppSettings settings;
    settings.database = QStringLiteral("/nonexistent-folder/base.fdb");
    settings.clientLibrary = TestDatabase::clientLibrary();
    WindowFixture f(settings, RegionalSettings::brazil());
    f.show(); // no script: a file dialog would fail the test
    QCOMPARE(f.dialogs.kinds(), QList<Kind>{Kind::Error});
    QVERIFY(!f.dialogs.errors().first().isEmpty());
    QVERIFY(f.window->SourceMode.isEmpty());
    QCOMPARE(f.quitRequests, 0);
    QVERIFY(f.window->isVisible()); // the window stays open
}

void TestFormShow::unreadableTextFile()
{
    WindowFixture f;
    const QString missing = f.files.filePath(QStringLiteral("sumiu.txt"));
    f.load(missing);
    QCOMPARE(f.dialogs.kinds(), (QList<Kind>{Kind::OpenDialog, Kind::Message, Kind::Error}));
    QCOMPARE(f.dialogs.errors().first(),
             QStringLiteral("Cannot open file \"%1\". No such file or directory.").arg(missing));
    QCOMPARE(f.window->SourceMode, QStringLiteral("Texto"));
    QVERIFY(f.window->ListaProdutosTxt()->isHidden());
    QCOMPARE(f.window->Label(8)->text(), QStringLiteral("Total de items na tabela:"));
}

void TestFormShow::brokenSpreadsheet()
{
    WindowFixture f;
    f.load(f.writeFile(QStringLiteral("quebrado.xlsx"), "not a workbook"));
    QCOMPARE(f.dialogs.kinds(), (QList<Kind>{Kind::OpenDialog, Kind::Message, Kind::Error}));
    QCOMPARE(f.window->SourceMode, QStringLiteral("Excel"));
    QVERIFY(f.window->StringGrid1()->isHidden());
    QCOMPARE(f.window->Label(8)->text(), QStringLiteral("Total de items na tabela:"));
}

void TestFormShow::runsOnceOnFirstShow()
{
    WindowFixture f;
    f.load(f.writeFile(QStringLiteral("a.txt"), "x\n"));
    f.window->hide();
    f.show(); // a second show asks nothing (no script left)
    f.window->FormShow();
    QCOMPARE(f.dialogs.kinds(), (QList<Kind>{Kind::OpenDialog, Kind::Message}));
}

QTEST_MAIN(TestFormShow)
#include "tst_formshow.moc"
