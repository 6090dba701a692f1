#pragma once
// The connection settings the window uses, and the command line that may change them.
// Without options the built-in settings hold exactly. The password never comes from the
// command line (it would show in the process list); ISC_PASSWORD overrides it when set.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

struct AppSettings {
    QString database = QStringLiteral("C:\\Tallyworks\\Server\\bd\\base.fdb");
    QString user = QStringLiteral("SYSDBA");
    QString password = QStringLiteral("quillmark");
    QString clientLibrary = QStringLiteral("libfbclient.so.2");
};

struct AppOptions {
    AppSettings settings;
    bool help = false; // --help: print the usage and end with success
};

// Parses the arguments after the program name. iscPassword is the value of ISC_PASSWORD,
// or nullopt when the variable is not set. Returns nullopt on an unknown option or a
// missing value, with the reason in *error.
std::optional<AppOptions> parseAppOptions(const QStringList& arguments,
                                          const std::optional<QString>& iscPassword,
                                          QString* error);

QString appUsage(const QString& programName);
