#pragma once
// The grid contract: rows x columns of text, addressed (column, row), both 0-based.
// Row 0 and column 0 look and act fixed (grey, not selectable) when the grid has more than
// one row, respectively more than one column. Cells live in one flat row-major vector, so a
// 100k-row sheet costs one QString per cell and nothing per view item.
#include <QAbstractTableModel>
#include <QString>
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

    // A cell outside the grid reads as the empty text.
    const QString& cell(int col, int row) const;
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
    bool isFixed(int col, int row) const;
    int m_rows = 0;
    int m_cols = 0;
    std::vector<QString> m_cells;
};
