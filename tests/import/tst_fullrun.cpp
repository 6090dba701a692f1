// The full import run over plain views, scripted dialogs and a real embedded database.
#include "FullImportRun.h"
#include "RunHarness.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "TextGrid.h"
#include "platform/AnsiCodePage.h"
#include "platform/ChildProcess.h"
#include "platform/Error.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString Confirmation =
    QStringLiteral("Isso irá ZERAR Completamente o Banco de dados atual, Deseja Continuar?");
const QString SavedMessage = QStringLiteral("Log de erros salvo na pasta Raiz. \"ErrorLog.txt\"");

QStringList column(const QList<QMap<QString, QString>>& rows, const QString& name)
{
    QStringList values;
    for (const auto& row : rows)
        values.append(row.value(name));
    return values;
}

QList<ShownDialog> questionsOf(const ScriptedDialogs& dialogs)
{
    QList<ShownDialog> questions;
    for (const ShownDialog& d : dialogs.log())
        if (d.kind == ShownDialog::Kind::MessageDialog)
            questions.append(d);
    return questions;
}

QList<QStringList> type4Sheet(const QStringList& names)
{
    QList<QStringList> rows{{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("NOME")}};
    for (const QString& name : names)
        rows.append({QString(), QString(), name});
    return rows;
}

} // namespace

class TestFullRun : public QObject {
    Q_OBJECT
private slots:
    void importsEveryRow_data();
    void importsEveryRow();
    void rowDefaultsReachTheTable();
    void cancelLeavesEverythingUntouched();
    void missingChoiceTouchesNothing_data();
    void missingChoiceTouchesNothing();
    void failedRowsAreCountedAndLogged();
    void secondRunCountsAfreshAndSavesBothLogs();
    void badHeldCodeFailsOnlyItsOwnRow_data();
    void badHeldCodeFailsOnlyItsOwnRow();
    void typeOneQuestion_data();
    void typeOneQuestion();
    void unreadableBarcodeListEndsTheRunUncommitted();
    void callDuringARunReturnsAtOnce();
    void killedBeforeCommitKeepsOldRows();
};

void TestFullRun::importsEveryRow_data()
{
    QTest::addColumn<bool>("sheet");
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("source"); // product names (sheet) or lines (text)
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QStringList>("barcodes");

    const QString b0 = QStringLiteral("9781000000009"), b1 = QStringLiteral("9781000000016"),
                  b2 = QStringLiteral("9781000000023"), b3 = QStringLiteral("9781000000030");
    QTest::newRow("sheet, three products, the last one included")
        << true << 4 << QStringList{"P1", "P2", "P3"}
        << QStringList{"000002", "000003", "000004"} << QStringList{b0, b2, b3};
    QTest::newRow("sheet, one product") << true << 4 << QStringList{"P1"}
                                        << QStringList{"000002"} << QStringList{b0};
    QTest::newRow("text, three lines, the last one included")
        << false << 4 << QStringList{"a", "b", "c"}
        << QStringList{"000001", "000002", "000003"} << QStringList{b0, b1, b2};
    QTest::newRow("text, one line") << false << 4 << QStringList{"a"} << QStringList{"000001"}
                                    << QStringList{b0};
    // Type 6 skips the header line and still ends on the last line.
    const QString bar = QStringLiteral("|||||||||||||");
    QTest::newRow("type 6 skips the first line")
        << false << 6
        << QStringList{QStringLiteral("HEADER"), QStringLiteral("7890000000011|11|A   B||1,5||") + bar,
                       QStringLiteral("7890000000028|12|C||2||") + bar}
        << QStringList{"000011", "000012"}
        << QStringList{"7890000000011", "7890000000028"};
}

