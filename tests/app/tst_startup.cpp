// Start-up: the command line, the style lookup, the Qt dialogs' set-up, and the program's
// own exit codes.
#include "AppOptions.h"
#include "CbVersion.h"
#include "QtDialogs.h"
#include "ScriptedDialogs.h"
#include "StyleRegistry.h"
#include "TestDatabase.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QtTest>

#include <optional>

using Kind = ShownDialog::Kind;

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void options_data();
    void options();
    void badOptions_data();
    void badOptions();
    void programExitCodes_data();
    void programExitCodes();
    void windowEndsWhenTerminated();

    void styleLookup_data();
    void styleLookup();
    void missingStyle();
    void metroBlackApplies();

    void messageDialogSetUp_data();
    void messageDialogSetUp();
    void plainMessageAndErrorBox();
    void messageDialogAnswers();
};

void TestStartup::options_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("env"); // "<unset>" for no ISC_PASSWORD
    QTest::addColumn<QStringList>("expected"); // database, user, password, client library

    const QString db = QStringLiteral("C:\\Tallyworks\\Server\\bd\\base.fdb");
    QTest::newRow("built-in") << QStringList() << "<unset>"
                              << QStringList{db, "SYSDBA", "quillmark", "libfbclient.so.2"};
    QTest::newRow("password from the environment") << QStringList() << "s3nha"
        << QStringList{db, "SYSDBA", "s3nha", "libfbclient.so.2"};
    QTest::newRow("all options") << QStringList{"--database", "/srv/loja.fdb", "--user", "CAIXA",
                                                "--client-library", "/opt/fb/libfbclient.so"}
        << "<unset>" << QStringList{"/srv/loja.fdb", "CAIXA", "quillmark", "/opt/fb/libfbclient.so"};
    QTest::newRow("with =") << QStringList{"--database=localhost:/srv/a=b.fdb"} << "<unset>"
        << QStringList{"localhost:/srv/a=b.fdb", "SYSDBA", "quillmark", "libfbclient.so.2"};
    QTest::newRow("the last one counts") << QStringList{"--user", "A", "--user", "B"} << "<unset>"
        << QStringList{db, "B", "quillmark", "libfbclient.so.2"};
}

void TestStartup::options()
{
    QFETCH(QStringList, args);
    QFETCH(QString, env);
    QFETCH(QStringList, expected);
    QString error;
    const std::optional<QString> password =
        env == QLatin1String("<unset>") ? std::nullopt : std::optional<QString>(env);
    const auto options = parseAppOptions(args, password, &error);
    QVERIFY2(options, qPrintable(error));
    QVERIFY(!options->help);
    const AppSettings& s = options->settings;
    QCOMPARE((QStringList{s.database, s.user, s.password, s.clientLibrary}), expected);
}

void TestStartup::badOptions_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("unknown") << QStringList{"--banco", "x"};
    QTest::newRow("a password is never taken from the command line") << QStringList{"--password", "x"};
    QTest::newRow("missing value") << QStringList{"--database"};
    QTest::newRow("a bare argument") << QStringList{"dados.txt"};
    QTest::newRow("single dash") << QStringList{"-database", "x"};
}

void TestStartup::badOptions()
{
    QFETCH(QStringList, args);
    QString error;
    QVERIFY(!parseAppOptions(args, std::nullopt, &error));
    QVERIFY(!error.isEmpty());
}

namespace {
QString programPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../app/converter-banco");
}
} // namespace

void TestStartup::programExitCodes_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stdoutStart");
    QTest::addColumn<QString>("stderrStart");
    QTest::addColumn<QString>("locale");
    const QString en = QStringLiteral("C.UTF-8");
    const QString pt = QStringLiteral("pt_BR.UTF-8");
    QTest::newRow("unknown option") << QStringList{"--banco", "x"} << 2 << ""
                                    << "converter-banco: unknown option: --banco\nusage: converter-banco [--database DB]" << en;
    QTest::newRow("missing value") << QStringList{"--user"} << 2 << ""
                                   << "converter-banco: missing value after --user\nusage:" << en;
    QTest::newRow("help") << QStringList{"--help"} << 0 << "usage: converter-banco [--database DB] [--user NAME] [--client-library FILE]" << "" << en;
    QTest::newRow("-h") << QStringList{"-h"} << 0 << "usage: converter-banco [--database DB]" << "" << en;
    QTest::newRow("version") << QStringList{"--version"} << 0
                             << "converter-banco " CB_VERSION "\n" << "" << en;
    // On the terminal the program speaks the user's language, as the command does.
    QTest::newRow("unknown option, pt_BR") << QStringList{"--banco"} << 2 << ""
        << "converter-banco: opção desconhecida: --banco\nuso: converter-banco [--database BANCO]" << pt;
    QTest::newRow("help, pt_BR") << QStringList{"--help"} << 0
        << "uso: converter-banco [--database BANCO] [--user NOME] [--client-library ARQUIVO]" << "" << pt;
}

