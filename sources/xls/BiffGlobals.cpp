#include "BiffGlobals.h"
#include <QCoreApplication>

#include <QHash>

#include <algorithm>

namespace xls {

namespace {

constexpr quint16 kBiff5 = 0x0500;
constexpr quint16 kBiff8 = 0x0600;
constexpr quint16 kGlobalsSubstream = 0x0005;
constexpr quint8 kWorksheetType = 0;
// Formats below this id are built in: their id alone says what they are, whatever
// (localised) code a FORMAT record gives them.
constexpr int kFirstCustomFormat = 164;

[[noreturn]] void fail(const char* message)
{
    throw Error(QCoreApplication::translate("Readers", message));
}

ByteView payload(const Record& r)
{
    return ByteView(r.data.data(), r.data.size(), "a record of the workbook is too short");
}

void readBof(RecordReader& reader, Workbook& wb)
{
    if (reader.atEnd())
        fail(QT_TRANSLATE_NOOP("Readers", "the workbook stream is empty"));
    const Record bof = reader.next();
    if (bof.id == 0x0009 || bof.id == 0x0209 || bof.id == 0x0409)
        fail(QT_TRANSLATE_NOOP("Readers", "workbooks older than Excel 5 are not supported"));
    if (bof.id != rec::Bof)
        fail(QT_TRANSLATE_NOOP("Readers", "the workbook stream does not start with a BOF record"));
    const quint16 version = payload(bof).u16(0);
    if (version != kBiff5 && version != kBiff8)
        fail(QT_TRANSLATE_NOOP("Readers", "the workbook is neither BIFF5 nor BIFF8"));
    if (payload(bof).u16(2) != kGlobalsSubstream)
        fail(QT_TRANSLATE_NOOP("Readers", "the workbook stream does not start with the workbook globals"));
    wb.biff8 = version == kBiff8;
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

QString formatCode(const Record& r, Workbook& wb)
{
    return wb.biff8 ? unicodeString(payload(r), 2, false)
                    : byteString(payload(r), 2, true, wb.codePage);
}

void classifyXfs(const std::vector<quint16>& xfFormats, const QHash<int, QString>& formats,
                 Workbook& wb)
{
    wb.xfKinds.reserve(xfFormats.size());
    for (quint16 id : xfFormats) {
        const QString code = id < kFirstCustomFormat ? QString() : formats.value(id);
        wb.xfKinds.push_back(celltext::classifyFormat(id, code));
    }
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
    while (!ended && !reader.atEnd()) {
        const Record r = reader.next();
        switch (r.id) {
        case rec::Eof: ended = true; break;
        case rec::FilePass: fail(QT_TRANSLATE_NOOP("Readers", "the workbook is password-protected"));
        case rec::CodePage: wb.codePage.set(payload(r).u16(0)); break;
        case rec::DateMode: wb.date1904 = payload(r).u16(0) != 0; break;
        case rec::Format: formats.insert(payload(r).u16(0), formatCode(r, wb)); break;
        case rec::Xf: xfFormats.push_back(payload(r).u16(2)); break;
        case rec::BoundSheet:
            if (wb.firstWorksheet < 0 && payload(r).u8(5) == kWorksheetType)
                wb.firstWorksheet = payload(r).u32(0);
            break;
        case rec::Sst:
            if (wb.biff8)
                readSharedStrings(r, reader, wb);
            break;
        default: break;
        }
    }
    if (!ended)
        fail(QT_TRANSLATE_NOOP("Readers", "the workbook globals have no EOF record"));
    if (wb.firstWorksheet < 0)
        fail(QT_TRANSLATE_NOOP("Readers", "the workbook has no worksheet"));
    classifyXfs(xfFormats, formats, wb);
    return wb;
}

} // namespace xls
