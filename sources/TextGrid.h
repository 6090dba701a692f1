#pragma once
// The grid contract: rows x columns of text, addressed (column, row), both 0-based.
// Row 0 and column 0 look and act fixed (grey, not selectable) when the grid has more than
// one row, respectively more than one column. A sheet of 100k rows has millions of cells, so
// they are kept compact: each cell's text is copied into large shared blocks (one byte a
// character when it fits Latin-1), and a cell is 8 bytes of reference into them. The
// QString a reader asks for is made on demand.
#include <QAbstractTableModel>
#include <QString>

#include <array>
#include <memory>
#include <vector>

class TextGrid : public QAbstractTableModel {
    Q_OBJECT
public:
    // A fresh grid has the usual 5 x 5 empty cells of a text grid.
    explicit TextGrid(QObject* parent = nullptr);

    int RowCount() const { return m_rows; }
    int ColCount() const { return m_cols; }
    // Resizing keeps the cells that stay inside; new cells are empty.
    void setRowCount(int rows);
    void setColCount(int cols);
    void resize(int rows, int cols);

    // A cell outside the grid reads as the empty text. The reference stays valid through
    // the next MadeTexts - 1 calls of cell() (it is one of a few texts made on demand):
    // copy it to keep it longer.
    const QString& cell(int col, int row) const;
    static constexpr int MadeTexts = 16;
    // Writes silently: a loader fills a million cells, so it calls announceAll() once
    // when it is done (or has failed) instead of one signal per cell.
    void setCell(int col, int row, QString text);
    // Empties the first count cells in reading order (row by row, each left to right).
    void clearCells(qsizetype count);
    void announceAll();

    bool hasFixedRow() const { return m_rows > 1; }
    bool hasFixedColumn() const { return m_cols > 1; }

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // Where a cell's text lies: block (12 bits) and offset (20 bits) in `where`, and its
    // length in characters with the top bit set for UTF-16 (two bytes a character).
    struct CellRef {
        quint32 where = 0;
        quint32 size = 0;
    };
    static constexpr quint32 Wide = 0x80000000u;
    static constexpr int BlockBits = 20;

    bool isFixed(int col, int row) const;
    CellRef store(QStringView text);
    QString textOf(CellRef ref) const;
    int m_rows = 0;
    int m_cols = 0;
    std::vector<CellRef> m_cells;
    std::vector<std::unique_ptr<char[]>> m_blocks;
    qsizetype m_blockUsed = 0; // bytes used in the last block
    qsizetype m_blockSize = 0; // its size
    mutable std::array<QString, MadeTexts> m_made;
    mutable int m_nextMade = 0;
};
