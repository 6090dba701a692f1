#include "SheetCells.h"
#include <QCoreApplication>

#include "NumberLiteral.h"
#include "WorkbookParts.h"
#include "platform/Error.h"

#include <QDate>
#include <QTime>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace xlsx {

bool parseCellName(std::string_view name, quint32& col, quint32& row)
{
    size_t i = 0;
    quint32 c = 0;
    // Writers use capitals; small letters are accepted too.
    for (; i < name.size() && ((name[i] >= 'A' && name[i] <= 'Z') || (name[i] >= 'a' && name[i] <= 'z')); ++i) {
        c = c * 26 + quint32((name[i] & ~0x20) - 'A' + 1);
        if (c > kMaxColumns)
            return false;
    }
    // The row's digits by hand: this runs for every cell.
    quint32 r = 0;
    const size_t firstDigit = i;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9'; ++i) {
        r = r * 10 + quint32(name[i] - '0');
        if (r > kMaxRows)
            return false;
    }
    if (firstDigit == 0 || i == firstDigit || i != name.size() || r < 1)
        return false;
    col = c - 1;
    row = r - 1;
    return true;
}

namespace {

constexpr quint64 kReservedCells = quint64(1) << 21;

enum class CellType { Number, Shared, Inline, FormulaText, Boolean, Error, IsoDate };

bool parseCellType(const char* t, CellType& type)
{
    const std::string_view v = t ? std::string_view(t) : std::string_view("n");
    if (v == "n") type = CellType::Number;
    else if (v == "s") type = CellType::Shared;
    else if (v == "inlineStr") type = CellType::Inline;
    else if (v == "str") type = CellType::FormulaText;
    else if (v == "b") type = CellType::Boolean;
    else if (v == "e") type = CellType::Error;
    else if (v == "d") type = CellType::IsoDate;
    else return false;
    return true;
}

std::string_view trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// "123" or "3.78": at most 15 digits and a point, no sign. n / 10^k is then exactly what the
// full reader gives, since both are exact doubles and the quotient is correctly rounded.
bool parsePlainDecimal(std::string_view text, double& value)
{
    size_t i = 0;
    long long n = 0;
    int digits = 0;
    int decimals = -1; // none before the point
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++digits > 15)
                return false;
            n = n * 10 + (c - '0');
            decimals += decimals >= 0;
        } else if (c == '.' && decimals < 0) {
            decimals = 0;
        } else {
            return false;
        }
    }
    if (digits == 0)
        return false;
    value = double(n) / celltext::kPowersOfTen[decimals < 0 ? 0 : decimals];
    return true;
}

// One sign and a number literal, a point ending the digits allowed ("1."). Short plain
// decimals, most of a sheet's numbers, are read by hand; the rest by the library's reader.
bool parseNumber(std::string_view text, double& value)
{
    const bool negative = !text.empty() && text.front() == '-';
    if (!text.empty() && (negative || text.front() == '+'))
        text.remove_prefix(1);
    if (!parsePlainDecimal(text, value)) {
        const char* end = text.data() + text.size();
        if (text.empty() || numberliteral::scan(text.data(), end, numberliteral::Point::MayEnd) != end)
            return false;
        const auto [stop, ec] = std::from_chars(text.data(), end, value);
        if (ec != std::errc() || stop != end || !std::isfinite(value))
            return false;
    }
    if (negative)
        value = -value;
    return true;
}

