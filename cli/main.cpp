// converter-banco-import: the full import without a window, for unattended use (a script
// moving a shop's catalogue, a rehearsal over a remote shell, the demo). It loads the source
// as the window does, answers the run's questions from the command line and prints what
// happened.
#include "CliOptions.h"
#include "CommandLine.h"
#include "FullImportRun.h"
#include "ImportCommand.h"
#include "platform/InterruptSignals.h"
#include "RunMessages.h"
#include "ToolCommands.h"
#include "Translations.h"
#include "VersionText.h"

#include <QCoreApplication>

namespace {

const QString Program = QStringLiteral("converter-banco-import: ");

} // namespace

int main(int argc, char** argv)
{
    platform::keepStandardDescriptorsOpen();
    platform::InterruptSignals interrupts;
    QCoreApplication app(argc, argv);
    installTranslations(app, messageLanguage());
    CliOptions options;
    try {
        options = parseCliOptions(app.arguments(), iscPasswordFromEnvironment());
    } catch (const UsageError& e) {
        printText(stderr, Program + e.message() + u'\n'
                              + QCoreApplication::translate("main", "(--help lists the options)")
                              + u'\n');
        return Failure;
    }
    if (options.help) {
        printText(stdout, cliUsage());
        return AllImported;
    }
    if (options.version) {
        printText(stdout, versionText(QStringLiteral("converter-banco-import"),
                                      options.connection.clientLibrary));
        return AllImported;
    }
    try {
        return runChosenCommand(options, interrupts);
    } catch (const std::exception& e) {
        QString message = inUserLanguage(errorMessage(e));
        if (dynamic_cast<const DatabaseInUse*>(&e) && options.waitSeconds == 0)
            message += u'\r' + QCoreApplication::translate("main", "(--wait SECONDS tries again for that long)");
        message.replace(u'\r', u'\n');
        printText(stderr, Program + message.trimmed() + u'\n');
        return Failure;
    }
}
