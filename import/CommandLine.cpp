#include "CommandLine.h"

#include <QCoreApplication>

namespace {

const OptionSpec* specNamed(const QList<OptionSpec>& specs, const QString& name)
{
    for (const OptionSpec& known : specs)
        if (known.names.contains(name))
            return &known;
    return nullptr;
}

// "--name=value" splits at the first "=": a value may hold more of them.
struct Word {
    QString option;
    std::optional<QString> inlineValue;
};

Word splitWord(const QString& argument)
{
    const qsizetype eq = argument.indexOf(u'=');
    if (argument.startsWith(QLatin1String("--")) && eq > 2)
        return {argument.left(eq), argument.mid(eq + 1)};
    return {argument, std::nullopt};
}

} // namespace

std::optional<ParsedOptions> parseOptions(const QStringList& arguments, const QList<OptionSpec>& specs,
                                          QString* error)
{
    ParsedOptions parsed;
    for (int i = 0; i < arguments.size(); ++i) {
        const Word word = splitWord(arguments[i]);
        if (!word.option.startsWith(u'-') || word.option == QLatin1String("-")) {
            parsed.positional.append(arguments[i]);
            continue;
        }
        if (word.option == QLatin1String("--help") || word.option == QLatin1String("-h")) {
            parsed.help = true;
            continue;
        }
        const OptionSpec* known =
            word.option.startsWith(QLatin1String("--")) ? specNamed(specs, word.option.mid(2)) : nullptr;
        if (!known) {
            *error = QCoreApplication::translate("CommandLine", "unknown option: ") + arguments[i];
            return std::nullopt;
        }
        if (!known->takesValue && word.inlineValue) {
            *error = QCoreApplication::translate("CommandLine", "unexpected value after ") + word.option;
            return std::nullopt;
        }
        std::optional<QString> value = known->takesValue ? word.inlineValue : QString();
        if (!value) {
            if (i + 1 >= arguments.size()) {
                *error = QCoreApplication::translate("CommandLine", "missing value after ") + word.option;
                return std::nullopt;
            }
            value = arguments[++i];
        }
        parsed.given.insert(known->names.first(), *value);
    }
    return parsed;
}

QList<OptionSpec> connectionOptionSpecs()
{
    return {{{QStringLiteral("database")}, true},
            {{QStringLiteral("user")}, true},
            {{QStringLiteral("client-library")}, true}};
}

AppSettings connectionSettings(const ParsedOptions& options, const std::optional<QString>& iscPassword)
{
    AppSettings settings;
    if (options.isSet(QStringLiteral("database")))
        settings.database = options.value(QStringLiteral("database"));
    if (options.isSet(QStringLiteral("user")))
        settings.user = options.value(QStringLiteral("user"));
    if (options.isSet(QStringLiteral("client-library")))
        settings.clientLibrary = options.value(QStringLiteral("client-library"));
    if (iscPassword)
        settings.password = *iscPassword;
    return settings;
}

std::optional<QString> iscPasswordFromEnvironment()
{
    if (!qEnvironmentVariableIsSet("ISC_PASSWORD"))
        return std::nullopt;
    return qEnvironmentVariable("ISC_PASSWORD");
}