void TestFullRun::importsEveryRow()
{
    QFETCH(bool, sheet);
    QFETCH(int, type);
    QFETCH(QStringList, source);
    QFETCH(QStringList, codes);
    QFETCH(QStringList, barcodes);

    RunFixture f;
    QVERIFY(f.addOldRows());
    if (sheet)
        loadSheet(f.views, type, type4Sheet(source));
    else
        loadText(f.views, type, source);
    int previews = 0;
    f.views.onGridRowChanged = [&] { ++previews; };
    f.dialogs.answer(MsgDlgBtn::OK).cancelSave();
    f.run();

    QCOMPARE(f.dialogs.messages(), (QStringList{countMessage(0), SavedMessage}));
    QVERIFY(f.views.enabled);
    if (sheet) {
        QCOMPARE(f.views.currentRow, f.views.gridData.RowCount() - 1);
        QCOMPARE(previews, int(source.size())); // the preview follows every imported row
    } else {
        QCOMPARE(f.views.currentIndex, std::max(0, int(source.size()) - 1));
    }
    const auto rows = f.readBack(QStringLiteral("codigo, codbarra"));
    QCOMPARE(column(rows, QStringLiteral("CODIGO")), codes);
    QCOMPARE(column(rows, QStringLiteral("CODBARRA")), barcodes);
}

void TestFullRun::rowDefaultsReachTheTable()
{
    for (bool sheet : {true, false}) {
        RunFixture f;
        if (sheet)
            loadSheet(f.views, 3, {{"header"}, {"ignored by a text type"}});
        else
            loadText(f.views, 4, {QStringLiteral("ignored by a sheet type")});
        f.dialogs.answer(MsgDlgBtn::OK).cancelSave();
        f.run();
        const auto rows = f.readBack();
        QCOMPARE(rows.size(), 1);
        const auto& r = rows.first();
        QCOMPARE(r.value("CODIGO"), sheet ? QString("000000") : QString("000001"));
        QCOMPARE(r.value("CODBARRA"), QString("9781000000009"));
        QCOMPARE(r.value("PRODUTO"), QString());
        QCOMPARE(r.value("UNIDADE"), QString("UN"));
        QCOMPARE(r.value("DATA_CADASTRO"), QString("2026-12-08 13:45:00.0000"));
        QCOMPARE(r.value("PRECOCUSTO").toDouble() + r.value("PRECOVENDA").toDouble()
                     + r.value("ESTOQUE").toDouble() + r.value("ALIQUOTA").toDouble(), 0.0);
        QCOMPARE(r.value("CSOSN"), sheet ? QString("102") : QString("400"));
        const QStringList fixed{r.value("NCM"), r.value("CLASSIFICACAO_FISCAL"), r.value("CST"),
                                r.value("SITUACAO_TRIBUTARIA"), r.value("IAT"), r.value("IPPT"),
                                r.value("IND_CFOP_VENDA_DENTRO"), r.value("TIPO"),
                                r.value("SITUACAO"), r.value("PISCOFINS"),
                                r.value("INCIDENCIA_PISCOFINS"), r.value("FLAG_SIS")};
        QCOMPARE(fixed, (QStringList{"9999.71.04", "9999.71.04", "040", "I", "T", "T", "5102",
                                     "00 - Mercadoria para Revenda", "0", "N", "NENHUMA", "S"}));
    }
}

void TestFullRun::cancelLeavesEverythingUntouched()
{
    RunFixture f;
    QVERIFY(f.addOldRows());
    loadSheet(f.views, 4, type4Sheet({"P1", "P2"}));
    f.views.currentRow = 2;
    f.views.errors = QStringList{QStringLiteral("an earlier failure")};
    f.dialogs.answer(MsgDlgBtn::Cancel);
    f.run();

    QCOMPARE(f.dialogs.kinds(), QList<ShownDialog::Kind>{ShownDialog::Kind::MessageDialog});
    const ShownDialog q = f.dialogs.log().first();
    QCOMPARE(q.text, Confirmation);
    QCOMPARE(q.type, MsgDlgType::Error);
    QCOMPARE(q.title, QStringLiteral("Error"));
    QCOMPARE(q.buttons, (QList<MsgDlgBtn>{MsgDlgBtn::OK, MsgDlgBtn::Cancel}));
    QCOMPARE(q.defaultButton, MsgDlgBtn::OK);
    QCOMPARE(f.views.currentRow, 2);
    QCOMPARE(f.views.currentIndex, -1);
    QVERIFY(f.views.enabled);
    QCOMPARE(f.views.errors, QStringList{QStringLiteral("an earlier failure")});
    QVERIFY(!QFile::exists(f.logPath()));
    QCOMPARE(column(f.readBack(), QStringLiteral("CODIGO")), (QStringList{"900001", "900002"}));
}