// An ISO 8601 duration of days, hours, minutes and seconds ("PT12H30M0.000S"), as some
// writers of strict workbooks store a time of day: milliseconds since 30 December 1899, as
// a date serial counts them. Years and months have no fixed length and are refused.
bool parseIsoDuration(std::string_view text, double& ms)
{
    if (text.size() < 3 || text.front() != 'P')
        return false;
    double total = 0;
    bool inTime = false, any = false;
    for (size_t i = 1; i < text.size();) {
        if (text[i] == 'T' && !inTime) {
            inTime = true;
            ++i;
            continue;
        }
        double amount = 0;
        const auto [end, ec] = std::from_chars(text.data() + i, text.data() + text.size(), amount,
                                               std::chars_format::fixed);
        if (ec != std::errc() || end == text.data() + text.size() || amount < 0 || text[i] == '-' || text[i] == '+')
            return false;
        const char unit = *end;
        const double scale = !inTime && unit == 'D' ? 86400000.0
                           : inTime && unit == 'H'  ? 3600000.0
                           : inTime && unit == 'M'  ? 60000.0
                           : inTime && unit == 'S'  ? 1000.0
                                                    : 0.0;
        if (scale == 0)
            return false;
        total += amount * scale;
        any = true;
        i = size_t(end - text.data()) + 1;
    }
    if (!any || !(total < 2958466.0 * 86400000.0))
        return false;
    ms = std::round(total);
    return true;
}

// An ISO 8601 date, date-time or time of day, as milliseconds since 30 December 1899. A
// zone suffix is dropped: the cell shows the wall-clock time written in the file.
bool parseIsoDate(std::string_view text, double& ms)
{
    if (!text.empty() && text.front() == 'P')
        return parseIsoDuration(text, ms);
    const QString s = QString::fromLatin1(text.data(), qsizetype(text.size()));
    const qsizetype t = s.indexOf(u'T');
    const bool timeOnly = t < 0 && s.contains(u':');
    const QString datePart = timeOnly ? QString() : s.left(t);
    QString timePart = timeOnly ? s : (t < 0 ? QString() : s.mid(t + 1));
    for (qsizetype i = 0; i < timePart.size(); ++i) {
        if (timePart.at(i) == u'Z' || timePart.at(i) == u'+' || timePart.at(i) == u'-') {
            timePart.truncate(i);
            break;
        }
    }
    const QDate origin(1899, 12, 30);
    const QDate date = datePart.isEmpty() ? origin : QDate::fromString(datePart, Qt::ISODate);
    const QTime time = timePart.isEmpty() ? QTime(0, 0) : QTime::fromString(timePart, Qt::ISODateWithMs);
    if (!date.isValid() || !time.isValid())
        return false;
    ms = double(origin.daysTo(date)) * 86400000.0 + double(time.msecsSinceStartOfDay());
    return true;
}

class SheetSink : public XmlSink {
public:
    SheetSink(SheetCells& out, const SheetFormats& formats, TextBudget& budget, quint64 maxCells)
        : m_out(out), m_formats(formats), m_budget(budget), m_maxCells(maxCells)
    {
    }

    void startElement(std::string_view name, const char** attributes) override
    {
        if (m_inCell)
            startInCell(name);
        else if (m_inSheetData && name == "c")
            startCell(attributes);
        else if (m_inSheetData && name == "row")
            startRow(attributes);
        else if (name == "sheetData")
            m_inSheetData = true;
        else if (name == "dimension")
            readDimension(attribute(attributes, "ref"));
        else if (name == "col")
            readColumns(attribute(attributes, "max"));
    }

    void endElement(std::string_view name) override
    {
        if (!m_inCell) {
            if (name == "sheetData")
                m_inSheetData = false;
        } else if (name == "v") {
            m_inValue = false;
            m_hasValue = true;
        } else if (name == "is") {
            m_inInline = false;
        } else if (m_inInline) {
            m_inline.endElement(name);
        } else if (name == "c") {
            m_inCell = false;
            finishCell();
        }
    }

    void characters(std::string_view text) override
    {
        const bool kept = m_inValue ? append(text) : !m_inInline || m_inline.characters(text);
        if (!kept)
            fail(QCoreApplication::translate("Readers", "holds a text longer than %1 bytes").arg(kMaxTextBytes));
    }

private:
    bool append(std::string_view text)
    {
        if (m_value.size() + text.size() > kMaxTextBytes)
            return false;
        m_value.append(text);
        return true;
    }

    void startInCell(std::string_view name)
    {
        if (name == "v" && !m_inInline) {
            m_inValue = true;
        } else if (name == "is") {
            m_inInline = true;
            m_hasInline = true;
            m_inline.begin();
        } else if (m_inInline) {
            m_inline.startElement(name);
        }
    }

