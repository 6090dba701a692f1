#include "BiffGlobals.h"
#include <QCoreApplication>

#include <QHash>

#include <algorithm>

namespace xls {

namespace {

constexpr quint16 kBiff5 = 0x0500;
constexpr quint16 kBiff8 = 0x0600;
constexpr quint16 kGlobalsSubstream = 0x0005;
constexpr quint16 kExcel4Workbook = 0x0100;
constexpr quint8 kWorksheetType = 0;

ByteView payload(const Record& r)
{
    return ByteView(r.data.data(), r.data.size(), QT_TRANSLATE_NOOP("Readers", "a record of the workbook is too short"));
}

// The version from the first BOF: BIFF5 and BIFF8 streams start with the workbook globals,
// an Excel 2.1 to 4.0 file is one worksheet whose own head holds what the globals would.
void readBof(RecordReader& reader, Workbook& wb)
{
    if (reader.atEnd())
        fail(QT_TRANSLATE_NOOP("Readers", "the workbook stream is empty"));
    const Record bof = reader.next();
    const ByteView d = payload(bof);
    switch (bof.id) {
    case rec::Bof2: wb.version = 2; break;
    case rec::Bof3: wb.version = 3; break;
    case rec::Bof4: wb.version = 4; break;
    case rec::Bof:
        if (d.u16(0) != kBiff5 && d.u16(0) != kBiff8)
            fail(QT_TRANSLATE_NOOP("Readers", "the workbook is neither BIFF5 nor BIFF8"));
        wb.version = d.u16(0) == kBiff8 ? 8 : 5;
        break;
    default: fail(QT_TRANSLATE_NOOP("Readers", "the workbook stream does not start with a BOF record"));
    }
    const quint16 type = d.u16(2);
    if (wb.version >= 5 && type != kGlobalsSubstream)
        fail(QT_TRANSLATE_NOOP("Readers", "the workbook stream does not start with the workbook globals"));
    if (wb.version <= 4 && type == kExcel4Workbook)
        fail(QT_TRANSLATE_NOOP("Readers", "Excel 4.0 workbooks of several sheets are not supported"));
    if (wb.version <= 4 && type != rec::WorksheetSubstream)
        fail(QT_TRANSLATE_NOOP("Readers", "the file holds no worksheet"));
    if (wb.version <= 4)
        wb.firstWorksheet = 0;
}

void readSharedStrings(const Record& sst, RecordReader& reader, Workbook& wb)
{
    std::vector<ByteView> segments{payload(sst)};
    qsizetype bytes = sst.data.size();
    for (const ByteView& part : reader.continues()) {
        segments.push_back(part);
        bytes += part.size();
    }
    ContinuedReader strings(std::move(segments));
    strings.u32(); // total references, not needed
    const quint32 unique = strings.u32();
    // Every string takes at least three bytes: never trust the count for the allocation.
    wb.sharedStrings.reserve(std::min<quint64>(unique, quint64(bytes) / 3));
    for (quint32 i = 0; i < unique && !strings.atEnd(); ++i)
        wb.sharedStrings.push_back(strings.unicodeString(false));
}

// FORMAT: BIFF5 and BIFF8 give each code its id; before, the codes are numbered in the
// order of their records (BIFF4 has two unused bytes before the code).
void readFormat(const Record& r, Workbook& wb, QHash<int, QString>& formats)
{
    const ByteView d = payload(r);
    switch (wb.version) {
    case 8: formats.insert(d.u16(0), unicodeString(d, 2, false)); break;
    case 5: formats.insert(d.u16(0), byteString(d, 2, true, wb.codePage)); break;
    case 4: formats.insert(int(formats.size()), byteString(d, 2, true, wb.codePage)); break;
    default: formats.insert(int(formats.size()), byteString(d, 0, true, wb.codePage)); break;
    }
}

void classifyXfs(const std::vector<quint16>& xfFormats, const QHash<int, QString>& formats,
                 Workbook& wb)
{
    wb.xfKinds.reserve(xfFormats.size());
    // The code a FORMAT record gives decides, below 164 too: writers other than Excel put
    // codes of their own under the built-in ids. Only an id without a record is taken from
    // the built-in table.
    for (quint16 id : xfFormats)
        wb.xfKinds.push_back(celltext::classifyFormat(id, formats.value(id)));
}

// The records of the globals that the cells need; false at their EOF.
bool readGlobal(const Record& r, RecordReader& reader, Workbook& wb, QHash<int, QString>& formats,
                std::vector<quint16>& xfFormats)
{
    switch (r.id) {
    case rec::Eof: return false;
    case rec::FilePass: fail(QT_TRANSLATE_NOOP("Readers", "the workbook is password-protected"));
    case rec::CodePage: wb.codePage.set(payload(r).u16(0)); break;
    case rec::DateMode: wb.date1904 = payload(r).u16(0) != 0; break;
    case rec::Format:
    case rec::Format2: readFormat(r, wb, formats); break;
    case rec::Xf: xfFormats.push_back(payload(r).u16(2)); break;
    case rec::Xf3:
    case rec::Xf4: xfFormats.push_back(payload(r).u8(1)); break;
    case rec::BoundSheet:
        if (wb.version >= 5 && wb.firstWorksheet < 0 && payload(r).u8(5) == kWorksheetType)
            wb.firstWorksheet = payload(r).u32(0);
        break;
    case rec::Sst:
        if (wb.biff8())
            readSharedStrings(r, reader, wb);
        break;
    default: break;
    }
    return true;
}

} // namespace

Workbook readWorkbook(const QByteArray& stream)
{
    Workbook wb;
    RecordReader reader(stream, 0);
    readBof(reader, wb);
    QHash<int, QString> formats;
    std::vector<quint16> xfFormats;
    bool ended = false;
    while (!ended && !reader.atEnd())
        ended = !readGlobal(reader.next(), reader, wb, formats, xfFormats);
    if (!ended)
        fail(wb.version >= 5 ? QT_TRANSLATE_NOOP("Readers", "the workbook globals have no EOF record")
                             : QT_TRANSLATE_NOOP("Readers", "the worksheet has no EOF record"));
    if (wb.firstWorksheet < 0)
        fail(QT_TRANSLATE_NOOP("Readers", "the workbook has no worksheet"));
    // BIFF2 cells name their number format themselves, by its place among the FORMAT records.
    if (wb.version == 2)
        for (quint16 i = 0; i < 64; ++i)
            xfFormats.push_back(i);
    classifyXfs(xfFormats, formats, wb);
    return wb;
}

} // namespace xls
