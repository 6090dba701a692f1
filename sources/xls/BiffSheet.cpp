#include "BiffSheet.h"
#include <QCoreApplication>

#include "GridFill.h"

#include <cstring>
#include <optional>

namespace xls {

namespace {

constexpr quint16 kSharedFormula = 0x04BC;
constexpr quint16 kArrayFormula = 0x0221;
constexpr quint16 kTableFormula = 0x0236;

ByteView payload(const Record& r)
{
    return ByteView(r.data.data(), r.data.size(), QT_TRANSLATE_NOOP("Readers", "a record of the first worksheet is too short"));
}

double rkValue(quint32 rk)
{
    double value;
    if (rk & 0x02) {
        value = double(qint32(rk) >> 2);
    } else {
        const quint64 bits = quint64(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&value, &bits, sizeof value);
    }
    return (rk & 0x01) ? value / 100 : value;
}

// A cell record of BIFF3 to BIFF8: row, column, XF index, then the value at offset 6.
Cell at(ByteView data, Cell::Kind kind)
{
    Cell c;
    c.row = data.u16(0);
    c.col = data.u16(2);
    c.xf = data.u16(4);
    c.kind = kind;
    return c;
}

// A BIFF2 cell record: row, column, three attribute bytes whose second names the number
// format (its low six bits), then the value at offset 7.
Cell at2(ByteView data, Cell::Kind kind)
{
    Cell c;
    c.row = data.u16(0);
    c.col = data.u16(2);
    c.xf = data.u8(5) & 0x3F;
    c.kind = kind;
    return c;
}

// Records that may stand between a FORMULA and the STRING with its text.
bool continuesFormula(quint16 id)
{
    return id == rec::String || id == rec::String2 || id == kSharedFormula || id == kArrayFormula
        || id == kTableFormula;
}

// The cell records of Excel 2.x: in a later file they hold cells this reader does not read
// there, and leaving them out would lose those cells without a word.
bool isBiff2Cell(quint16 id)
{
    return id >= rec::Blank2 && id <= rec::BoolErr2;
}

// Decodes the records of one worksheet into cells for the visitor. A FORMULA whose result
// is a string waits for the STRING record that carries the text.
class Walker {
public:
    Walker(Workbook& wb, RecordReader& reader, SheetVisitor& visitor)
        : m_wb(wb), m_reader(reader), m_visitor(visitor)
    {
    }
    void record(const Record& r);

private:
    void record2(const Record& r);
    void dimensions(ByteView d);
    void multiple(ByteView d, bool rk);
    void formula(ByteView d, Cell c, qsizetype result);
    void string(const Record& r);
    void sharedString(ByteView d);
    QString text(ByteView d, qsizetype offset);
    void flushPending();

