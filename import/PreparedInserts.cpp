#include "PreparedInserts.h"

#include "Errors.h"
#include "NumberLiteral.h"
#include "platform/AnsiCodePage.h"

#include <limits>

namespace {

constexpr int MostDigits = 18; // an exact literal of more is not a 64-bit integer to the server

// "12.50" as 1250 and -2, "-.5" as -5 and -1: the value and scale the server gives the
// literal. Nothing for an exponent (a double literal) or too many digits.
std::optional<BoundValue> exactNumber(const char* p, const char* end)
{
    while (p < end && *p == ' ')
        ++p;
    while (end > p && end[-1] == ' ')
        --end;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+'))
        negative = *p++ == '-';
    if (p == end || numberliteral::scan(p, end) != end)
        return std::nullopt;
    qint64 digits = 0;
    int count = 0;
    int scale = 0;
    bool fraction = false;
    for (; p < end; ++p) {
        if (*p == '.') {
            fraction = true;
            continue;
        }
        if (!numberliteral::isDigit(*p) || ++count > MostDigits)
            return std::nullopt; // an exponent, or more than a 64-bit integer holds
        digits = digits * 10 + (*p - '0');
        scale -= fraction ? 1 : 0;
    }
    return BoundValue::exact(negative ? -digits : digits, scale);
}

// The values of "values(...)", read in place: a doubled quote inside a text is undone in the
// bytes themselves, which only ever shortens the text.
std::optional<std::vector<BoundValue>> valuesOf(QByteArray& bytes, qsizetype expected)
{
    static constexpr QByteArrayView Head = "values(";
    if (!bytes.startsWith(Head) || !bytes.endsWith(')'))
        return std::nullopt;
    std::vector<BoundValue> values;
    values.reserve(std::size_t(expected));
    char* p = bytes.data() + Head.size();
    char* const last = bytes.data() + bytes.size() - 1; // the closing parenthesis
    while (p < last) {
        std::optional<BoundValue> value;
        char* next = p;
        if (*p == '\'') {
            char* w = p + 1;
            const char* const start = w;
            for (next = p + 1; next < last && !(*next == '\'' && next[1] != '\''); ++next) {
                *w++ = *next;
                next += *next == '\'' ? 1 : 0; // the second of a doubled quote
            }
            if (next >= last || w - start > std::numeric_limits<short>::max())
                return std::nullopt;
            value = BoundValue::textAt(start, int(w - start));
            ++next; // past the closing quote
        } else {
            while (next < last && *next != ',')
                ++next;
            value = exactNumber(p, next);
        }
        if (!value || (next < last && *next != ','))
            return std::nullopt;
        values.push_back(*value);
        p = next < last ? next + 1 : last;
    }
    return values;
}

std::shared_ptr<const InsertShape> shapeOf(const QString& head)
{
    static const QString Into = QStringLiteral("insert into ");
    const qsizetype open = head.indexOf(u'(');
    const QString trimmed = head.trimmed();
    if (!head.startsWith(Into) || open < 0 || !trimmed.endsWith(u')'))
        return nullptr;
    auto shape = std::make_shared<InsertShape>();
    shape->head = head;
    shape->table = head.mid(Into.size(), open - Into.size()).trimmed();
    for (const QString& column : trimmed.mid(open + 1).chopped(1).split(u','))
        shape->columns << column.trimmed();
    return shape;
}

} // namespace

std::optional<BindableInsert> bindableInsert(const QStringList& lines, std::shared_ptr<const InsertShape>* cache)
{
    if (lines.size() < 2)
        return std::nullopt;
    const QString head = lines.mid(0, lines.size() - 1).join(u' ');
    std::shared_ptr<const InsertShape> shape = cache && *cache && (*cache)->head == head ? *cache : shapeOf(head);
    if (!shape)
        return std::nullopt;
    if (cache)
        *cache = shape;
    // Every character of the code page is one byte: a line it can hold keeps its offsets.
    const QString& line = lines.back();
    if (platform::firstUnencodable(line).offset >= 0)
        return std::nullopt;
    BindableInsert insert{std::move(shape), platform::toAnsi(line), {}};
    std::optional<std::vector<BoundValue>> values = valuesOf(insert.bytes, insert.shape->columns.size());
    if (!values || values->size() != std::size_t(insert.shape->columns.size()))
        return std::nullopt;
    insert.values = std::move(*values);
    return insert;
}

PreparedInserts::PreparedInserts(DatabaseConnection& connection, int rowsPerBlock)
    : m_connection(connection), m_rows(rowsPerBlock)
{
}

PreparedInserts::~PreparedInserts() = default;

QString PreparedInserts::blockText(const InsertShape& shape, int rows)
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

// The block for this shape, prepared once. False when the server will not take it.
bool PreparedInserts::prepare(const std::shared_ptr<const InsertShape>& shape)
{
    if (m_statement && (shape == m_shape || shape->head == m_shape->head))
        return true;
    m_statement.reset();
    try {
        m_statement = std::make_unique<PreparedStatement>(m_connection, blockText(*shape, m_rows));
    } catch (const EngineError&) {
        m_refused = true; // see send(): the literal way meets a run's error again
        return false;
    }
    m_shape = shape;
    return true;
}

bool PreparedInserts::send(const std::vector<const BindableInsert*>& rows)
{
    if (m_refused || int(rows.size()) != m_rows || !prepare(rows.front()->shape))
        return false;
    m_values.clear();
    for (const BindableInsert* row : rows) {
        if (row->shape != m_shape && row->shape->head != m_shape->head)
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