void TestFullRun::missingChoiceTouchesNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no source type") << -1 << "Texto"
                                    << "Favor selecionar o Tipo de Banco a ser Convertido";
    QTest::newRow("nothing loaded") << 3 << "" << "Nenhum arquivo foi carregado.";
    QTest::newRow("neither") << -1 << "" << "Favor selecionar o Tipo de Banco a ser Convertido";
}

void TestFullRun::missingChoiceTouchesNothing()
{
    QFETCH(int, type);
    QFETCH(QString, mode);
    QFETCH(QString, message);
    RunFixture f;
    QVERIFY(f.addOldRows());
    loadText(f.views, type, {QStringLiteral("a"), QStringLiteral("b")});
    f.views.mode = mode;
    f.run(); // no answer scripted: a confirmation would fail the test

    QCOMPARE(f.dialogs.kinds(), QList<ShownDialog::Kind>{ShownDialog::Kind::Message});
    QCOMPARE(f.dialogs.messages(), QStringList{message});
    QVERIFY(!QFile::exists(f.logPath()));
    QCOMPARE(f.readBack().size(), 2);
}

void TestFullRun::failedRowsAreCountedAndLogged()
{
    RunFixture f;
    QVERIFY(f.addOldRows());
    const QString longName(101, u'N');
    auto sheet = type4Sheet({"O'BRIEN", "BAD COST", longName, "LAST"});
    sheet[2] += QStringList{"", "", "", "", "", "1),('x"}; // column I, the cost of type 4
    loadSheet(f.views, 4, sheet);
    f.dialogs.answer(MsgDlgBtn::OK).cancelSave();
    f.run();

    QCOMPARE(f.dialogs.messages().first(), countMessage(2));
    QCOMPARE(f.views.errors.size(), 2);
    // A price is checked as it would be written, its "," already a ".".
    QCOMPARE(f.views.errors[0], QStringLiteral("Nome: BAD COST|Código: 3|Erro: "
                                               "'1).('x' is not a valid floating point value"));
    // The database's own message: it starts with a CR, and its CRs stay in the line.
    const QString prefix = QStringLiteral("Nome: ") + longName + QStringLiteral("|Código: 4|Erro: \r");
    QVERIFY2(f.views.errors[1].startsWith(prefix), qPrintable(f.views.errors[1]));
    QVERIFY(!f.views.errors[1].contains(u'\n'));

    const auto rows = f.readBack(QStringLiteral("codigo, produto"));
    QCOMPARE(column(rows, QStringLiteral("CODIGO")), (QStringList{"000002", "000005"}));
    QCOMPARE(column(rows, QStringLiteral("PRODUTO")), (QStringList{"O'BRIEN", "LAST"}));
}

void TestFullRun::secondRunCountsAfreshAndSavesBothLogs()
{
    RunFixture f;
    loadText(f.views, 13, {QStringLiteral(";x;"), QStringLiteral(";2;")});
    const QString secondLog = f.dir.filePath(QStringLiteral("second.txt"));
    f.dialogs.answer(MsgDlgBtn::OK).cancelSave().answer(MsgDlgBtn::OK).chooseSaveFile(secondLog);
    f.run();
    f.run();

    QCOMPARE(f.dialogs.messages(),
             (QStringList{countMessage(1), SavedMessage, countMessage(1), SavedMessage}));
    const QByteArray line = platform::toAnsi(f.views.errors.first()) + "\r\n";
    QVERIFY(line.startsWith(QByteArray("Nome: |C\xF3" "digo: 1|Erro: ")));
    QCOMPARE(f.logBytes(), line);
    QFile second(secondLog);
    QVERIFY(second.open(QIODevice::ReadOnly));
    QCOMPARE(second.readAll(), line + line);
    QCOMPARE(column(f.readBack(QStringLiteral("codigo")), QStringLiteral("CODIGO")),
             QStringList{"000002"});
}

