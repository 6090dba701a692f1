#pragma once
// Workbooks written byte by byte for the .xlsx tests: a zip writer that can make a part
// inflate far beyond its size on disk (and headers that lie about it), and the parts of a
// one-sheet workbook that a test replaces or drops. Needs zlib.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

#include <zlib.h>

#include <map>
#include <optional>
#include <vector>

// Raw deflate data for the text, ending byte-aligned with a full flush (more data may
// follow, each piece decoding on its own) or with the final block.
inline QByteArray deflated(const QByteArray& text, bool final)
{
    z_stream z{};
    if (deflateInit2(&z, 9, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        qFatal("deflateInit2");
    QByteArray out(int(deflateBound(&z, uLong(text.size())) + 64), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.constData()));
    z.avail_in = uInt(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, final ? Z_FINISH : Z_FULL_FLUSH);
    out.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    return out;
}

inline QByteArray le(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char(quint64(value) >> (8 * i)));
    return out;
}

// A zip written byte by byte, so that a test can make a part whose inflated size is far
// larger than the file, and headers that lie about it.
class ZipWriter {
public:
    void add(const QByteArray& name, const QByteArray& text) { addDeflated(name, deflated(text, true), crc(text), quint32(text.size())); }
    // A part made of head, body repeated count times, and tail, deflated piece by piece.
    void addRepeated(const QByteArray& name, const QByteArray& head, const QByteArray& body, int count,
                     const QByteArray& tail, std::optional<quint32> declaredSize = {})
    {
        QByteArray data = deflated(head, false);
        const QByteArray piece = deflated(body, false);
        for (int i = 0; i < count; ++i)
            data += piece;
        data += deflated(tail, true);
        uLong sum = crc(head);
        for (int i = 0; i < count; ++i)
            sum = crc32_combine(sum, crc(body), z_off_t(body.size()));
        sum = crc32_combine(sum, crc(tail), z_off_t(tail.size()));
        const quint64 size = quint64(head.size()) + quint64(body.size()) * quint64(count) + quint64(tail.size());
        QVERIFY(size < 0xFFFFFFFFu);
        addDeflated(name, data, sum, declaredSize.value_or(quint32(size)));
    }
    bool save(const QString& path) const
    {
        QByteArray directory;
        for (const Entry& e : m_entries)
            directory += le(0x02014b50, 4) + le(20, 2) + header(e) + QByteArray(10, '\0') + le(e.offset, 4) + e.name;
        const QByteArray end = le(0x06054b50, 4) + le(0, 4) + le(quint32(m_entries.size()), 2) + le(quint32(m_entries.size()), 2)
            + le(quint32(directory.size()), 4) + le(quint32(m_data.size()), 4) + le(0, 2);
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(m_data + directory + end) > 0;
    }

private:
    struct Entry {
        QByteArray name;
        quint32 crc, packed, size, offset;
    };
    static uLong crc(const QByteArray& b) { return crc32(0, reinterpret_cast<const Bytef*>(b.constData()), uInt(b.size())); }
    // The fields local and central headers share: version, flags, method, time, date, CRC,
    // sizes, name length and extra length.
    static QByteArray header(const Entry& e)
    {
        return le(20, 2) + le(0, 2) + le(8, 2) + le(0, 2) + le(0x21, 2) + le(e.crc, 4) + le(e.packed, 4) + le(e.size, 4)
            + le(quint32(e.name.size()), 2) + le(0, 2);
    }
    void addDeflated(const QByteArray& name, const QByteArray& data, uLong sum, quint32 size)
    {
        const Entry e{name, quint32(sum), quint32(data.size()), size, quint32(m_data.size())};
        m_data += le(0x04034b50, 4) + header(e) + name + data;
        m_entries.push_back(e);
    }
    QByteArray m_data;
    std::vector<Entry> m_entries;
};

inline const QByteArray kSheetHead = "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
inline const QByteArray kSheetTail = "</sheetData></worksheet>";

// The parts of a one-sheet workbook, each of which a test may replace or drop.
inline std::map<QByteArray, QByteArray> workbookParts(const QByteArray& sheetData)
{
    const QByteArray rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    return {
        {"xl/workbook.xml", "<workbook xmlns:r=\"" + rel.chopped(1) + "\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels", "<Relationships><Relationship Id=\"rId1\" Type=\"" + rel + "worksheet\" Target=\"worksheets/sheet1.xml\"/>"
            "<Relationship Id=\"rId2\" Type=\"" + rel + "sharedStrings\" Target=\"sharedStrings.xml\"/></Relationships>"},
        {"xl/sharedStrings.xml", "<sst><si><t>um</t></si><si><t>dois</t></si></sst>"},
        {"xl/worksheets/sheet1.xml", kSheetHead + sheetData + kSheetTail},
    };
}


inline bool saveWorkbook(const std::map<QByteArray, QByteArray>& parts, const QString& path)
{
    ZipWriter zip;
    for (const auto& [name, data] : parts)
        zip.add(name, data);
    return zip.save(path);
}
