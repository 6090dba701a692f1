#pragma once
// The window's command line, which may change the connection settings. Without options
// the built-in settings (BuiltInSettings.h) hold exactly.
#include "BuiltInSettings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

struct AppOptions {
    AppSettings settings;
    bool help = false;    // --help: print the usage and end with success
    bool version = false; // --version: print the version and end with success
};

// Parses the arguments after the program name. iscPassword is the value of ISC_PASSWORD,
// or nullopt when the variable is not set. Returns nullopt on an unknown option or a
// missing value, with the reason in *error.
std::optional<AppOptions> parseAppOptions(const QStringList& arguments,
                                          const std::optional<QString>& iscPassword,
                                          QString* error);

QString appUsage(const QString& programName);
