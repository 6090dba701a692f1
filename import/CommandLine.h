#pragma once
// The one option parser of both programs, and the connection options they share. Options are
// "--name VALUE", "--name=VALUE" or a bare "--name" flag; "--help" and "-h" ask for the usage.
// Anything else that starts with "-" is refused, so that a mistyped option is never taken
// for a file name.
#include "BuiltInSettings.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

struct OptionSpec {
    QStringList names; // without the dashes; the first is the one results are kept under
    bool takesValue = false;
};

struct ParsedOptions {
    bool help = false;
    QStringList positional;
    QHash<QString, QString> given; // by first name: the last value (empty for a flag)

    bool isSet(const QString& name) const { return given.contains(name); }
    QString value(const QString& name) const { return given.value(name); }
};

// nullopt with the reason in *error ("unknown option: --x", "missing value after --user").
std::optional<ParsedOptions> parseOptions(const QStringList& arguments, const QList<OptionSpec>& specs,
                                          QString* error);

// --database, --user and --client-library, which both programs take.
QList<OptionSpec> connectionOptionSpecs();
// The built-in settings with the connection options given, and the password from
// ISC_PASSWORD (iscPassword) when it is set.
AppSettings connectionSettings(const ParsedOptions& options, const std::optional<QString>& iscPassword);
// The value of ISC_PASSWORD, or nullopt when it is not set (an empty one counts as set).
std::optional<QString> iscPasswordFromEnvironment();
