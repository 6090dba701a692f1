#pragma once
// Reading rows: a select prepared and executed in the connection's default transaction
// (started by it when inactive, and left active as every statement leaves it), its result
// columns described and fetched row by row. The cursor, the statement and the descriptors
// are released when the query ends, also after an error. The text is sent as the bytes
// given, so names and literals reach the database exactly as written.
#include "SqlValue.h"

#include <QByteArray>
#include <memory>
#include <vector>

class DatabaseConnection;

class SelectQuery {
public:
    // Connects a closed connection, prepares and executes select. Raises EngineError for
    // what the database refuses, GeneralError "SQL statement doesn't return rows" for a
    // statement without result columns (nothing of it is executed) and "Unsupported
    // column type ..." for a column it cannot read.
    SelectQuery(DatabaseConnection& connection, const QByteArray& select);
    ~SelectQuery();
    SelectQuery(const SelectQuery&) = delete;
    SelectQuery& operator=(const SelectQuery&) = delete;

    const std::vector<SqlColumn>& columns() const;

    // The next row, blobs read whole; false after the last one.
    bool fetch();
    // The values of the row fetched last, one per column.
    const std::vector<SqlValue>& row() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
