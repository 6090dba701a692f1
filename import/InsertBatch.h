#pragma once
// The run's insert statements sent many at a time, for a database far away: one round trip
// carries a whole batch instead of two per row. A batch first goes as one plain
// "execute block" of its inserts: most batches hold no failing row, and then that one cheap
// statement is all. A statement that fails is undone whole, so a failed plain block leaves
// nothing behind; the same inserts then go again, each in its own block with its own error
// handler, so a failed insert is undone alone and the others stay. That block answers with
// the positions of the inserts that failed; each of those rows is handed back, in order, to
// be sent alone the way the window sends it, so its error (and its place in the log) is
// exactly the one-by-one one.
//
// Given prepared inserts, a full batch whose values can all be bound goes first as one
// execution of that prepared block, and only when a row's data fails it the literal way.
#include "PreparedInserts.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class SqlQuery;

struct PendingInsert {
    QStringList lines; // the row's insert statement
    QString produto;   // what its log line names, as the row held it
    QString codigo;
    int rowNumber = 0; // in the source, for the failures by cause
};

class InsertBatch {
public:
    // The longest statement text the server takes: its length travels in 16 bits.
    static constexpr int MaxBytes = 0xFFFF;
    // A request has at most 255 table contexts and every insert takes one; kept below.
    static constexpr int MaxRows = 250;

    using SendAlone = std::function<void(const PendingInsert&)>;
    // prepared may be null: every batch then goes the literal way. It must outlive the batch.
    InsertBatch(SqlQuery& query, SendAlone sendAlone, PreparedInserts* prepared = nullptr);
    InsertBatch(const InsertBatch&) = delete;
    InsertBatch& operator=(const InsertBatch&) = delete;

    // Queues the row; sends the batch first when it is full.
    void add(PendingInsert row);
    // Sends what is queued, then every row that failed in it alone. A row whose text cannot
    // go into a batch (a character the code page lacks) and every row of a batch the server
    // refused as a whole for its rows' data are sent alone too. Any other error of a block
    // (a lost connection, a stop, a full disk, no right to insert) passes through at once,
    // as it would from an insert alone; so do the errors of sendAlone. The queue is empty
    // by then.
    void flush();
    int queued() const { return int(m_rows.size()); }

    // The plain block and the guarded block (each insert with its handler) for these
    // inserts; an empty insert is one that goes alone (for tests and the bench).
    static QString plainBlockText(const std::vector<QString>& inserts);
    static QString guardedBlockText(const std::vector<QString>& inserts);
    // The positions the guarded block's answer names.
    static std::vector<int> failedPositions(const QString& answer);

private:
    bool sendPrepared() const;
    void sendLiteral(const std::vector<PendingInsert>& rows, const std::vector<QString>& inserts);
    void sendChunk(const std::vector<PendingInsert>& rows, const std::vector<QString>& inserts);
    std::vector<bool> sendBatch(const std::vector<QString>& inserts);
    std::optional<QStringList> tryBlock(const QString& text, bool answers);
    SqlQuery& m_query;
    SendAlone m_sendAlone;
    std::vector<PendingInsert> m_rows;
    PreparedInserts* m_prepared;
    std::vector<std::optional<BindableInsert>> m_bindable; // per row, with prepared inserts
};
