#pragma once
// The Compound File Binary container of an .xls workbook: header (512- or 4096-byte
// sectors), FAT with its DIFAT chain, directory, mini FAT and mini stream. It only reads:
// every sector index is range-checked and every chain is walked with a visited set, so a
// damaged or hostile file gives an Error, never a hang or a read outside the file.
#include "ByteView.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace xls {

class CompoundFile {
public:
    // The file's bytes must outlive the object; nothing is copied until a stream is read.
    explicit CompoundFile(ByteView file);

    // The contents of the stream of that name among the root storage's children (names
    // compare without regard to case, as the format says), or nothing when there is none.
    std::optional<QByteArray> stream(const QString& name) const;

private:
    struct Entry {
        QString name;
        quint8 type = 0;
        quint32 left = 0, right = 0, child = 0;
        quint32 start = 0;
        quint64 size = 0;
    };

    void readHeader();
    std::vector<quint32> fatSectorList() const;
    void readFat();
    void readDirectory();
    void readMiniFat();
    ByteView sector(quint32 index) const;
    std::vector<quint32> chain(quint32 start, const std::vector<quint32>& table,
                               quint64 maxLength, const char* what) const;
    QByteArray readChain(quint32 start, quint64 size, bool mayEndEarly = false) const;
    QByteArray readMiniChain(quint32 start, quint64 size) const;
    std::vector<quint32> rootChildren() const;

    ByteView m_file;
    quint32 m_sectorSize = 512;
    quint32 m_miniSectorSize = 64;
    quint32 m_miniCutoff = 4096;
    quint32 m_fatSectors = 0;
    quint32 m_firstDirSector = 0;
    quint32 m_firstMiniFatSector = 0;
    quint32 m_miniFatSectors = 0;
    quint32 m_firstDifatSector = 0;
    quint32 m_difatSectors = 0;
    quint32 m_sectorCount = 0; // whole sectors after the header, partial last one included
    std::vector<quint32> m_fat;
    std::vector<quint32> m_miniFat;
    std::vector<Entry> m_entries;
    QByteArray m_miniStream;
};

} // namespace xls
