#include "TextGrid.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace {
const QString kEmpty;
}

TextGrid::TextGrid(QObject* parent) : QAbstractTableModel(parent)
{
    resize(5, 5);
}

void TextGrid::setRowCount(int rows) { resize(rows, m_cols); }
void TextGrid::setColCount(int cols) { resize(m_rows, cols); }

void TextGrid::resize(int rows, int cols)
{
    rows = std::max(rows, 0);
    cols = std::max(cols, 0);
    if (rows == m_rows && cols == m_cols)
        return;
    beginResetModel();
    if (cols == m_cols) {
        m_cells.resize(size_t(rows) * size_t(cols));
    } else {
        std::vector<QString> cells(size_t(rows) * size_t(cols));
        const int keepRows = std::min(rows, m_rows);
        const int keepCols = std::min(cols, m_cols);
        for (int r = 0; r < keepRows; ++r)
            for (int c = 0; c < keepCols; ++c)
                cells[size_t(r) * cols + c] = std::move(m_cells[size_t(r) * m_cols + c]);
        m_cells = std::move(cells);
    }
    m_rows = rows;
    m_cols = cols;
    endResetModel();
}

const QString& TextGrid::cell(int col, int row) const
{
    if (col < 0 || row < 0 || col >= m_cols || row >= m_rows)
        return kEmpty;
    return m_cells[size_t(row) * m_cols + col];
}

void TextGrid::setCell(int col, int row, QString text)
{
    if (col < 0 || row < 0 || col >= m_cols || row >= m_rows)
        return;
    m_cells[size_t(row) * m_cols + col] = std::move(text);
}

void TextGrid::clearCells(qsizetype count)
{
    const size_t end = std::min(size_t(std::max<qsizetype>(count, 0)), m_cells.size());
    for (size_t i = 0; i < end; ++i)
        if (!m_cells[i].isEmpty())
            m_cells[i] = QString();
}

void TextGrid::announceAll()
{
    if (m_rows > 0 && m_cols > 0)
        emit dataChanged(index(0, 0), index(m_rows - 1, m_cols - 1), {Qt::DisplayRole});
}

int TextGrid::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }
int TextGrid::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_cols; }

bool TextGrid::isFixed(int col, int row) const
{
    return (row == 0 && hasFixedRow()) || (col == 0 && hasFixedColumn());
}

QVariant TextGrid::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return cell(index.column(), index.row());
    case Qt::BackgroundRole:
        if (isFixed(index.column(), index.row()))
            return QBrush(QColor(0xc0, 0xc0, 0xc0));
        return {};
    case Qt::ForegroundRole:
        if (isFixed(index.column(), index.row()))
            return QBrush(Qt::black);
        return {};
    default:
        return {};
    }
}

Qt::ItemFlags TextGrid::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (isFixed(index.column(), index.row()))
        return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