    Workbook& m_wb;
    RecordReader& m_reader;
    SheetVisitor& m_visitor;
    std::optional<Cell> m_pending;
};

void Walker::record(const Record& r)
{
    if (m_pending && !continuesFormula(r.id))
        flushPending();
    if (m_wb.version == 2)
        return record2(r);
    const ByteView d = payload(r);
    Cell c;
    switch (r.id) {
    case rec::Dimensions: return dimensions(d);
    case rec::Row: return m_visitor.row(d.u16(0), d.u16(4));
    case rec::ColInfo: return m_visitor.columns(quint64(d.u16(2)) + 1);
    case rec::Number: c = at(d, Cell::Kind::Number); c.number = d.f64(6); break;
    case rec::Rk: c = at(d, Cell::Kind::Number); c.number = rkValue(d.u32(6)); break;
    case rec::MulRk: return multiple(d, true);
    case rec::Blank: c = at(d, Cell::Kind::Blank); break;
    case rec::MulBlank: return multiple(d, false);
    case rec::Label:
    case rec::RString: c = at(d, Cell::Kind::Text); c.text = text(d, 6); break;
    case rec::LabelSst: return sharedString(d);
    case rec::BoolErr:
        c = at(d, d.u8(7) ? Cell::Kind::Error : Cell::Kind::Boolean);
        c.boolean = d.u8(6) != 0;
        c.error = d.u8(6);
        break;
    case rec::Formula:
    case rec::Formula3:
    case rec::Formula4: return formula(d, at(d, Cell::Kind::Number), 6);
    case rec::String: return string(r);
    default:
        if (isBiff2Cell(r.id))
            throw Error(QCoreApplication::translate("Readers", "the first worksheet holds an Excel 2.x cell record "
                                                    "(0x%1), which this reader does not read in a "
                                                    "later workbook")
                            .arg(r.id, 4, 16, QChar(u'0')));
        return;
    }
    m_visitor.cell(c);
}

void Walker::record2(const Record& r)
{
    const ByteView d = payload(r);
    Cell c;
    switch (r.id) {
    case rec::Dimensions2: return dimensions(d);
    case rec::Row2: return m_visitor.row(d.u16(0), d.u16(4));
    case rec::ColWidth2: return m_visitor.columns(quint64(d.u8(1)) + 1);
    case rec::Blank2: c = at2(d, Cell::Kind::Blank); break;
    case rec::Integer2: c = at2(d, Cell::Kind::Number); c.number = d.u16(7); break;
    case rec::Number2: c = at2(d, Cell::Kind::Number); c.number = d.f64(7); break;
    case rec::Label2: c = at2(d, Cell::Kind::Text); c.text = byteString(d, 7, true, m_wb.codePage); break;
    case rec::BoolErr2:
        c = at2(d, d.u8(8) ? Cell::Kind::Error : Cell::Kind::Boolean);
        c.boolean = d.u8(7) != 0;
        c.error = d.u8(7);
        break;
    case rec::Formula: return formula(d, at2(d, Cell::Kind::Number), 7);
    case rec::String2: return string(r);
    default: return;
    }
    m_visitor.cell(c);
}

void Walker::dimensions(ByteView d)
{
    if (m_wb.biff8())
        m_visitor.dimensions(d.u32(4), d.u16(10));
    else
        m_visitor.dimensions(d.u16(2), d.u16(6));
}

// MULRK and MULBLANK: one row, consecutive columns, one XF (and RK value) per column.
void Walker::multiple(ByteView d, bool rk)
{
    const qsizetype width = rk ? 6 : 2;
    const qsizetype count = (d.size() - 6) / width;
    Cell c = at(d, rk ? Cell::Kind::Number : Cell::Kind::Blank);
    const int first = c.col;
    for (qsizetype i = 0; i < count; ++i) {
        c.col = first + int(i);
        c.xf = d.u16(4 + width * i);
        if (rk)
            c.number = rkValue(d.u32(6 + width * i));
        m_visitor.cell(c);
    }
}

// The cached result of a formula: a number, or, flagged by 0xFFFF in its top bytes, a
// string (in the next STRING record), a boolean, an error or the empty string.
// result: the offset of the 8 result bytes (7 in BIFF2, whose cells carry attribute bytes).
void Walker::formula(ByteView d, Cell c, qsizetype result)
{
    if (d.u16(result + 6) != 0xFFFF) {
        c.number = d.f64(result);
        return m_visitor.cell(c);
    }
    switch (d.u8(result)) {
    case 0: m_pending = c; m_pending->kind = Cell::Kind::Text; return;
    case 1: c.kind = Cell::Kind::Boolean; c.boolean = d.u8(result + 2) != 0; break;
    case 2: c.kind = Cell::Kind::Error; c.error = d.u8(result + 2); break;
    default: c.kind = Cell::Kind::Text; break; // 3: the empty string
    }
    m_visitor.cell(c);
}

void Walker::string(const Record& r)
{
    std::vector<ByteView> segments{payload(r)};
    for (const ByteView& part : m_reader.continues())
        segments.push_back(part);
    if (!m_pending)
        return;
    if (m_wb.biff8())
        m_pending->text = ContinuedReader(std::move(segments)).unicodeString(false, false);
    else
        m_pending->text = byteString(segments.front(), 0, r.id == rec::String2, m_wb.codePage);
    flushPending();
}

void Walker::sharedString(ByteView d)
{
    Cell c = at(d, Cell::Kind::Text);
    const quint32 index = d.u32(6);
    if (index >= m_wb.sharedStrings.size())
        throw Error(QCoreApplication::translate("Readers", "the cell %1 refers to a shared string that does not exist")
                        .arg(gridfill::cellName(quint32(c.col), quint32(c.row))));
    c.text = m_wb.sharedStrings[index];
    m_visitor.cell(c);
}

QString Walker::text(ByteView d, qsizetype offset)
{
    return m_wb.biff8() ? unicodeString(d, offset, false)
                      : byteString(d, offset, false, m_wb.codePage);
}

void Walker::flushPending()
{
    const Cell c = std::move(*m_pending);
    m_pending.reset();
    m_visitor.cell(c);
}

} // namespace

void walkSheet(Workbook& wb, const QByteArray& stream, qsizetype offset, SheetVisitor& visitor)
{
    if (offset < 0 || offset >= stream.size())
        fail(QT_TRANSLATE_NOOP("Readers", "the first worksheet lies outside the workbook stream"));
    RecordReader reader(stream, offset);
    const Record bof = reader.next();
    if (!rec::isBof(bof.id) || payload(bof).u16(2) != rec::WorksheetSubstream)
        fail(QT_TRANSLATE_NOOP("Readers", "the first worksheet does not start with a BOF record"));
    Walker walker(wb, reader, visitor);
    int depth = 1; // charts embedded in the sheet come as BOF ... EOF substreams
    while (!reader.atEnd()) {
        const Record r = reader.next();
        if (rec::isBof(r.id)) {
            ++depth;
        } else if (r.id == rec::Eof) {
            if (--depth == 0) {
                walker.record(r); // lets a formula still waiting for its string go out
                return;
            }
        } else if (depth == 1) {
            walker.record(r);
        }
    }
    fail(QT_TRANSLATE_NOOP("Readers", "the first worksheet has no EOF record"));
}

QString errorText(quint8 code)
{
    switch (code) {
    case 0x00: return QStringLiteral("#NULL!");
    case 0x07: return QStringLiteral("#DIV/0!");
    case 0x0F: return QStringLiteral("#VALUE!");
    case 0x17: return QStringLiteral("#REF!");
    case 0x1D: return QStringLiteral("#NAME?");
    case 0x24: return QStringLiteral("#NUM!");
    case 0x2A: return QStringLiteral("#N/A");
    case 0x2B: return QStringLiteral("#GETTING_DATA");
    default: return QStringLiteral("#ERROR(%1)").arg(code);
    }
}

} // namespace xls
