#pragma once
// A statement given as the bytes the database is to read, run in the connection's default
// transaction. Unlike a statement component's text it is not converted from Unicode, so a
// script's literals arrive in the database's own bytes; and no auto-commit rule applies:
// the work stays pending until the caller commits or rolls back.
#include <QByteArray>
#include <functional>

class DatabaseConnection;

class StatementBytes {
public:
    // Connects a closed connection, prepares sql and asks its type; executes it when
    // allowed(type) says so, else raises GeneralError "Statement of type N not allowed here"
    // without executing it. Raises EngineError for what the database refuses. Returns the
    // type (isc_info_sql_stmt_*).
    static int execute(DatabaseConnection& connection, const QByteArray& sql,
                       const std::function<bool(int type)>& allowed);
};
