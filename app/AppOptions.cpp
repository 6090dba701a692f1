#include "AppOptions.h"

#include "CommandLine.h"

#include <QCoreApplication>

std::optional<AppOptions> parseAppOptions(const QStringList& arguments,
                                          const std::optional<QString>& iscPassword,
                                          QString* error)
{
    QList<OptionSpec> specs = connectionOptionSpecs();
    specs.append({{QStringLiteral("version")}, false});
    const std::optional<ParsedOptions> parsed = parseOptions(arguments, specs, error);
    if (!parsed)
        return std::nullopt;
    // The window opens no file from the command line: a bare word is a mistyped option.
    if (!parsed->positional.isEmpty()) {
        *error = QCoreApplication::translate("CommandLine", "unknown option: ") + parsed->positional.first();
        return std::nullopt;
    }
    return AppOptions{connectionSettings(*parsed, iscPassword), parsed->help,
                      parsed->isSet(QStringLiteral("version"))};
}

QString appUsage(const QString& programName)
{
    return QCoreApplication::translate(
               "AppOptions",
               "usage: %1 [--database DB] [--user NAME] [--client-library FILE]\n"
               "  --database DB          database to attach (default %2)\n"
               "  --user NAME            user name (default %3)\n"
               "  --client-library FILE  Firebird client library (default %4)\n"
               "  -h, --help             this text\n"
               "  --version              the version\n"
               "The password is taken from the environment variable ISC_PASSWORD when it is set.\n")
        .arg(programName, AppSettings{}.database, AppSettings{}.user, AppSettings{}.clientLibrary);
}
