#include "InsertBatch.h"

#include "SqlQuery.h"
#include "platform/AnsiCodePage.h"

#include <utility>

namespace {

const QString Head = QStringLiteral("execute block returns (failed varchar(1000)) as\nbegin\nfailed = '';\n");
const QString Tail = QStringLiteral("suspend;\nend");

// One insert in its own block: an error inside it undoes that insert alone and notes its
// position.
QString piece(const QStringList& lines, int position)
{
    return QStringLiteral("begin\n") + lines.join(QStringLiteral("\r\n"))
           + QStringLiteral(";\nwhen any do failed = failed || '%1,';\nend\n").arg(position);
}

} // namespace

InsertBatch::InsertBatch(SqlQuery& query, SendAlone sendAlone)
    : m_query(query), m_sendAlone(std::move(sendAlone))
{
    m_query.AutoCommit = false;
}

void InsertBatch::add(PendingInsert row)
{
    QString text = piece(row.lines, queued());
    // Every character of the code page is one byte, and one it lacks keeps the row out.
    if (platform::firstUnencodable(text).offset >= 0)
        text.clear();
    if (queued() + 1 > MaxRows || Head.size() + m_bytes + text.size() + Tail.size() > MaxBytes) {
        flush();
        text = text.isEmpty() ? text : piece(row.lines, 0);
    }
    m_bytes += text.size();
    m_pieces.push_back(std::move(text));
    m_rows.push_back(std::move(row));
}

void InsertBatch::flush()
{
    std::vector<PendingInsert> rows = std::exchange(m_rows, {});
    std::vector<QString> pieces = std::exchange(m_pieces, {});
    m_bytes = 0;
    std::vector<bool> alone(rows.size(), true);
    int inBlock = 0;
    for (const QString& p : pieces)
        inBlock += p.isEmpty() ? 0 : 1;
    // A lone insert gains nothing from a block: it goes the one-by-one way at once.
    if (inBlock > 1)
        alone = sendBatch(pieces);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (alone[i])
            m_sendAlone(rows[i]);
}

// Which rows must still be sent alone: those the block says failed, those not in it, and
// all of them when the server refuses the block itself (its inserts are then undone with it).
std::vector<bool> InsertBatch::sendBatch(const std::vector<QString>& pieces)
{
    std::vector<bool> alone(pieces.size(), true);
    QStringList answer;
    try {
        m_query.Close();
        m_query.SQL().Clear();
        m_query.SQL().Add(blockText(pieces));
        answer = m_query.ExecSQLWithOutput();
    } catch (const std::exception&) {
        return alone;
    }
    for (std::size_t i = 0; i < pieces.size(); ++i)
        alone[i] = pieces[i].isEmpty();
    for (int position : failedPositions(answer.value(0)))
        if (position >= 0 && std::size_t(position) < alone.size())
            alone[std::size_t(position)] = true;
    return alone;
}

QString InsertBatch::blockText(const std::vector<QString>& pieces)
{
    QString text = Head;
    for (const QString& p : pieces)
        text += p;
    return text + Tail;
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
