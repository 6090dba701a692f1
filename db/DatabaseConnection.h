#pragma once
// One connection to a Firebird database with its single default transaction.
// Public API used by the rest of the tool; the implementation may add private members.
#include <QString>
#include <memory>

class SqlQuery;
class DefaultTransaction;

class DatabaseConnection {
public:
    DatabaseConnection();
    ~DatabaseConnection(); // disconnects: rolls back pending work (errors ignored), detaches
    DatabaseConnection(const DatabaseConnection&) = delete;
    DatabaseConnection& operator=(const DatabaseConnection&) = delete;

    // Settings, read at connect.
    QString Database;
    QString ClientLibrary; // default: the platform's client library name ("libfbclient.so.2")
    QString Username;
    QString Password;
    int SQLDialect = 3;
    bool AutoCommit = true;
    QString CharacterSet; // empty: no isc_dpb_lc_ctype item
    QString Role;         // empty: no isc_dpb_sql_role_name item
    QString Server;       // empty: the Database text is the attach string

    bool Connected() const;
    void setConnected(bool connected); // true connects (no-op when connected), false disconnects
    void Commit();
    // Drops the pending work of the default transaction; a refusal (the server gone, say)
    // is ignored, as at disconnect.
    void rollbackQuietly() noexcept;
    // Drops the pending work on purpose (a rehearsal that must leave the database as it
    // was). Nothing happens when no work is pending. Whatever the library answers, nothing
    // of that work can be committed afterwards: the handle is given up either way.
    void Rollback();

    int dialect() const; // the smaller of SQLDialect and the database's own, once connected
    // Once connected: true when a server opens the database and every statement is a round
    // trip away, false when the engine in this process opens the file itself.
    bool throughServer() const;
    DefaultTransaction& defaultTransaction();

private:
    friend class SqlQuery;
    friend class SelectQuery;
    friend class StatementBytes;
    friend class PreparedStatement;
    struct Impl;
    std::unique_ptr<Impl> d;
};
