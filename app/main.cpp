// Start-up: read the command line, apply the style, show the main window, run the loop.
#include "AppOptions.h"
#include "CbVersion.h"
#include "CommandLine.h"
#include "QtDialogs.h"
#include "RegionalSettings.h"
#include "StyleRegistry.h"
#include "TahomaFont.h"
#include "Translations.h"
#include "TFrmConverterBancoQelExcel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

namespace {

// What the program says on the terminal (its usage, a mistyped option, its version) needs no
// window; the words are read again with the catalogue of the user's language in place.
int answerOnTerminal(char** argv, const QStringList& arguments)
{
    int coreArgc = 1;
    QCoreApplication core(coreArgc, argv);
    installTranslations(core, messageLanguage());
    const QString program = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    QString error;
    const std::optional<AppOptions> options = parseAppOptions(arguments, iscPasswordFromEnvironment(), &error);
    if (!options) {
        std::fprintf(stderr, "%s: %s\n%s", qPrintable(program), qPrintable(error),
                     qPrintable(appUsage(program)));
        return 2;
    }
    if (options->help)
        std::fputs(qPrintable(appUsage(program)), stdout);
    else
        std::printf("converter-banco %s\n", CB_VERSION);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Our options are read before Qt sees the command line: Qt's own options would
    // otherwise be taken for ours, or ours for typing mistakes. Qt is set up through its
    // environment variables (QT_QPA_PLATFORM and the like).
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    QString error;
    const std::optional<AppOptions> options = parseAppOptions(arguments, iscPasswordFromEnvironment(), &error);
    if (!options || options->help || options->version)
        return answerOnTerminal(argv, arguments);

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    registerTahoma();
    // Qt's file dialogs and the readers' error texts follow the locale; the window's own
    // texts and dialog buttons are set as designed and stay as they are.
    installTranslations(app, messageLanguage());
    QtDialogs dialogs;
    ApplyStyle(app, StyleRegistry::builtIn(), QStringLiteral("Metro Black"), dialogs);

    // A top-level window of its own, so it has its own taskbar entry.
    TFrmConverterBancoQelExcel window(options->settings, dialogs, RegionalSettings::system());
    dialogs.setParentWindow(&window);
    window.show();
    return app.exec();
}