void TestFullRun::badHeldCodeFailsOnlyItsOwnRow_data()
{
    QTest::addColumn<bool>("sheet");
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("source"); // column A (sheet) or lines (text)
    QTest::addColumn<int>("failed");
    QTest::addColumn<QStringList>("codes");
    QTest::addColumn<QStringList>("barcodes");
    // "-5" leaves too few digits for a barcode: the next row's default barcode is empty.
    QTest::newRow("text code kept from the line")
        << false << 13 << QStringList{";-5;", ";7;", ";8;"} << 0
        << QStringList{"0000-5", "000007", "000008"}
        << QStringList{"9781000000009", "", "9781000000078"};
    // A barcode the layout makes itself still fails its own row.
    QTest::newRow("sheet code making its own barcode")
        << true << 10 << QStringList{"-5", "7"} << 1 << QStringList{"000007"}
        << QStringList{"9781000000078"};
}

void TestFullRun::badHeldCodeFailsOnlyItsOwnRow()
{
    QFETCH(bool, sheet);
    QFETCH(int, type);
    QFETCH(QStringList, source);
    QFETCH(int, failed);
    QFETCH(QStringList, codes);
    QFETCH(QStringList, barcodes);
    RunFixture f;
    if (sheet) {
        QList<QStringList> rows{{"CODE", "NAME"}};
        for (const QString& code : source) {
            QStringList row(46); // up to column AT, the tax rate of type 10
            row[0] = code;
            row[1] = QStringLiteral("N") + code;
            row[45] = QStringLiteral("0");
            rows.append(row);
        }
        loadSheet(f.views, type, rows);
    } else {
        loadText(f.views, type, source);
    }
    f.dialogs.answer(MsgDlgBtn::OK).cancelSave();
    f.run();
    QCOMPARE(f.dialogs.messages().first(), countMessage(failed));
    if (sheet)
        QVERIFY(f.views.errors.first().startsWith(QStringLiteral("Nome: N-5|Código: -5|Erro: ")));
    const auto rows = f.readBack(QStringLiteral("codigo, codbarra"));
    QCOMPARE(column(rows, QStringLiteral("CODIGO")), codes);
    QCOMPARE(column(rows, QStringLiteral("CODBARRA")), barcodes);
}

void TestFullRun::typeOneQuestion_data()
{
    QTest::addColumn<MsgDlgBtn>("answer");
    QTest::addColumn<QString>("barcode");
    QTest::newRow("yes keeps column A") << MsgDlgBtn::Yes << "7890000000017";
    QTest::newRow("cancel generates") << MsgDlgBtn::Cancel << "9781000000009";
}

void TestFullRun::typeOneQuestion()
{
    QFETCH(MsgDlgBtn, answer);
    QFETCH(QString, barcode);
    RunFixture f;
    loadSheet(f.views, 1, {{"EAN", "NOME"}, {"7890000000017", "P1"}});
    f.dialogs.answer(MsgDlgBtn::OK).answer(answer).cancelSave();
    f.run();
    const QList<ShownDialog> questions = questionsOf(f.dialogs);
    QCOMPARE(questions.size(), 2);
    const ShownDialog& q = questions[1];
    QCOMPARE(q.text, QStringLiteral("Deseja importar o código barras contido no arquivo XLS?"));
    QCOMPARE(q.type, MsgDlgType::Custom);
    QCOMPARE(q.buttons, (QList<MsgDlgBtn>{MsgDlgBtn::Yes, MsgDlgBtn::Cancel}));
    QCOMPARE(q.defaultButton, MsgDlgBtn::Yes);
    QCOMPARE(q.title, QString());
    QCOMPARE(q.captions, (QStringList{"&Yes", "Cancel"}));
    QCOMPARE(column(f.readBack(QStringLiteral("codbarra")), QStringLiteral("CODBARRA")),
             QStringList{barcode});
}

