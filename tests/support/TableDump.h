#pragma once
// A table's rows as bytes, read through the tool's own select: every value as the engine
// holds it (text and blob bytes, unscaled numbers with their scale, the bits of a double,
// dates and times in the engine's units, NULLs marked), so two dumps are equal exactly when
// the rows are.
#include <QByteArray>
#include <QString>

// Connects to the database (the test user), runs select and dumps what it returns;
// error holds the message when that fails (the dump is then empty).
QByteArray dumpRows(const QString& database, const QByteArray& select, QString* error = nullptr);

// The dump of one row per line, readable, for a failure message.
QString describeDump(const QString& database, const QByteArray& select);