    void startRow(const char** attributes)
    {
        const char* r = attribute(attributes, "r");
        quint32 number = m_row + 2; // 1-based number of the row after the current one
        if (r) {
            const auto [end, ec] = std::from_chars(r, r + std::strlen(r), number);
            if (ec != std::errc() || *end || number < 1 || number > kMaxRows)
                throw Error(QCoreApplication::translate("Readers", "The first worksheet has a row numbered \"%1\"").arg(QString::fromUtf8(r)));
        } else if (number > kMaxRows) {
            throw Error(QCoreApplication::translate("Readers", "The first worksheet has more than %1 rows").arg(kMaxRows));
        }
        m_row = number - 1;
        m_nextCol = 0;
        m_out.area.includeRow(m_row, spanEnd(attribute(attributes, "spans")));
    }

    void startCell(const char** attributes)
    {
        // One walk over the attributes: this runs for every cell of the sheet.
        const char* r = nullptr;
        const char* t = nullptr;
        const char* s = nullptr;
        for (const char** a = attributes; a[0]; a += 2) {
            const std::string_view name = attributeName(a[0]);
            const char** slot = name == "r" ? &r : name == "t" ? &t : name == "s" ? &s : nullptr;
            if (slot && !*slot)
                *slot = a[1];
        }
        if (r) {
            if (!parseCellName(r, m_cellCol, m_cellRow))
                throw Error(QCoreApplication::translate("Readers", "The first worksheet has a cell named \"%1\", which is not a cell "
                                           "of a sheet").arg(QString::fromUtf8(r)));
        } else {
            if (m_nextCol >= kMaxColumns)
                throw Error(QCoreApplication::translate("Readers", "Row %1 of the first worksheet has more than %2 cells")
                                .arg(quint64(m_row) + 1).arg(kMaxColumns));
            m_cellRow = m_row == quint32(-1) ? 0 : m_row; // a cell outside any row: the first
            m_cellCol = m_nextCol;
        }
        if (!parseCellType(t, m_type))
            fail(QCoreApplication::translate("Readers", "has the unknown type \"%1\"").arg(QString::fromUtf8(t)));
        m_style = s ? quint32(std::strtoul(s, nullptr, 10)) : 0;
        m_inCell = true;
        m_inValue = m_inInline = m_hasValue = m_hasInline = false;
        m_value.clear();
    }

    void readDimension(const char* ref)
    {
        if (!ref)
            return;
        std::string_view last(ref);
        if (const size_t colon = last.find(':'); colon != std::string_view::npos)
            last = last.substr(colon + 1);
        quint32 col = 0, row = 0;
        if (!parseCellName(last, col, row))
            return;
        m_out.area.declare(quint64(row) + 1, quint64(col) + 1);
        // Room for the cells the sheet says it has, up to a bound: the grid mostly takes the
        // same area, and growing by doubling would copy the cells and hold twice the room.
        if (m_out.cells.empty())
            m_out.cells.reserve(size_t(std::min<quint64>(quint64(row + 1) * (col + 1), kReservedCells)));
    }

    // <col min="1" max="18" width=...>: a column record reaching column max.
    void readColumns(const char* max)
    {
        quint32 last = 0;
        if (max && std::from_chars(max, max + std::strlen(max), last).ec == std::errc())
            m_out.area.includeColumns(std::min(last, kMaxColumns));
    }

    // spans="1:3" (or several ranges, "1:3 5:9"): the columns the row's cells reach.
    static quint32 spanEnd(const char* spans)
    {
        quint32 end = 0;
        for (const char* p = spans; p && *p; ++p) {
            if (*p != ':')
                continue;
            quint32 last = 0;
            if (std::from_chars(p + 1, p + std::strlen(p), last).ec == std::errc())
                end = std::max(end, std::min(last, kMaxColumns));
        }
        return end;
    }

    [[noreturn]] void fail(const QString& what) const
    {
        throw Error(QStringLiteral("Cell %1 %2").arg(gridfill::cellName(m_cellCol, m_cellRow), what));
    }

    void finishCell();
    void addNumber(std::string_view text);
    void add(CellKind kind, double value);
    void addText(CellKind kind, QString text);

