#include "PreparedInserts.h"

#include "Errors.h"
#include "NumberLiteral.h"
#include "platform/AnsiCodePage.h"

#include <limits>

namespace {

constexpr int MostDigits = 18; // an exact literal of more is not a 64-bit integer to the server

// "12.50" as 1250 and -2, "-.5" as -5 and -1: the value and scale the server gives the
// literal. Nothing for an exponent (a double literal) or too many digits.
std::optional<BoundValue> exactNumber(QStringView text)
{
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (!numberliteral::isSignedLiteral(text.begin(), text.end()) || text.front() == u'+' || text.front() == u'-')
        return std::nullopt;
    qint64 digits = 0;
    int count = 0;
    int scale = 0;
    bool fraction = false;
    for (const QChar c : text) {
        if (c == u'.') {
            fraction = true;
            continue;
        }
        if (c < u'0' || c > u'9' || ++count > MostDigits)
            return std::nullopt; // an exponent, or more than a 64-bit integer holds
        digits = digits * 10 + (c.unicode() - u'0');
        scale -= fraction ? 1 : 0;
    }
    return BoundValue::exact(negative ? -digits : digits, scale);
}

// A quoted literal from its opening quote; *end is set past its closing quote.
std::optional<BoundValue> quotedText(QStringView line, qsizetype start, qsizetype* end)
{
    QString value;
    for (qsizetype i = start + 1; i < line.size(); ++i) {
        if (line[i] != u'\'') {
            value += line[i];
            continue;
        }
        if (i + 1 < line.size() && line[i + 1] == u'\'') {
            value += u'\'';
            ++i;
            continue;
        }
        *end = i + 1;
        if (platform::firstUnencodable(value).offset >= 0)
            return std::nullopt;
        QByteArray bytes = platform::toAnsi(value);
        if (bytes.size() > std::numeric_limits<short>::max())
            return std::nullopt;
        return BoundValue::textOf(std::move(bytes));
    }
    return std::nullopt;
}

std::optional<std::vector<BoundValue>> valuesOf(QStringView line)
{
    static const QString Head = QStringLiteral("values(");
    if (!line.startsWith(Head) || !line.endsWith(u')'))
        return std::nullopt;
    std::vector<BoundValue> values;
    qsizetype i = Head.size();
    const qsizetype last = line.size() - 1;
    while (i < last) {
        std::optional<BoundValue> value;
        qsizetype next = line.indexOf(u',', i);
        if (line[i] == u'\'') {
            value = quotedText(line, i, &next);
        } else {
            if (next < 0 || next > last)
                next = last;
            value = exactNumber(line.mid(i, next - i));
        }
        if (!value || (next != last && (next > last || line[next] != u',')))
            return std::nullopt;
        values.push_back(std::move(*value));
        i = next == last ? last : next + 1;
    }
    return values;
}

} // namespace

std::optional<BindableInsert> bindableInsert(const QStringList& lines)
{
    if (lines.size() < 2)
        return std::nullopt;
    const QString head = lines.mid(0, lines.size() - 1).join(u' ');
    static const QString Into = QStringLiteral("insert into ");
    const qsizetype open = head.indexOf(u'(');
    if (!head.startsWith(Into) || open < 0 || !head.trimmed().endsWith(u')'))
        return std::nullopt;
    BindableInsert insert;
    insert.table = head.mid(Into.size(), open - Into.size()).trimmed();
    const QString list = head.trimmed().mid(open + 1).chopped(1);
    for (const QString& column : list.split(u','))
        insert.columns << column.trimmed();
    std::optional<std::vector<BoundValue>> values = valuesOf(lines.back());
    if (!values || values->size() != std::size_t(insert.columns.size()))
        return std::nullopt;
    insert.values = std::move(*values);
    return insert;
}

PreparedInserts::PreparedInserts(DatabaseConnection& connection, int rowsPerBlock)
    : m_connection(connection), m_rows(rowsPerBlock)
{
}

PreparedInserts::~PreparedInserts() = default;

QString PreparedInserts::blockText(const BindableInsert& shape, int rows)
{
    QString params;
    QString body;
    const QString columns = shape.columns.join(u',');
    for (int r = 0; r < rows; ++r) {
        QString values;
        for (qsizetype c = 0; c < shape.columns.size(); ++c) {
            const QString name = QStringLiteral("P%1_%2").arg(r).arg(c);
            params += QStringLiteral("%1%2 type of column %3.%4=?")
                          .arg(params.isEmpty() ? QString() : QStringLiteral(","), name, shape.table, shape.columns[c]);
            values += (c ? QStringLiteral(",:") : QStringLiteral(":")) + name;
        }
        body += QStringLiteral("insert into %1(%2)values(%3);\n").arg(shape.table, columns, values);
    }
    return QStringLiteral("execute block(%1)as\nbegin\n%2end").arg(params, body);
}

// The block for these columns, prepared once. False when the server will not take it.
bool PreparedInserts::prepare(const BindableInsert& shape)
{
    if (m_statement && shape.table == m_table && shape.columns == m_columns)
        return true;
    m_statement.reset();
    try {
        m_statement = std::make_unique<PreparedStatement>(m_connection, blockText(shape, m_rows));
    } catch (const EngineError&) {
        m_refused = true; // see send(): the literal way meets a run's error again
        return false;
    }
    m_table = shape.table;
    m_columns = shape.columns;
    return true;
}

bool PreparedInserts::send(const std::vector<const BindableInsert*>& rows)
{
    if (m_refused || int(rows.size()) != m_rows || !prepare(*rows.front()))
        return false;
    m_values.clear();
    for (const BindableInsert* row : rows) {
        if (row->table != m_table || row->columns != m_columns)
            return false;
        m_values.insert(m_values.end(), row->values.begin(), row->values.end());
    }
    // Whatever the database answers, the literal way decides what it means. A value the
    // block's parameter refuses is a row's error there too, but the server words it as a
    // statement's ("Dynamic SQL Error"); and an error that is the run's (a lost
    // connection, a stop) meets the literal block at once and stops the run from there.
    try {
        m_statement->execute(m_values);
    } catch (const EngineError&) {
        return false;
    }
    return true;
}
