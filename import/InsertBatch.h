#pragma once
// The run's insert statements sent many at a time, for a database far away: one round trip
// carries a whole batch instead of two per row. A batch is one "execute block" in which each
// insert sits in its own block with its own error handler, so a failed insert is undone
// alone and the others stay. The block answers with the positions of the inserts that
// failed; each of those rows is then handed back, in order, to be sent alone the way the
// window sends it, so its error (and its place in the log) is exactly the one-by-one one.
#include <QString>
#include <QStringList>

#include <functional>
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
    InsertBatch(SqlQuery& query, SendAlone sendAlone);
    InsertBatch(const InsertBatch&) = delete;
    InsertBatch& operator=(const InsertBatch&) = delete;

    // Queues the row; sends the batch first when the row would not fit in it.
    void add(PendingInsert row);
    // Sends what is queued, then every row that failed in it alone. A row whose text cannot
    // go into a batch (a character the code page lacks) and every row of a batch the server
    // refused as a whole are sent alone too. Errors of sendAlone pass through; the queue is
    // empty by then.
    void flush();
    int queued() const { return int(m_rows.size()); }

    // The execute block for these rows' pieces (for tests and the bench).
    static QString blockText(const std::vector<QString>& pieces);
    // The positions the block's answer names.
    static std::vector<int> failedPositions(const QString& answer);

private:
    std::vector<bool> sendBatch(const std::vector<QString>& pieces);
    SqlQuery& m_query;
    SendAlone m_sendAlone;
    std::vector<PendingInsert> m_rows;
    std::vector<QString> m_pieces; // per row: its part of the block, empty when alone
    qsizetype m_bytes = 0;
};
