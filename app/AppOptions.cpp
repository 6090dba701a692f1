#include "AppOptions.h"

namespace {

QString* targetOf(AppSettings& s, const QString& option)
{
    if (option == QLatin1String("--database"))
        return &s.database;
    if (option == QLatin1String("--user"))
        return &s.user;
    if (option == QLatin1String("--client-library"))
        return &s.clientLibrary;
    return nullptr;
}

} // namespace

std::optional<AppOptions> parseAppOptions(const QStringList& arguments,
                                          const std::optional<QString>& iscPassword,
                                          QString* error)
{
    AppOptions options;
    if (iscPassword)
        options.settings.password = *iscPassword;
    for (int i = 0; i < arguments.size(); ++i) {
        QString option = arguments[i];
        std::optional<QString> value;
        const qsizetype eq = option.indexOf(u'=');
        if (option.startsWith(QLatin1String("--")) && eq > 2) {
            value = option.mid(eq + 1);
            option.truncate(eq);
        }
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            options.help = true;
            continue;
        }
        if (option == QLatin1String("--version")) {
            options.version = true;
            continue;
        }
        QString* target = targetOf(options.settings, option);
        if (!target) {
            *error = QStringLiteral("unknown option: ") + arguments[i];
            return std::nullopt;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                *error = QStringLiteral("missing value after ") + option;
                return std::nullopt;
            }
            value = arguments[++i];
        }
        *target = *value;
    }
    return options;
}

QString appUsage(const QString& programName)
{
    return QStringLiteral(
               "usage: %1 [--database DB] [--user NAME] [--client-library FILE]\n"
               "  --database DB          database to attach (default %2)\n"
               "  --user NAME            user name (default %3)\n"
               "  --client-library FILE  Firebird client library (default %4)\n"
               "  -h, --help             this text\n"
               "  --version              the version\n"
               "The password is taken from the environment variable ISC_PASSWORD when it is set.\n")
        .arg(programName, AppSettings{}.database, AppSettings{}.user, AppSettings{}.clientLibrary);
}
