#include "CompoundFile.h"
#include <QCoreApplication>

#include <algorithm>

namespace xls {

namespace {

constexpr quint32 kEndOfChain = 0xFFFFFFFE;
constexpr quint32 kNoStream = 0xFFFFFFFF;
constexpr quint32 kMaxRegularSector = 0xFFFFFFFA;
constexpr int kHeaderDifatEntries = 109;
constexpr qsizetype kEntrySize = 128;
constexpr quint8 kStreamEntry = 2;
constexpr quint8 kRootEntry = 5;

const char* const kTruncated = QT_TRANSLATE_NOOP("Readers", "the compound file is truncated");

} // namespace

CompoundFile::CompoundFile(ByteView file) : m_file(file)
{
    readHeader();
    readFat();
    readDirectory();
    readMiniFat();
}

void CompoundFile::readHeader()
{
    static const unsigned char signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    if (m_file.size() < 8 || std::memcmp(m_file.data(), signature, 8) != 0)
        fail(QT_TRANSLATE_NOOP("Readers", "it is not an Excel 97-2003 workbook (no compound file header)"));
    const ByteView header = ByteView(m_file.data(), m_file.size(), kTruncated).sub(0, 512);
    // The byte order mark is always little-endian in practice; a writer that stored it the
    // other way round still wrote everything else little-endian.
    if (header.u16(28) != 0xFFFE && header.u16(28) != 0xFEFF)
        fail(QT_TRANSLATE_NOOP("Readers", "the compound file header is damaged (byte order mark)"));
    const quint16 sectorShift = header.u16(30);
    const quint16 miniShift = header.u16(32);
    if ((sectorShift != 9 && sectorShift != 12) || miniShift != 6)
        fail(QT_TRANSLATE_NOOP("Readers", "the compound file header is damaged (sector size)"));
    m_sectorSize = 1u << sectorShift;
    m_miniSectorSize = 1u << miniShift;
    if (m_file.size() < qsizetype(m_sectorSize))
        fail(kTruncated);
    m_fatSectors = header.u32(44);
    m_firstDirSector = header.u32(48);
    m_miniCutoff = header.u32(56);
    m_firstMiniFatSector = header.u32(60);
    m_miniFatSectors = header.u32(64);
    m_firstDifatSector = header.u32(68);
    m_difatSectors = header.u32(72);
    m_sectorCount = quint32((m_file.size() - m_sectorSize + m_sectorSize - 1) / m_sectorSize);
    if (m_fatSectors == 0 || m_fatSectors > m_sectorCount)
        fail(QT_TRANSLATE_NOOP("Readers", "the compound file header is damaged (FAT size)"));
}

ByteView CompoundFile::sector(quint32 index) const
{
    if (index >= m_sectorCount)
        fail(QT_TRANSLATE_NOOP("Readers", "the compound file is truncated or damaged (a sector lies past its end)"));
    const qsizetype offset = qsizetype(index + 1) * m_sectorSize;
    const qsizetype length = std::min<qsizetype>(m_sectorSize, m_file.size() - offset);
    return ByteView(m_file.data() + offset, length, kTruncated);
}

// The sectors holding the FAT: the first 109 are listed in the header, the rest in the
// DIFAT sectors, each of which ends with the index of the next one.
std::vector<quint32> CompoundFile::fatSectorList() const
{
    std::vector<quint32> list;
    list.reserve(m_fatSectors);
    const ByteView header(m_file.data(), 512, kTruncated);
    for (int i = 0; i < kHeaderDifatEntries && list.size() < m_fatSectors; ++i)
        list.push_back(header.u32(76 + 4 * i));
    std::vector<bool> visited(m_sectorCount, false);
    quint32 next = m_firstDifatSector;
    const quint32 perSector = m_sectorSize / 4 - 1;
    while (list.size() < m_fatSectors) {
        if (next >= m_sectorCount)
            fail(QT_TRANSLATE_NOOP("Readers", "the DIFAT chain of the compound file is broken"));
        if (visited[next])
            fail(QT_TRANSLATE_NOOP("Readers", "the DIFAT chain of the compound file loops"));
        visited[next] = true;
        const ByteView difat = sector(next);
        for (quint32 i = 0; i < perSector && list.size() < m_fatSectors; ++i)
            list.push_back(difat.u32(4 * i));
        next = difat.u32(4 * perSector);
    }
    return list;
}

void CompoundFile::readFat()
{
    const std::vector<quint32> list = fatSectorList();
    const quint32 perSector = m_sectorSize / 4;
    m_fat.reserve(size_t(list.size()) * perSector);
    for (quint32 index : list) {
        const ByteView fat = sector(index);
        for (quint32 i = 0; i < perSector; ++i)
            m_fat.push_back(fat.u32(4 * i));
    }
}

// The sectors of one chain, at most maxLength of them. Each index is checked against the
// table and visited once, so a loop or a stray index ends in an error.
std::vector<quint32> CompoundFile::chain(quint32 start, const std::vector<quint32>& table,
                                         quint64 maxLength, const char* what) const
{
    std::vector<quint32> sectors;
    std::vector<bool> visited(table.size(), false);
    for (quint32 current = start; current != kEndOfChain && sectors.size() < maxLength;
         current = table[current]) {
        if (current > kMaxRegularSector || current >= table.size())
            throw Error(QCoreApplication::translate("Readers", "the sector chain of the %1 points outside the file")
                            .arg(QCoreApplication::translate("Readers", what)));
        if (visited[current])
            throw Error(QCoreApplication::translate("Readers", "the sector chain of the %1 loops")
                            .arg(QCoreApplication::translate("Readers", what)));
        visited[current] = true;
        sectors.push_back(current);
    }
    return sectors;
}

QByteArray CompoundFile::readChain(quint32 start, quint64 size, bool mayEndEarly) const
{
    if (size > quint64(m_file.size()))
        fail(QT_TRANSLATE_NOOP("Readers", "a stream of the compound file is larger than the file"));
    const quint64 needed = (size + m_sectorSize - 1) / m_sectorSize;
    const std::vector<quint32> sectors = chain(start, m_fat, needed, QT_TRANSLATE_NOOP("Readers", "stream"));
    if (sectors.size() < needed)
        fail(QT_TRANSLATE_NOOP("Readers", "a stream of the compound file is shorter than its directory entry says"));
    QByteArray out;
    out.reserve(qsizetype(size));
    for (quint32 index : sectors) {
        const ByteView held = sector(index);
        qsizetype part = std::min<qsizetype>(m_sectorSize, qsizetype(size) - out.size());
        if (mayEndEarly)
            part = std::min(part, held.size());
        out.append(held.sub(0, part).data(), part);
    }
    return out;
}

QByteArray CompoundFile::readMiniChain(quint32 start, quint64 size) const
{
    if (size > quint64(m_miniStream.size()))
        fail(QT_TRANSLATE_NOOP("Readers", "a stream of the compound file is larger than its mini stream"));
    const quint64 needed = (size + m_miniSectorSize - 1) / m_miniSectorSize;
    const std::vector<quint32> sectors = chain(start, m_miniFat, needed, QT_TRANSLATE_NOOP("Readers", "mini stream"));
    if (sectors.size() < needed)
        fail(QT_TRANSLATE_NOOP("Readers", "a stream of the compound file is shorter than its directory entry says"));
    const ByteView mini(m_miniStream, QT_TRANSLATE_NOOP("Readers", "a mini sector index of the compound file is out of range"));
    QByteArray out;
    out.reserve(qsizetype(size));
    for (quint32 index : sectors) {
        const qsizetype part = std::min<qsizetype>(m_miniSectorSize, qsizetype(size) - out.size());
        out.append(mini.sub(qsizetype(index) * m_miniSectorSize, part).data(), part);
    }
    return out;
}

void CompoundFile::readDirectory()
{
    const std::vector<quint32> sectors = chain(m_firstDirSector, m_fat, m_fat.size(), QT_TRANSLATE_NOOP("Readers", "directory"));
    const bool version4 = m_sectorSize == 4096;
    for (quint32 index : sectors) {
        const ByteView dir = sector(index);
        for (qsizetype at = 0; at + kEntrySize <= qsizetype(m_sectorSize); at += kEntrySize) {
            const ByteView raw = dir.sub(at, kEntrySize);
            Entry e;
            const int nameBytes = std::min<int>(raw.u16(64), 64);
            const int nameChars = std::max(nameBytes / 2 - 1, 0);
            e.name.resize(nameChars);
            for (int i = 0; i < nameChars; ++i)
                e.name[i] = QChar(raw.u16(2 * i));
            e.type = raw.u8(66);
            e.left = raw.u32(68);
            e.right = raw.u32(72);
            e.child = raw.u32(76);
            e.start = raw.u32(116);
            // Version 3 files only use the low half; some writers leave garbage in the rest.
            e.size = version4 ? raw.u64(120) : raw.u32(120);
            m_entries.push_back(std::move(e));
        }
    }
    if (m_entries.empty() || m_entries.front().type != kRootEntry)
        fail(QT_TRANSLATE_NOOP("Readers", "the compound file has no root directory entry"));
    const Entry& root = m_entries.front();
    // Some writers end the file inside the last sector of the mini stream, after the last
    // byte a stream in it uses: the streams are whole, and a short one still fails below.
    if (root.size > 0)
        m_miniStream = readChain(root.start, root.size, true);
}

void CompoundFile::readMiniFat()
{
    if (m_firstMiniFatSector == kEndOfChain || m_miniFatSectors == 0)
        return;
    const std::vector<quint32> sectors =
        chain(m_firstMiniFatSector, m_fat, m_miniFatSectors, QT_TRANSLATE_NOOP("Readers", "mini FAT"));
    const quint32 perSector = m_sectorSize / 4;
    m_miniFat.reserve(size_t(sectors.size()) * perSector);
    for (quint32 index : sectors) {
        const ByteView fat = sector(index);
        for (quint32 i = 0; i < perSector; ++i)
            m_miniFat.push_back(fat.u32(4 * i));
    }
}

// The direct children of the root storage: a tree threaded through left and right.
std::vector<quint32> CompoundFile::rootChildren() const
{
    std::vector<quint32> children;
    std::vector<bool> visited(m_entries.size(), false);
    std::vector<quint32> pending{m_entries.front().child};
    while (!pending.empty()) {
        const quint32 index = pending.back();
        pending.pop_back();
        if (index == kNoStream)
            continue;
        if (index >= m_entries.size())
            fail(QT_TRANSLATE_NOOP("Readers", "the directory of the compound file is damaged"));
        if (visited[index])
            continue;
        visited[index] = true;
        children.push_back(index);
        pending.push_back(m_entries[index].left);
        pending.push_back(m_entries[index].right);
    }
    return children;
}

std::optional<QByteArray> CompoundFile::stream(const QString& name) const
{
    for (quint32 index : rootChildren()) {
        const Entry& e = m_entries[index];
        if (e.type != kStreamEntry || e.name.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (e.size < m_miniCutoff)
            return readMiniChain(e.start, e.size);
        return readChain(e.start, e.size);
    }
    return std::nullopt;
}

} // namespace xls
