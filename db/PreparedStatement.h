#pragma once
// A statement prepared once in the connection's default transaction and executed many
// times, each time with its own values. The values are bound in the form their literals
// have in a statement text (a string, an exact number with its scale, NULL), so the server
// converts each to its parameter's type exactly as it converts the literal. The work stays
// pending until the caller commits.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>
#include <vector>

class DatabaseConnection;

// A value for one execution. Text points at bytes its owner keeps until the execution.
struct BoundValue {
    enum class Kind { Null, Text, Exact };
    Kind kind = Kind::Null;
    const char* text = nullptr; // Text: the bytes, as the database reads them (no character set)
    int length = 0;             // at most 32767
    qint64 digits = 0;          // Exact: the value without its decimal point...
    int scale = 0;              // ...and the power of ten it carries (-2 for "12.50")

    static BoundValue textAt(const char* text, int length) { return {Kind::Text, text, length, 0, 0}; }
    static BoundValue exact(qint64 digits, int scale) { return {Kind::Exact, nullptr, 0, digits, scale}; }
};

class PreparedStatement {
public:
    // Connects a closed connection and prepares sql, given as the bytes the database is to
    // read. Raises EngineError for what the database refuses.
    PreparedStatement(DatabaseConnection& connection, const QByteArray& sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    int parameterCount() const;
    // One value for each parameter, in order. Raises EngineError for what the database
    // refuses; the engine has then undone the whole execution.
    void execute(const std::vector<BoundValue>& values);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
