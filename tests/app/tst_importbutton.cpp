// "Importar Tudo" as the window wires it: one run at a time, and an error that escapes the
// run lands in the error box with the window still usable.
#include "WindowFixture.h"

#include "PreviewViews.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

using Kind = ShownDialog::Kind;

namespace {

// Presses "Importar Tudo" again while the confirmation of the first run is up.
class ImpatientDialogs : public ScriptedDialogs {
public:
    TFrmConverterBancoQelExcel* window = nullptr;
    MsgDlgBtn messageDialog(const QString& text, MsgDlgType type, const QList<MsgDlgBtn>& buttons,
                            MsgDlgBtn defaultButton, const QString& title,
                            const QStringList& captions) override
    {
        if (window)
            std::exchange(window, nullptr)->Button2()->click();
        return ScriptedDialogs::messageDialog(text, type, buttons, defaultButton, title, captions);
    }
};

} // namespace

class TestImportButton : public QObject {
    Q_OBJECT
private slots:
    void secondClickDuringARunDoesNothing();
    void runErrorGoesToTheErrorBox();
};

void TestImportButton::secondClickDuringARunDoesNothing()
{
    TestDatabase db;
    ImpatientDialogs dialogs;
    AppSettings settings;
    settings.database = db.path();
    settings.clientLibrary = TestDatabase::clientLibrary();
    TFrmConverterBancoQelExcel w(settings, dialogs, RegionalSettings::brazil());
    w.requestQuit = [] {};
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("p.txt"));
    QFile f(source);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("0000000001ARROZ\r\n");
    f.close();
    dialogs.chooseOpenFile(source);
    w.FormShow();
    w.ComboBox1()->setCurrentIndex(3);

    dialogs.window = &w;
    dialogs.answer(MsgDlgBtn::Cancel); // the first run's confirmation; the second asks nothing
    QTest::mouseClick(w.Button2(), Qt::LeftButton);
    QCOMPARE(dialogs.questionTexts(),
             QStringList{"Isso irá ZERAR Completamente o Banco de dados atual, Deseja Continuar?"});
    QCOMPARE(dialogs.pendingAnswers(), 0);

    // Once the run is over the button works again.
    dialogs.answer(MsgDlgBtn::Cancel);
    QTest::mouseClick(w.Button2(), Qt::LeftButton);
    QCOMPARE(dialogs.questionTexts().size(), 2);
}

void TestImportButton::runErrorGoesToTheErrorBox()
{
    WindowFixture f;
    f.load(f.writeFile(QStringLiteral("p.txt"), "0000000001ARROZ\r\n"));
    TFrmConverterBancoQelExcel& w = *f.window;
    w.ComboBox1()->setCurrentIndex(11); // asks for a barcode list
    const QString missing = f.files.filePath(QStringLiteral("codigos.txt"));
    f.dialogs.clearLog();
    f.dialogs.answer(MsgDlgBtn::OK).chooseOpenFile(missing);
    QTest::mouseClick(w.Button2(), Qt::LeftButton);
    QCOMPARE(f.dialogs.kinds(),
             (QList<Kind>{Kind::MessageDialog, Kind::Message, Kind::OpenDialog, Kind::Error}));
    QCOMPARE(f.dialogs.errors().first(),
             QStringLiteral("Cannot open file \"%1\". No such file or directory.").arg(missing));
    QVERIFY(w.isVisible());
    QVERIFY(w.ListaProdutosTxt()->isEnabled());

    // The window is still usable: the next run asks again.
    f.dialogs.answer(MsgDlgBtn::Cancel);
    QTest::mouseClick(w.Button2(), Qt::LeftButton);
    QCOMPARE(f.dialogs.questionTexts().size(), 2);
}

QTEST_MAIN(TestImportButton)
#include "tst_importbutton.moc"
