#include "BiffRecords.h"
#include <QCoreApplication>

#include "platform/AnsiCodePage.h"

#include <algorithm>

namespace xls {

namespace {
const char* const kRecordPastEnd = QT_TRANSLATE_NOOP("Readers", "a record runs past the end of the workbook stream");
const char* const kStringPastEnd = QT_TRANSLATE_NOOP("Readers", "a string runs past the end of its record");
} // namespace

RecordReader::RecordReader(const QByteArray& stream, qsizetype offset)
    : m_stream(stream, kRecordPastEnd), m_pos(offset)
{
    if (offset < 0 || offset > stream.size())
        m_stream.fail();
}

Record RecordReader::next()
{
    Record r;
    r.offset = m_pos;
    r.id = m_stream.u16(m_pos);
    const quint16 length = m_stream.u16(m_pos + 2);
    r.data = m_stream.sub(m_pos + 4, length);
    m_pos += 4 + length;
    return r;
}

quint16 RecordReader::peekId() const
{
    return m_stream.has(m_pos, 2) ? m_stream.u16(m_pos) : 0;
}

std::vector<ByteView> RecordReader::continues()
{
    std::vector<ByteView> out;
    while (peekId() == rec::Continue)
        out.push_back(next().data);
    return out;
}

ContinuedReader::ContinuedReader(std::vector<ByteView> segments) : m_segments(std::move(segments))
{
}

qsizetype ContinuedReader::remaining() const
{
    return m_index < m_segments.size() ? m_segments[m_index].size() - m_pos : 0;
}

bool ContinuedReader::atEnd() const
{
    if (remaining() > 0)
        return false;
    for (size_t i = m_index + 1; i < m_segments.size(); ++i)
        if (m_segments[i].size() > 0)
            return false;
    return true;
}

bool ContinuedReader::nextSegment()
{
    if (m_index + 1 >= m_segments.size())
        return false;
    ++m_index;
    m_pos = 0;
    return true;
}

void ContinuedReader::fail() const
{
    throw Error(QCoreApplication::translate("Readers", kStringPastEnd));
}

quint8 ContinuedReader::u8()
{
    while (remaining() == 0)
        if (!nextSegment())
            fail();
    return m_segments[m_index].u8(m_pos++);
}

quint16 ContinuedReader::u16()
{
    const quint16 low = u8();
    return quint16(low | (u8() << 8));
}

quint32 ContinuedReader::u32()
{
    const quint32 low = u16();
    return low | (quint32(u16()) << 16);
}

void ContinuedReader::skip(quint64 bytes)
{
    while (bytes > 0) {
        while (remaining() == 0)
            if (!nextSegment())
                fail();
        const qsizetype step = qsizetype(std::min<quint64>(bytes, quint64(remaining())));
        m_pos += step;
        bytes -= quint64(step);
    }
}

QString ContinuedReader::chars(int count, bool highByte)
{
    QString out(count, Qt::Uninitialized);
    QChar* dst = out.data();
    int done = 0;
    while (done < count) {
        if (remaining() == 0) {
            if (!nextSegment())
                fail();
            highByte = m_segments[m_index].u8(m_pos++) & 0x01;
            continue;
        }
        const qsizetype width = highByte ? 2 : 1;
        const int take = int(std::min<qsizetype>(count - done, remaining() / width));
        if (take == 0)
            fail(); // a 16-bit character cut in half by the record boundary
        const ByteView part = m_segments[m_index].sub(m_pos, take * width);
        const auto* src = reinterpret_cast<const unsigned char*>(part.data());
        for (int i = 0; i < take; ++i)
            dst[done + i] = highByte ? QChar(char16_t(src[2 * i] | (src[2 * i + 1] << 8)))
                                     : QChar(char16_t(src[i]));
        done += take;
        m_pos += take * width;
    }
    return out;
}

QString ContinuedReader::unicodeString(bool shortLength, bool skipTrailer)
{
    const int count = shortLength ? u8() : u16();
    const quint8 flags = u8();
    const quint16 runs = (flags & 0x08) ? u16() : 0;
    const quint32 phonetic = (flags & 0x04) ? u32() : 0;
    QString text = chars(count, flags & 0x01);
    if (skipTrailer)
        skip(quint64(runs) * 4 + phonetic);
    return text;
}

CodePage::CodePage() : m_decoder(platform::ansiCodePageName()) {}

void CodePage::set(quint16 codePage)
{
    QByteArray name;
    switch (codePage) {
    case 367: name = "US-ASCII"; break;
    case 437: name = "IBM437"; break;
    case 850: name = "IBM850"; break;
    case 852: name = "IBM852"; break;
    case 866: name = "IBM866"; break;
    case 932: name = "Shift_JIS"; break;
    case 936: name = "GBK"; break;
    case 949: name = "windows-949"; break;
    case 950: name = "Big5"; break;
    case 10000:
    case 32768: name = "macintosh"; break;
    case 32769: name = "windows-1252"; break;
    default:
        // The Macintosh code pages (10029 Central European, 10007 Cyrillic, ...) go by their
        // Windows numbers among Qt's converters, where it has them.
        if (codePage == 874 || (codePage >= 1250 && codePage <= 1258) || (codePage > 10000 && codePage < 10100))
            name = "windows-" + QByteArray::number(codePage);
    }
    // An unknown code page keeps the default rather than failing the load: the letters of
    // such a file are all that is at stake, not its numbers.
    if (name.isEmpty())
        return;
    QStringDecoder decoder(name.constData());
    if (decoder.isValid())
        m_decoder = std::move(decoder);
}

QString CodePage::decode(ByteView bytes)
{
    m_decoder.resetState();
    return m_decoder.decode(QByteArrayView(bytes.data(), bytes.size()));
}

QString byteString(ByteView data, qsizetype offset, bool shortLength, CodePage& codePage)
{
    const ByteView bounded(data.data(), data.size(), kStringPastEnd);
    const qsizetype length = shortLength ? bounded.u8(offset) : bounded.u16(offset);
    const qsizetype start = offset + (shortLength ? 1 : 2);
    return codePage.decode(bounded.sub(start, length));
}

QString unicodeString(ByteView data, qsizetype offset, bool shortLength)
{
    const ByteView bounded(data.data(), data.size(), kStringPastEnd);
    const int count = shortLength ? bounded.u8(offset) : bounded.u16(offset);
    qsizetype at = offset + (shortLength ? 1 : 2);
    // Some writers end the record early: an empty string without its option byte, or the
    // last character cut off. What the record holds is the string, as other readers take it.
    if (!bounded.has(at, 1))
        return {};
    const quint8 flags = bounded.u8(at++);
    at += ((flags & 0x08) ? 2 : 0) + ((flags & 0x04) ? 4 : 0);
    const qsizetype width = (flags & 0x01) ? 2 : 1;
    const qsizetype held = bounded.has(at, 0) ? (bounded.size() - at) / width : 0;
    ContinuedReader reader({bounded.from(std::min(at, bounded.size()))});
    return reader.chars(int(std::min<qsizetype>(count, held)), flags & 0x01);
}

} // namespace xls