void TestStartup::programExitCodes()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, stdoutStart);
    QFETCH(QString, stderrStart);
    QFETCH(QString, locale);
    if (!QFileInfo::exists(programPath()))
        QSKIP("converter-banco is not built");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LANG"), locale);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(programPath(), args);
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), exitCode);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    const QString err = QString::fromUtf8(p.readAllStandardError());
    QVERIFY2(stdoutStart.isEmpty() ? out.isEmpty() : out.startsWith(stdoutStart), qPrintable(out));
    QVERIFY2(stderrStart.isEmpty() ? err.isEmpty() : err.startsWith(stderrStart), qPrintable(err));
}

namespace {
// Whether the process has the file open (Linux: its descriptors under /proc).
bool holdsFile(qint64 pid, const QString& path)
{
    const QString wanted = QFileInfo(path).canonicalFilePath();
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (fd.symLinkTarget() == wanted)
            return true;
    return false;
}
} // namespace

// A window told to end (the session logging out, a kill) once it has attached the database
// ends; the client library's own handler, put in place at its attach, used to keep it running.
void TestStartup::windowEndsWhenTerminated()
{
#ifndef Q_OS_LINUX
    QSKIP("finds the attach through /proc");
#endif
    if (!QFileInfo::exists(programPath()))
        QSKIP("converter-banco is not built");
    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ISC_PASSWORD"), TestDatabase::password());
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(programPath(), {QStringLiteral("--database"), db.attachString(), QStringLiteral("--user"),
                            TestDatabase::user(), QStringLiteral("--client-library"),
                            TestDatabase::clientLibrary()});
    QVERIFY(p.waitForStarted());
    // The embedded engine opens the file at the attach; the window then waits in its open
    // dialog.
    QTRY_VERIFY_WITH_TIMEOUT(holdsFile(p.processId(), db.path()), 120000);
    p.terminate();
    const bool ended = p.waitForFinished(60000);
    if (!ended)
        p.kill();
    QVERIFY2(ended, "the window kept running after SIGTERM");
}

void TestStartup::styleLookup_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("found");
    QTest::newRow("as named") << "Metro Black" << true;
    QTest::newRow("lower case") << "metro black" << true;
    QTest::newRow("upper case") << "METRO BLACK" << true;
    QTest::newRow("without the blank") << "MetroBlack" << false;
    QTest::newRow("another") << "Carbon" << false;
    QTest::newRow("empty") << "" << false;
}

void TestStartup::styleLookup()
{
    QFETCH(QString, name);
    QFETCH(bool, found);
    const StyleRegistry registry = StyleRegistry::builtIn();
    const VisualStyle* style = registry.find(name);
    QCOMPARE(style != nullptr, found);
    if (style)
        QCOMPARE(style->name, QStringLiteral("Metro Black"));
}

void TestStartup::missingStyle()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    const QPalette before = app->palette();
    const QString styleBefore = app->style()->name();
    ScriptedDialogs dialogs;
    dialogs.answer(MsgDlgBtn::Close);
    QVERIFY(!ApplyStyle(*app, StyleRegistry::builtIn(), QStringLiteral("Carbon"), dialogs));
    QCOMPARE(dialogs.log().size(), 1);
    const ShownDialog& shown = dialogs.log().first();
    QCOMPARE(shown.kind, Kind::MessageDialog);
    QCOMPARE(shown.text, QStringLiteral("Style 'Carbon' not found"));
    QCOMPARE(shown.type, MsgDlgType::Error);
    QCOMPARE(shown.buttons, QList<MsgDlgBtn>{MsgDlgBtn::Close});
    QCOMPARE(app->palette(), before);
    QCOMPARE(app->style()->name(), styleBefore);
    QVERIFY(app->styleSheet().isEmpty());
}

void TestStartup::metroBlackApplies()
{
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    ScriptedDialogs dialogs;
    QVERIFY(ApplyStyle(*app, StyleRegistry::builtIn(), QStringLiteral("metro black"), dialogs));
    QVERIFY(dialogs.log().isEmpty());
    QVERIFY(app->palette().color(QPalette::Window).lightness() < 64);
    QVERIFY(app->palette().color(QPalette::WindowText).lightness() > 192);
    QVERIFY(app->styleSheet().contains(QLatin1String("QPushButton")));
    app->setStyleSheet(QString()); // uncovers the base style under the sheet
    QCOMPARE(app->style()->metaObject()->className(), "QFusionStyle");
}

