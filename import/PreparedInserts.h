#pragma once
// Full batches of the run's inserts as one "execute block" prepared once: each execution
// carries a batch's values as parameters, so the server neither reads nor compiles the
// inserts again, and a far database costs one round trip a batch. Each value is bound in
// the form of its literal in the insert's text (a string, an exact number with its scale)
// and declared with its column's own type, so the server converts it exactly as it
// converts that literal; an insert with a value that cannot be bound so (a number of more
// than 18 digits or with an exponent, a string of more than 32767 bytes, a character the
// code page lacks) is not bindable and goes the literal way.
#include "PreparedStatement.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class DatabaseConnection;

struct BindableInsert {
    QString table;
    QStringList columns;
    std::vector<BoundValue> values; // one for each column
};

// The insert's table, columns and values, read from the lines the statement builder wrote;
// nothing when a value cannot be bound as its literal reads.
std::optional<BindableInsert> bindableInsert(const QStringList& lines);

class PreparedInserts {
public:
    static constexpr int RowsPerBlock = 100;
    // Batches of rowsPerBlock rows. Nothing is prepared before the first batch.
    PreparedInserts(DatabaseConnection& connection, int rowsPerBlock);
    ~PreparedInserts();
    PreparedInserts(const PreparedInserts&) = delete;
    PreparedInserts& operator=(const PreparedInserts&) = delete;

    int rowsPerBlock() const { return m_rows; }
    // Inserts the rows (rowsPerBlock of them, all into the same columns) in one execution.
    // False when the database refused it, for whatever reason: the engine undid the
    // execution whole, and the rows must go the literal way, which tells a row's error
    // from the run's. False too, for this and every later batch, when the server refuses
    // the block itself (an older server, a statement too long). Other errors pass through.
    bool send(const std::vector<const BindableInsert*>& rows);

    static QString blockText(const BindableInsert& shape, int rows);

private:
    bool prepare(const BindableInsert& shape);
    DatabaseConnection& m_connection;
    int m_rows;
    bool m_refused = false;
    QString m_table;
    QStringList m_columns;
    std::unique_ptr<PreparedStatement> m_statement;
    std::vector<BoundValue> m_values;
};
