#include "AppOptions.h"

#include "CommandLine.h"

std::optional<AppOptions> parseAppOptions(const QStringList& arguments,
                                          const std::optional<QString>& iscPassword,
                                          QString* error)
{
    const std::optional<ParsedOptions> parsed = parseOptions(arguments, connectionOptionSpecs(), error);
    if (!parsed)
        return std::nullopt;
    // The window opens no file from the command line: a bare word is a mistyped option.
    if (!parsed->positional.isEmpty()) {
        *error = QStringLiteral("unknown option: ") + parsed->positional.first();
        return std::nullopt;
    }
    return AppOptions{connectionSettings(*parsed, iscPassword), parsed->help};
}

QString appUsage(const QString& programName)
{
    return QStringLiteral(
               "usage: %1 [--database DB] [--user NAME] [--client-library FILE]\n"
               "  --database DB          database to attach (default %2)\n"
               "  --user NAME            user name (default %3)\n"
               "  --client-library FILE  Firebird client library (default %4)\n"
               "The password is taken from the environment variable ISC_PASSWORD when it is set.\n")
        .arg(programName, AppSettings{}.database, AppSettings{}.user, AppSettings{}.clientLibrary);
}