    SheetCells& m_out;
    const SheetFormats& m_formats;
    TextBudget& m_budget;
    quint64 m_maxCells;
    bool m_inSheetData = false;
    bool m_inCell = false, m_inValue = false, m_inInline = false;
    bool m_hasValue = false, m_hasInline = false;
    quint32 m_row = quint32(-1); // the current row, 0-based; none before the first
    quint32 m_nextCol = 0;
    quint32 m_cellRow = 0, m_cellCol = 0, m_style = 0;
    CellType m_type = CellType::Number;
    std::string m_value;
    RichText m_inline;
};

void SheetSink::finishCell()
{
    m_out.area.includeCell(m_cellCol, m_cellRow);
    m_nextCol = m_cellCol + 1;
    const std::string_view value = m_value;
    switch (m_type) {
    case CellType::Number:
        if (!trimmed(value).empty())
            addNumber(trimmed(value));
        break;
    case CellType::Shared:
        // An empty <v/> is how some writers store an empty text.
        if (m_hasValue && !trimmed(value).empty()) {
            size_t index = 0;
            const std::string_view digits = trimmed(value);
            const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
            if (ec != std::errc() || end != digits.data() + digits.size() || index >= m_formats.sharedStringCount)
                fail(QCoreApplication::translate("Readers", "refers to the shared string \"%1\", which the workbook does not have")
                         .arg(QString::fromUtf8(value.data(), qsizetype(value.size()))));
            add(CellKind::Shared, double(index));
        }
        break;
    case CellType::Inline:
        if (m_hasInline)
            addText(CellKind::Text, m_inline.take());
        break;
    case CellType::FormulaText:
        if (!value.empty())
            addText(CellKind::Text, decodeEscapes(QString::fromUtf8(value.data(), qsizetype(value.size()))));
        break;
    case CellType::Boolean:
        if (m_hasValue)
            add(CellKind::Boolean, trimmed(value) == "1" || trimmed(value) == "true" ? 1 : 0);
        break;
    case CellType::Error:
        addText(CellKind::Error, QString::fromUtf8(value.data(), qsizetype(value.size())).trimmed());
        break;
    case CellType::IsoDate:
        if (!trimmed(value).empty()) {
            double ms = 0;
            if (!parseIsoDate(trimmed(value), ms))
                fail(QCoreApplication::translate("Readers", "holds \"%1\", which is not a date").arg(QString::fromUtf8(value.data(), qsizetype(value.size()))));
            add(CellKind::IsoDate, ms);
        }
        break;
    }
}

void SheetSink::addNumber(std::string_view text)
{
    double number = 0;
    if (!parseNumber(text, number))
        fail(QCoreApplication::translate("Readers", "holds \"%1\", which is not a number").arg(QString::fromUtf8(text.data(), qsizetype(text.size()))));
    const auto& formats = *m_formats.cellFormats;
    const auto format = m_style < formats.size() ? formats[m_style] : celltext::FormatKind::Number;
    switch (format) {
    case celltext::FormatKind::Date:
        return add(CellKind::Date, number);
    case celltext::FormatKind::Currency:
        return add(CellKind::Currency, number);
    case celltext::FormatKind::Number:
        return add(CellKind::Number, number);
    }
}

void SheetSink::add(CellKind kind, double value)
{
    if (m_out.cells.size() >= m_maxCells)
        throw Error(QCoreApplication::translate("Readers", "The first worksheet has more than %1 cells").arg(m_maxCells));
    m_out.cells.push_back({m_cellRow, quint16(m_cellCol), kind, value});
}

void SheetSink::addText(CellKind kind, QString text)
{
    m_budget.charge(text);
    m_out.texts.push_back(std::move(text));
    add(kind, double(m_out.texts.size() - 1));
}

} // namespace

SheetCells readSheet(const Package& package, const QString& partName, const SheetFormats& formats, TextBudget& budget)
{
    SheetCells out;
    SheetSink sink(out, formats, budget, package.limits().cells);
    package.parsePart(partName, sink, package.limits().partBytes);
    return out;
}

} // namespace xlsx
