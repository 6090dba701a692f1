#pragma once
// A table's rows written as a script that puts the table back as it was: isql plays it
// (isql-fb -i FILE DATABASE), and so does PlayTableScript. The script deletes every row of
// the table, inserts each saved row with every stored column, and commits; isql stops at
// the first error without committing, so a failed restore changes nothing.
//
// Values come back identical: text in the database's own bytes (quotes doubled, control
// characters but line feed and tab as ascii_char(n)), binary values (OCTETS, binary blobs)
// as hex literals; exact numbers with their scale; floating-point numbers with enough
// digits to give the same bits; dates and times to the ten-thousandth of a second; NULL as
// NULL.
#include "SqlValue.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

class DatabaseConnection;
class QIODevice;

// Every stored column of table (a name without quotes; upper case is used) in the order
// of its definition, computed columns left out. Raises GeneralError when the table does not
// exist.
std::vector<QByteArray> StoredColumns(DatabaseConnection& connection, const QString& table);

// Writes the script for every row of table to out, reading inside the connection's default
// transaction; heading is put in a comment on top. Returns the rows written. Raises
// GeneralError when out refuses a write or a value cannot be written as a literal, and what
// the database raises; what was written by then is incomplete.
qint64 WriteTableScript(DatabaseConnection& connection, const QString& table, QIODevice& out,
                        const QString& heading);

// The literal that gives value back in a column of that kind.
// Raises GeneralError for a value no literal can carry (an infinite number, a text longer
// than a literal may be).
QByteArray SqlLiteral(const SqlColumn& column, const SqlValue& value);

struct ScriptStatement {
    QByteArray text; // without its ";", blanks around it trimmed
    int line = 0;    // 1-based line where it starts
};

// The statements of a script, split at ";" outside quotes and comments; comments are left
// in the text, empty statements dropped.
std::vector<ScriptStatement> ScriptStatements(const QByteArray& script);

// Plays a script made by WriteTableScript into table, in the connection's default
// transaction, leaving the work pending (the caller commits or rolls back). Only what such a
// script holds is played: isql's SET commands and COMMIT are passed over, and every other
// statement must be a delete from or an insert into table; anything else raises
// GeneralError naming its line, before or without executing it. Returns the rows inserted.
qint64 PlayTableScript(DatabaseConnection& connection, const QString& table, const QByteArray& script);
