#include "BuiltInSettings.h"

#include "DatabaseConnection.h"

void ApplyConnectionSettings(DatabaseConnection& connection, const AppSettings& settings)
{
    connection.Database = settings.database;
    connection.ClientLibrary = settings.clientLibrary;
    connection.Username = settings.user;
    connection.Password = settings.password;
}
