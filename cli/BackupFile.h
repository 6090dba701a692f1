#pragma once
// --backup FILE: every row of the product table, read in the run's transaction before the
// wipe, as a script that puts the table back.
#include <QString>

class DatabaseConnection;

// Writes the whole script aside and puts it in place only when every byte is on disk; a
// backup that cannot be written completely raises, and FILE is left as it was. Returns the
// rows written.
qint64 WriteBackupFile(DatabaseConnection& connection, const QString& fileName);
