#pragma once
// A statement component: SQL text held as a list of lines, executed in the connection's
// default transaction. Every execution allocates, prepares, executes and frees.
#include <QString>
#include <QStringList>
#include <memory>

class DatabaseConnection;
class SqlQuery;

// The SQL line list; every change closes the owner, drops a prepared statement and
// rescans parameters.
class SqlLines {
public:
    void Clear();
    void Add(const QString& line);
    const QStringList& lines() const { return m_lines; }
    int Count() const { return int(m_lines.size()); }

private:
    friend class SqlQuery;
    explicit SqlLines(SqlQuery& owner) : m_owner(owner) {}
    SqlQuery& m_owner;
    QStringList m_lines;
};

class SqlQuery {
public:
    explicit SqlQuery(DatabaseConnection& connection);
    ~SqlQuery();
    SqlQuery(const SqlQuery&) = delete;
    SqlQuery& operator=(const SqlQuery&) = delete;

    SqlLines& SQL() { return m_sql; }
    const SqlLines& SQL() const { return m_sql; }
    bool AutoCommit = true;
    bool ParamCheck = true;

    void Close();
    void ExecSQL();
    void Open(); // raises NoRowsError ("SQL statement doesn't return rows") after executing a non-select

    // The text as it is sent to the server: lines joined with CR LF, characters below 33
    // removed from the end, parameter markers replaced by "?".
    QString finalText() const;
    QStringList paramNames() const;

private:
    friend class SqlLines;
    void textChanged();
    struct Impl;
    SqlLines m_sql{*this};
    std::unique_ptr<Impl> d;
};