void TestStartup::messageDialogSetUp_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("shownTitle");
    QTest::newRow("error") << int(MsgDlgType::Error) << "" << int(QMessageBox::Critical) << "Error";
    QTest::newRow("error, titled") << int(MsgDlgType::Error) << "Error" << int(QMessageBox::Critical) << "Error";
    QTest::newRow("warning") << int(MsgDlgType::Warning) << "" << int(QMessageBox::Warning) << "Warning";
    QTest::newRow("information") << int(MsgDlgType::Information) << "" << int(QMessageBox::Information) << "Information";
    QTest::newRow("confirmation") << int(MsgDlgType::Confirmation) << "" << int(QMessageBox::Question) << "Confirm";
    QTest::newRow("custom") << int(MsgDlgType::Custom) << "" << int(QMessageBox::NoIcon)
                            << QtDialogs::applicationTitle();
}

void TestStartup::messageDialogSetUp()
{
    QFETCH(int, type);
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QString, shownTitle);
    QMessageBox box;
    setUpMessageDialog(box, QStringLiteral("Deseja importar?"), MsgDlgType(type),
                       {MsgDlgBtn::Yes, MsgDlgBtn::Cancel}, MsgDlgBtn::Yes, title,
                       {QStringLiteral("&Yes"), QStringLiteral("Cancel")});
    QCOMPARE(int(box.icon()), icon);
    QCOMPARE(box.windowTitle(), shownTitle);
    QCOMPARE(box.text(), QStringLiteral("Deseja importar?"));
    const QList<QAbstractButton*> buttons = box.buttons();
    QCOMPARE(buttons.size(), 2);
    QStringList captions;
    for (QAbstractButton* b : buttons)
        captions.append(b->text());
    captions.sort();
    QCOMPARE(captions, (QStringList{"&Yes", "Cancel"}));
    QVERIFY(box.defaultButton());
    QCOMPARE(box.defaultButton()->text(), QStringLiteral("&Yes"));
}

namespace {

// Runs check on the modal box once it is up, then presses the button named by caption (or
// closes the box with Escape when caption is empty).
void whenModal(std::function<void(QMessageBox&)> check, const QString& caption)
{
    QTimer::singleShot(0, [check, caption] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        check(*box);
        if (!caption.isEmpty()) {
            for (QAbstractButton* b : box->buttons())
                if (b->text().remove(u'&') == QString(caption).remove(u'&')) {
                    b->click();
                    return;
                }
            QTest::qFail("no such button", __FILE__, __LINE__);
        }
        box->reject(); // never leave a modal box open
    });
}

} // namespace

void TestStartup::plainMessageAndErrorBox()
{
    QtDialogs dialogs;
    bool checked = false;
    whenModal([&](QMessageBox& box) {
        QCOMPARE(box.icon(), QMessageBox::NoIcon);
        QCOMPARE(box.text(), QStringLiteral("Carregando Banco em Texto :)"));
        QCOMPARE(box.buttons().size(), 1);
        QCOMPARE(box.standardButton(box.buttons().first()), QMessageBox::Ok);
        checked = true;
    }, QStringLiteral("&OK"));
    dialogs.showMessage(QStringLiteral("Carregando Banco em Texto :)"));
    QVERIFY(checked);

    checked = false;
    whenModal([&](QMessageBox& box) {
        QCOMPARE(box.icon(), QMessageBox::Critical);
        QCOMPARE(box.text(), QStringLiteral("Falhou."));
        checked = true;
    }, QStringLiteral("&OK"));
    dialogs.showError(QStringLiteral("Falhou"));
    QVERIFY(checked);
}

void TestStartup::messageDialogAnswers()
{
    QtDialogs dialogs;
    const QList<MsgDlgBtn> okCancel{MsgDlgBtn::OK, MsgDlgBtn::Cancel};
    whenModal([](QMessageBox&) {}, QStringLiteral("&OK"));
    QCOMPARE(dialogs.messageDialog(QStringLiteral("Zerar?"), MsgDlgType::Error, okCancel,
                                   MsgDlgBtn::OK, QStringLiteral("Error")),
             MsgDlgBtn::OK);
    whenModal([](QMessageBox&) {}, QString()); // closed without a button
    QCOMPARE(dialogs.messageDialog(QStringLiteral("Zerar?"), MsgDlgType::Error, okCancel,
                                   MsgDlgBtn::OK),
             MsgDlgBtn::Cancel);
    whenModal([](QMessageBox&) {}, QStringLiteral("&Yes"));
    QCOMPARE(dialogs.messageDialog(QStringLiteral("Importar?"), MsgDlgType::Custom,
                                   {MsgDlgBtn::Yes, MsgDlgBtn::Cancel}, MsgDlgBtn::Yes, {},
                                   {QStringLiteral("&Yes"), QStringLiteral("Cancel")}),
             MsgDlgBtn::Yes);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
