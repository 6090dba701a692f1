#pragma once
// BIFF records of a Workbook (BIFF8) or Book (BIFF5) stream, or of an Excel 2.1 to 4.0
// worksheet (BIFF2 to BIFF4), and the strings inside them.
#include "ByteView.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <vector>

namespace xls {

namespace rec {
constexpr quint16 Formula = 0x0006;
constexpr quint16 Eof = 0x000A;
constexpr quint16 DateMode = 0x0022;
constexpr quint16 FilePass = 0x002F;
constexpr quint16 Continue = 0x003C;
constexpr quint16 CodePage = 0x0042;
constexpr quint16 ColInfo = 0x007D;
constexpr quint16 BoundSheet = 0x0085;
constexpr quint16 MulRk = 0x00BD;
constexpr quint16 MulBlank = 0x00BE;
constexpr quint16 RString = 0x00D6;
constexpr quint16 Xf = 0x00E0;
constexpr quint16 Sst = 0x00FC;
constexpr quint16 LabelSst = 0x00FD;
constexpr quint16 Dimensions = 0x0200;
constexpr quint16 Blank = 0x0201;
constexpr quint16 Number = 0x0203;
constexpr quint16 Label = 0x0204;
constexpr quint16 BoolErr = 0x0205;
constexpr quint16 String = 0x0207;
constexpr quint16 Row = 0x0208;
constexpr quint16 Rk = 0x027E;
constexpr quint16 Format = 0x041E;
constexpr quint16 Bof = 0x0809;
constexpr quint16 Formula3 = 0x0206; // the FORMULA of Excel 3.0 and 4.0, still written by
constexpr quint16 Formula4 = 0x0406; // some tools into later files; laid out as FORMULA

// Excel 2.1 to 4.0 (BIFF2 to BIFF4): worksheets of one sheet each, whose records differ.
constexpr quint16 Bof2 = 0x0009;
constexpr quint16 Bof3 = 0x0209;
constexpr quint16 Bof4 = 0x0409;
constexpr quint16 Dimensions2 = 0x0000;
constexpr quint16 Blank2 = 0x0001;
constexpr quint16 Integer2 = 0x0002;
constexpr quint16 Number2 = 0x0003;
constexpr quint16 Label2 = 0x0004;
constexpr quint16 BoolErr2 = 0x0005;
constexpr quint16 String2 = 0x0007;
constexpr quint16 Row2 = 0x0008;
constexpr quint16 Format2 = 0x001E;
constexpr quint16 ColWidth2 = 0x0024;
constexpr quint16 Xf3 = 0x0243;
constexpr quint16 Xf4 = 0x0443;

// The substream type of a BOF record that opens a worksheet.
constexpr quint16 WorksheetSubstream = 0x0010;

inline bool isBof(quint16 id) { return id == Bof || id == Bof2 || id == Bof3 || id == Bof4; }
} // namespace rec

struct Record {
    quint16 id = 0;
    qsizetype offset = 0; // of the record header in the stream
    ByteView data;        // the payload
};

// Walks the records of a stream from an offset. A record whose length runs past the end of
// the stream is an error, not a short read.
class RecordReader {
public:
    RecordReader(const QByteArray& stream, qsizetype offset);
    bool atEnd() const { return m_pos >= m_stream.size(); }
    Record next();
    // The id of the record next() would return, or 0 at the end of the stream.
    quint16 peekId() const;
    // The payloads of the CONTINUE records that follow, consumed.
    std::vector<ByteView> continues();

private:
    ByteView m_stream;
    qsizetype m_pos;
};

// Reads a value that may be split over a record and its CONTINUE records. Header fields and
// formatting runs cross a boundary as plain bytes; characters cross it with a new option
// byte at the start of the next record, which can switch between 8- and 16-bit characters.
class ContinuedReader {
public:
    explicit ContinuedReader(std::vector<ByteView> segments);
    bool atEnd() const;
    quint8 u8();
    quint16 u16();
    quint32 u32();
    void skip(quint64 bytes);
    QString chars(int count, bool highByte);
    // An 8-bit or 16-bit-length BIFF8 string with option flags. Its rich-text runs and
    // phonetic data are skipped when something follows it (as in the shared strings).
    QString unicodeString(bool shortLength, bool skipTrailer = true);

private:
    qsizetype remaining() const;
    bool nextSegment();
    [[noreturn]] void fail() const;

    std::vector<ByteView> m_segments;
    size_t m_index = 0;
    qsizetype m_pos = 0;
};

// The code page of BIFF5 8-bit strings (CODEPAGE record); windows-1252 unless told.
class CodePage {
public:
    CodePage();
    void set(quint16 codePage);
    QString decode(ByteView bytes);

private:
    QStringDecoder m_decoder;
};

// A BIFF5 string of bytes behind a 1- or 2-byte length, at offset in data.
QString byteString(ByteView data, qsizetype offset, bool shortLength, CodePage& codePage);
// A BIFF8 string at offset in one record.
QString unicodeString(ByteView data, qsizetype offset, bool shortLength);

} // namespace xls
