#pragma once
// The connection settings built into the tool: what the window and the unattended import use
// when no option overrides them. The password never comes from the command line (it would
// show in the process list); ISC_PASSWORD overrides it when set.
#include <QString>

struct AppSettings {
    QString database = QStringLiteral("C:\\Tallyworks\\Server\\bd\\base.fdb");
    QString user = QStringLiteral("SYSDBA");
    QString password = QStringLiteral("quillmark");
    QString clientLibrary = QStringLiteral("libfbclient.so.2");
};

class DatabaseConnection;

// Points the connection at the settings' database, user, password and client library; it
// attaches on first use.
void ApplyConnectionSettings(DatabaseConnection& connection, const AppSettings& settings);
