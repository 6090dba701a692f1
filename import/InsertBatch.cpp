#include "InsertBatch.h"

#include "ErrorScope.h"
#include "SqlQuery.h"
#include "platform/AnsiCodePage.h"

#include <utility>

namespace {

const QString PlainHead = QStringLiteral("execute block as\nbegin\n");
const QString PlainTail = QStringLiteral("end");
const QString GuardedHead = QStringLiteral("execute block returns (failed varchar(1000)) as\nbegin\nfailed = '';\n");
const QString GuardedTail = QStringLiteral("suspend;\nend");

// One insert in its own block: an error inside it undoes that insert alone and notes its
// position.
QString guardedPiece(const QString& insert, int position)
{
    return QStringLiteral("begin\n") + insert
           + QStringLiteral(";\nwhen any do failed = failed || '%1,';\nend\n").arg(position);
}

// What the guarded form adds to an insert, at the longest position.
const qsizetype GuardedExtra = guardedPiece(QString(), InsertBatch::MaxRows).size();

} // namespace

InsertBatch::InsertBatch(SqlQuery& query, SendAlone sendAlone, PreparedInserts* prepared)
    : m_query(query), m_sendAlone(std::move(sendAlone)), m_prepared(prepared)
{
    m_query.AutoCommit = false;
}

void InsertBatch::add(PendingInsert row)
{
    if (queued() >= (m_prepared ? m_prepared->rowsPerBlock() : MaxRows))
        flush();
    if (m_prepared)
        m_bindable.push_back(m_prepared->bind(row.lines));
    m_rows.push_back(std::move(row));
}

void InsertBatch::flush()
{
    if (m_rows.empty())
        return;
    const bool done = sendPrepared();
    m_bindable.clear();
    const std::vector<PendingInsert> rows = std::exchange(m_rows, {});
    if (done)
        return;
    std::vector<QString> inserts;
    inserts.reserve(rows.size());
    for (const PendingInsert& row : rows) {
        QString text = row.lines.join(QStringLiteral("\r\n"));
        // Every character of the code page is one byte, and one it lacks keeps the row out.
        if (platform::firstUnencodable(text).offset >= 0)
            text.clear();
        inserts.push_back(std::move(text));
    }
    sendLiteral(rows, inserts);
}

// A full batch of bindable rows in one execution of the prepared block; false when it must
// go the literal way.
bool InsertBatch::sendPrepared() const
{
    if (!m_prepared || queued() != m_prepared->rowsPerBlock())
        return false;
    std::vector<const BindableInsert*> rows;
    for (const std::optional<BindableInsert>& row : m_bindable) {
        if (!row)
            return false;
        rows.push_back(&*row);
    }
    return m_prepared->send(rows);
}

// The rows in blocks of at most MaxRows inserts and MaxBytes of text, in order.
void InsertBatch::sendLiteral(const std::vector<PendingInsert>& rows, const std::vector<QString>& inserts)
{
    std::size_t first = 0;
    qsizetype bytes = 0;
    for (std::size_t i = 0; i <= rows.size(); ++i) {
        const qsizetype more = i < rows.size() && !inserts[i].isEmpty() ? inserts[i].size() + GuardedExtra : 0;
        const bool full = i - first >= std::size_t(MaxRows)
                          || GuardedHead.size() + bytes + more + GuardedTail.size() > MaxBytes;
        if (i == rows.size() || full) {
            sendChunk({rows.begin() + qsizetype(first), rows.begin() + qsizetype(i)},
                      {inserts.begin() + qsizetype(first), inserts.begin() + qsizetype(i)});
            first = i;
            bytes = 0;
        }
        bytes += more;
    }
}

void InsertBatch::sendChunk(const std::vector<PendingInsert>& rows, const std::vector<QString>& inserts)
{
    std::vector<bool> alone(rows.size(), true);
    int inBlock = 0;
    for (const QString& insert : inserts)
        inBlock += insert.isEmpty() ? 0 : 1;
    // A lone insert gains nothing from a block: it goes the one-by-one way at once.
    if (inBlock > 1)
        alone = sendBatch(inserts);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (alone[i])
            m_sendAlone(rows[i]);
}

// Which rows must still be sent alone: those not in the block, those the guarded block says
// failed, and all of them when the server refuses the guarded block itself.
std::vector<bool> InsertBatch::sendBatch(const std::vector<QString>& inserts)
{
    std::vector<bool> notInBlock(inserts.size());
    for (std::size_t i = 0; i < inserts.size(); ++i)
        notInBlock[i] = inserts[i].isEmpty();
    if (tryBlock(plainBlockText(inserts), false))
        return notInBlock;
    const std::optional<QStringList> answer = tryBlock(guardedBlockText(inserts), true);
    if (!answer)
        return std::vector<bool>(inserts.size(), true);
    std::vector<bool> alone = notInBlock;
    for (int position : failedPositions(answer->value(0)))
        if (position >= 0 && std::size_t(position) < alone.size())
            alone[std::size_t(position)] = true;
    return alone;
}

// The block's answer, or nothing when a row's data made it fail (the engine then undid the
// whole block). Any other error stops the run as it would stop it on one insert alone.
std::optional<QStringList> InsertBatch::tryBlock(const QString& text, bool answers)
{
    try {
        m_query.Close();
        m_query.SQL().Clear();
        m_query.SQL().Add(text);
        if (answers)
            return m_query.ExecSQLWithOutput();
        m_query.ExecSQL();
        return QStringList();
    } catch (const std::exception& e) {
        if (!isRowError(e))
            throw;
        return std::nullopt;
    }
}

QString InsertBatch::plainBlockText(const std::vector<QString>& inserts)
{
    QString text = PlainHead;
    for (const QString& insert : inserts)
        if (!insert.isEmpty())
            text += insert + QStringLiteral(";\n");
    return text + PlainTail;
}

QString InsertBatch::guardedBlockText(const std::vector<QString>& inserts)
{
    QString text = GuardedHead;
    for (std::size_t i = 0; i < inserts.size(); ++i)
        if (!inserts[i].isEmpty())
            text += guardedPiece(inserts[i], int(i));
    return text + GuardedTail;
}

std::vector<int> InsertBatch::failedPositions(const QString& answer)
{
    std::vector<int> positions;
    for (const QStringView part : QStringView(answer).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int position = part.toInt(&ok);
        if (ok)
            positions.push_back(position);
    }
    return positions;
}
