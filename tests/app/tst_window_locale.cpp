// The window speaks as designed under every locale: with the catalogues of either language
// installed (ours and Qt's), its captions and its dialogs' buttons stay exactly the same,
// while Qt's own file dialog follows the language.
#include "QtDialogs.h"
#include "ScriptedDialogs.h"
#include "TFrmConverterBancoQelExcel.h"
#include "Translations.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

namespace {

void removeTranslations()
{
    for (QTranslator* t : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

// Every caption of the window, by control name.
QStringList captions(TFrmConverterBancoQelExcel& w)
{
    QStringList texts{w.windowTitle(), w.ComboBox1()->currentText(), w.GroupBox1()->title()};
    for (int i = 1; i <= 9; ++i)
        texts.append(w.Label(i)->text());
    for (QPushButton* b : {w.Button1(), w.Button2(), w.Button3()})
        texts.append(b->text());
    for (int i = 0; i < w.ComboBox1()->count(); ++i)
        texts.append(w.ComboBox1()->itemText(i));
    return texts;
}

QStringList buttonTexts(const QList<MsgDlgBtn>& buttons)
{
    QMessageBox box;
    setUpMessageDialog(box, QStringLiteral("?"), MsgDlgType::Confirmation, buttons, buttons.first(),
                       {}, {});
    QStringList texts;
    for (QAbstractButton* b : box.buttons())
        texts.append(b->text());
    texts.sort();
    return texts;
}

const QList<MsgDlgBtn> AllButtons{MsgDlgBtn::Yes,   MsgDlgBtn::No,    MsgDlgBtn::OK,
                                  MsgDlgBtn::Cancel, MsgDlgBtn::Abort, MsgDlgBtn::Retry,
                                  MsgDlgBtn::Ignore, MsgDlgBtn::Close};

} // namespace

class TestWindowLocale : public QObject {
    Q_OBJECT
private slots:
    void buttonCaptionsAreQtsEnglishOnes();
    void fixedTexts_data();
    void fixedTexts();
    void fileDialogFollowsTheLanguage();
    void cleanup() { removeTranslations(); }
};

// Without any catalogue Qt's standard buttons read as the window's dialogs were designed;
// the window sets those same texts itself, so that no catalogue can change them.
void TestWindowLocale::buttonCaptionsAreQtsEnglishOnes()
{
    for (MsgDlgBtn b : AllButtons) {
        QMessageBox box;
        QMessageBox::StandardButton standard = QMessageBox::NoButton;
        switch (b) {
        case MsgDlgBtn::Yes: standard = QMessageBox::Yes; break;
        case MsgDlgBtn::No: standard = QMessageBox::No; break;
        case MsgDlgBtn::OK: standard = QMessageBox::Ok; break;
        case MsgDlgBtn::Cancel: standard = QMessageBox::Cancel; break;
        case MsgDlgBtn::Abort: standard = QMessageBox::Abort; break;
        case MsgDlgBtn::Retry: standard = QMessageBox::Retry; break;
        case MsgDlgBtn::Ignore: standard = QMessageBox::Ignore; break;
        case MsgDlgBtn::Close: standard = QMessageBox::Close; break;
        }
        QCOMPARE(box.addButton(standard)->text(), buttonCaption(b));
    }
}

void TestWindowLocale::fixedTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("pt_BR") << "pt_BR";
    QTest::newRow("en") << "en";
}

void TestWindowLocale::fixedTexts()
{
    QFETCH(QString, language);
    ScriptedDialogs dialogs;
    const QStringList designed = [&] {
        TFrmConverterBancoQelExcel w(AppSettings{}, dialogs, RegionalSettings::brazil());
        return captions(w);
    }();
    const QStringList designedButtons = buttonTexts(AllButtons);
    QCOMPARE(designedButtons, (QStringList{"&No", "&Yes", "Abort", "Cancel", "Close", "Ignore",
                                           "OK", "Retry"}));

    QVERIFY(installTranslations(*qApp, language));
    TFrmConverterBancoQelExcel w(AppSettings{}, dialogs, RegionalSettings::brazil());
    QCOMPARE(captions(w), designed);
    QCOMPARE(buttonTexts(AllButtons), designedButtons);
    QCOMPARE(buttonTexts({MsgDlgBtn::OK, MsgDlgBtn::Cancel}), (QStringList{"Cancel", "OK"}));
}

void TestWindowLocale::fileDialogFollowsTheLanguage()
{
    const QString qtCatalogue = QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                                + QStringLiteral("/qtbase_pt_BR.qm");
    if (!QFile::exists(qtCatalogue))
        QSKIP("qt6-translations-l10n is not installed (scripts/setup installs it)");
    const QString source = QStringLiteral("File &name:");
    QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"), source);
    QVERIFY(installTranslations(*qApp, QStringLiteral("pt_BR")));
    QVERIFY(QCoreApplication::translate("QFileDialog", "File &name:") != source);
    removeTranslations();
    QVERIFY(installTranslations(*qApp, QStringLiteral("en")));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "File &name:"), source);
}

QTEST_MAIN(TestWindowLocale)
#include "tst_window_locale.moc"