void TestFullRun::unreadableBarcodeListEndsTheRunUncommitted()
{
    RunFixture f;
    QVERIFY(f.addOldRows());
    loadText(f.views, 11, {QStringLiteral("00000000000001")});
    f.dialogs.answer(MsgDlgBtn::OK).chooseOpenFile(f.dir.filePath(QStringLiteral("missing.txt")));
    f.connect();
    QVERIFY_THROWS_EXCEPTION(Error, RunFullImport(f.session->context(f.views, f.dialogs)));
    using K = ShownDialog::Kind;
    QCOMPARE(f.dialogs.kinds(), (QList<K>{K::MessageDialog, K::Message, K::OpenDialog}));
    QCOMPARE(f.dialogs.messages(), QStringList{"Favor abrir o arquivo com o cod barras."});
    QVERIFY(f.views.enabled);
    QCOMPARE(f.readBack().size(), 2); // the pending delete is rolled back with the connection
}

// A click on "Importar Tudo" while a dialog of the run is open.
class ReenteringDialogs : public ScriptedDialogs {
public:
    std::function<void()> onQuestion;
    MsgDlgBtn messageDialog(const QString& text, MsgDlgType type, const QList<MsgDlgBtn>& buttons,
                            MsgDlgBtn defaultButton, const QString& title,
                            const QStringList& captions) override
    {
        if (auto hook = std::exchange(onQuestion, nullptr))
            hook();
        return ScriptedDialogs::messageDialog(text, type, buttons, defaultButton, title, captions);
    }
};

void TestFullRun::callDuringARunReturnsAtOnce()
{
    RunFixture f;
    loadText(f.views, 4, {QStringLiteral("a"), QStringLiteral("b")});
    f.connect();
    ReenteringDialogs dialogs;
    dialogs.setSaveFileName(f.logPath());
    const ImportContext ctx = f.session->context(f.views, dialogs);
    dialogs.onQuestion = [&] { RunFullImport(ctx); };
    dialogs.answer(MsgDlgBtn::OK).cancelSave();
    RunFullImport(ctx);
    QCOMPARE(questionsOf(dialogs).size(), 1);
    QCOMPARE(f.readBack().size(), 2);
}

// The child imports a sheet and is killed from the preview hook while row `killAt` is
// taken, after the earlier rows' inserts have run but before the commit.
static int childImport(const QString& database, int killAt)
{
    PlainViews views;
    loadSheet(views, 4, type4Sheet({"P1", "P2", "P3", "P4"}));
    views.onGridRowChanged = [&] {
        if (views.currentRow == killAt) {
            fputs("killed\n", stdout);
            fflush(stdout);
            platform::killThisProcess();
        }
    };
    ScriptedDialogs dialogs;
    dialogs.answer(MsgDlgBtn::OK);
    RunSession session(database);
    RunFullImport(session.context(views, dialogs));
    return 0;
}

void TestFullRun::killedBeforeCommitKeepsOldRows()
{
    RunFixture f;
    QVERIFY(f.addOldRows());
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child-import"), f.db.path(), QStringLiteral("3")});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    QCOMPARE(child.readAllStandardOutput(), QByteArray("killed\n"));
    QCOMPARE(column(f.readBack(), QStringLiteral("CODIGO")), (QStringList{"900001", "900002"}));
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--child-import"))
        return childImport(args[2], args[3].toInt());
    TestFullRun test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fullrun.moc"
