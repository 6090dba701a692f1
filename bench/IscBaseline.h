#pragma once
// The limit for an import that sends one statement text per row: the same texts through
// the bare client library, with the call sequence the database layer makes for each of
// them (allocate, prepare, type inquiry, execute, free) and one commit at the end. The
// plain isc_ entry points of ibase.h, with nothing of the tool's database layer between.
#include "BenchSupport.h"

#include <QByteArray>

#include <vector>

// Attaches to the database file (embedded), runs every statement in one read-committed,
// no-wait write transaction and commits. Returns the seconds from the transaction's start
// to the end of the commit; raises std::runtime_error with the library's text on failure.
Elapsed RunIscBaseline(const QByteArray& database, const QByteArray& user,
                      const QByteArray& password, const std::vector<QByteArray>& statements);

// The limit of any import of these rows: one insert with 22 parameters prepared once and
// executed for every row, each value bound as text (the server converts it as it converts
// the literal), one commit. database may name a server ("host/port:path"). Returns the
// time from the transaction's start to the end of the commit.
Elapsed RunPreparedLoop(const QByteArray& database, const QByteArray& user,
                        const QByteArray& password, const std::vector<std::vector<QByteArray>>& rows);
