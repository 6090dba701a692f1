#include "PreparedInserts.h"

#include "Errors.h"
#include "NumberLiteral.h"
#include "platform/AnsiCodePage.h"

#include <algorithm>
#include <cstring>
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

std::shared_ptr<const InsertShape> shapeOf(const QStringList& headLines)
{
    const QString head = headLines.join(u' ');
    static const QString Into = QStringLiteral("insert into ");
    const qsizetype open = head.indexOf(u'(');
    const QString trimmed = head.trimmed();
    if (!head.startsWith(Into) || open < 0 || !trimmed.endsWith(u')'))
        return nullptr;
    auto shape = std::make_shared<InsertShape>();
    shape->headLines = headLines;
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
    // Every row of a run has the same head: compared line by line, nothing is built for it.
    const auto sameHead = [&](const InsertShape& s) {
        return std::equal(lines.begin(), lines.end() - 1, s.headLines.begin(), s.headLines.end());
    };
    std::shared_ptr<const InsertShape> shape = cache && *cache && sameHead(**cache) ? *cache
                                                                                    : shapeOf(lines.first(lines.size() - 1));
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

QByteArray PreparedInserts::literalOf(const BoundValue& value)
{
    if (value.kind == BoundValue::Kind::Null)
        return "null";
    if (value.kind == BoundValue::Kind::Text) {
        QByteArray text(value.text, value.length);
        return '\'' + text.replace('\'', "''") + '\'';
    }
    const int places = -value.scale;
    QByteArray digits = QByteArray::number(value.digits < 0 ? -value.digits : value.digits);
    if (digits.size() <= places)
        digits.prepend(QByteArray(places + 1 - digits.size(), '0'));
    if (places > 0)
        digits.insert(digits.size() - places, '.');
    return value.digits < 0 ? '-' + digits : digits;
}

QByteArray PreparedInserts::blockText(const InsertShape& shape, int rows, const std::vector<QByteArray>& literals)
{
    QByteArray params;
    QByteArray body;
    const QByteArray table = shape.table.toLatin1();
    const QByteArray columns = shape.columns.join(u',').toLatin1();
    for (int r = 0; r < rows; ++r) {
        QByteArray values;
        for (qsizetype c = 0; c < shape.columns.size(); ++c) {
            values += c ? "," : "";
            if (!literals[std::size_t(c)].isEmpty()) {
                values += literals[std::size_t(c)];
                continue;
            }
            const QByteArray name = 'P' + QByteArray::number(r) + '_' + QByteArray::number(c);
            params += (params.isEmpty() ? "" : ",") + name + " type of column " + table + '.'
                      + shape.columns[c].toLatin1() + "=?";
            values += ':' + name;
        }
        body += "insert into " + table + '(' + columns + ")values(" + values + ");\n";
    }
    return "execute block" + (params.isEmpty() ? QByteArray() : '(' + params + ')') + "as\nbegin\n" + body + "end";
}

bool PreparedInserts::Block::fits(const BindableInsert& row) const
{
    for (std::size_t c = 0; c < fixed.size(); ++c) {
        if (!fixed[c])
            continue;
        const BoundValue& a = *fixed[c];
        const BoundValue& b = row.values[c];
        if (a.kind != b.kind || a.digits != b.digits || a.scale != b.scale || a.length != b.length
            || (a.length && std::memcmp(a.text, b.text, std::size_t(a.length)) != 0))
            return false;
    }
    return true;
}

// The block for these rows' shape, prepared once; with keepConstants, the columns that hold
// one value in all of the rows are written as literals. False when the server will not
// take it.
bool PreparedInserts::prepare(Block& block, const std::vector<const BindableInsert*>& rows, bool keepConstants)
{
    if (block.statement)
        return true;
    const BindableInsert& first = *rows.front();
    const std::size_t columns = first.values.size();
    block.literals.assign(columns, QByteArray());
    block.texts.assign(columns, QByteArray());
    block.fixed.assign(columns, std::nullopt);
    for (std::size_t c = 0; keepConstants && c < columns; ++c) {
        block.fixed[c] = first.values[c];
        if (!std::all_of(rows.begin(), rows.end(), [&](const BindableInsert* row) { return block.fits(*row); })) {
            block.fixed[c].reset();
            continue;
        }
        block.literals[c] = literalOf(first.values[c]);
        BoundValue& kept = *block.fixed[c];
        if (kept.kind == BoundValue::Kind::Text) { // the row's bytes go; the block keeps its own
            block.texts[c] = QByteArray(kept.text, kept.length);
            kept.text = block.texts[c].constData();
        }
    }
    try {
        block.statement = std::make_unique<PreparedStatement>(m_connection, blockText(*m_shape, m_rows, block.literals));
    } catch (const EngineError&) {
        m_refused = true; // see execute(): the literal way meets a run's error again
        return false;
    }
    return true;
}

bool PreparedInserts::execute(Block& block, const std::vector<const BindableInsert*>& rows)
{
    m_values.clear();
    for (const BindableInsert* row : rows)
        for (std::size_t c = 0; c < row->values.size(); ++c)
            if (!block.fixed[c])
                m_values.push_back(row->values[c]);
    // Whatever the database answers, the literal way decides what it means. A value the
    // block's parameter refuses is a row's error there too, but the server words it as a
    // statement's ("Dynamic SQL Error"); and an error that is the run's (a lost
    // connection, a stop) meets the literal block at once and stops the run from there.
    try {
        block.statement->execute(m_values);
    } catch (const EngineError&) {
        return false;
    }
    return true;
}

bool PreparedInserts::send(const std::vector<const BindableInsert*>& rows)
{
    if (m_refused || int(rows.size()) != m_rows)
        return false;
    const std::shared_ptr<const InsertShape>& shape = rows.front()->shape;
    if (!m_shape || (shape != m_shape && shape->head != m_shape->head)) {
        m_shape = shape;
        m_constants = Block();
        m_general = Block();
    }
    for (const BindableInsert* row : rows)
        if (row->shape != m_shape && row->shape->head != m_shape->head)
            return false;
    if (!prepare(m_constants, rows, true))
        return false;
    const bool same = std::all_of(rows.begin(), rows.end(), [&](const BindableInsert* row) { return m_constants.fits(*row); });
    Block& block = same ? m_constants : m_general;
    return prepare(block, rows, false) && execute(block, rows);
}
