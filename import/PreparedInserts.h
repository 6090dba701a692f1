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

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class DatabaseConnection;

// What the inserts of a run share: their table and columns.
struct InsertShape {
    QStringList headLines; // the statement's lines before its values, as written
    QString head;          // the same joined
    QString table;
    QStringList columns;
};

struct BindableInsert {
    std::shared_ptr<const InsertShape> shape;
    QByteArray bytes;               // the values line in the code page; the texts point into it
    std::vector<BoundValue> values; // one for each column
};

// The insert's table, columns and values, read from the lines the statement builder wrote;
// nothing when a value cannot be bound as its literal reads. With a cache, an insert of the
// same table and columns as the one before shares its shape.
std::optional<BindableInsert> bindableInsert(const QStringList& lines,
                                            std::shared_ptr<const InsertShape>* cache = nullptr);

class PreparedInserts {
public:
    // The engine's work on one execution grows faster than its rows: near, where a round
    // trip costs nothing, small blocks are cheapest; far, every block is a round trip.
    static constexpr int RowsNear = 10;
    static constexpr int MostRows = 250; // a request holds at most 255 table contexts
    static constexpr int RowsFar = MostRows;
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

    // The block's text; a column with a literal is written with it in every insert, the
    // others are parameters.
    static QByteArray blockText(const InsertShape& shape, int rows, const std::vector<QByteArray>& literals);
    // The literal a bound value was read from, in a form the server reads as the same value
    // of the same type ("0.5" for ".5").
    static QByteArray literalOf(const BoundValue& value);

    // bindableInsert() with this batch's cache of the shape.
    std::optional<BindableInsert> bind(const QStringList& lines) { return bindableInsert(lines, &m_lastShape); }

private:
    // A prepared block and the columns it writes as literals (texts point into literals).
    struct Block {
        std::unique_ptr<PreparedStatement> statement;
        std::vector<QByteArray> literals; // per column; empty: a parameter
        std::vector<QByteArray> texts;    // the fixed texts' bytes
        std::vector<std::optional<BoundValue>> fixed;
        bool fits(const BindableInsert& row) const;
    };
    bool prepare(Block& block, const std::vector<const BindableInsert*>& rows, bool keepConstants);
    bool execute(Block& block, const std::vector<const BindableInsert*>& rows);
    DatabaseConnection& m_connection;
    int m_rows;
    bool m_refused = false;
    std::shared_ptr<const InsertShape> m_shape; // of the prepared blocks
    std::shared_ptr<const InsertShape> m_lastShape;
    // The first batch's constants (the unit, the tax codes, the date...) written as the
    // rows' own literals, so only the other columns travel; and every column a parameter,
    // for a batch whose constants differ.
    Block m_constants;
    Block m_general;
    std::vector<BoundValue> m_values;
};
