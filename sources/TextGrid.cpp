#include "TextGrid.h"

#include "platform/Error.h"

#include <QBrush>
#include <QColor>
#include <QCoreApplication>

#include <algorithm>
#include <cstring>

namespace {
const QString kEmpty;

bool fitsLatin1(QStringView text)
{
    for (const QChar c : text)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}
} // namespace

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
        std::vector<CellRef> cells(size_t(rows) * size_t(cols));
        const int keepRows = std::min(rows, m_rows);
        const int keepCols = std::min(cols, m_cols);
        for (int r = 0; r < keepRows; ++r)
            for (int c = 0; c < keepCols; ++c)
                cells[size_t(r) * cols + c] = m_cells[size_t(r) * m_cols + c];
        m_cells = std::move(cells);
    }
    // Texts no cell refers to any more would stay in the blocks; an empty grid drops them.
    if (m_cells.empty()) {
        m_blocks.clear();
        m_blockUsed = m_blockSize = 0;
    }
    m_rows = rows;
    m_cols = cols;
    endResetModel();
}

const QString& TextGrid::cell(int col, int row) const
{
    if (col < 0 || row < 0 || col >= m_cols || row >= m_rows)
        return kEmpty;
    const CellRef ref = m_cells[size_t(row) * m_cols + col];
    if (ref.size == 0)
        return kEmpty;
    QString& made = m_made[size_t(m_nextMade)];
    m_nextMade = (m_nextMade + 1) % MadeTexts;
    made = textOf(ref);
    return made;
}

void TextGrid::setCell(int col, int row, QString text)
{
    if (col < 0 || row < 0 || col >= m_cols || row >= m_rows)
        return;
    m_cells[size_t(row) * m_cols + col] = text.isEmpty() ? CellRef{} : store(text);
}

// Appends the text to the last block, or to a new one when it does not fit: a text longer
// than a block gets a block of its own.
TextGrid::CellRef TextGrid::store(QStringView text)
{
    const bool narrow = fitsLatin1(text);
    const qsizetype bytes = narrow ? text.size() : text.size() * qsizetype(sizeof(char16_t));
    if (text.size() >= qsizetype(Wide))
        throw Error(QCoreApplication::translate("Readers", "A cell text of %1 characters is too long").arg(text.size()));
    if (m_blocks.empty() || m_blockUsed + bytes > m_blockSize) {
        if (m_blocks.size() >= (size_t(1) << (32 - BlockBits)))
            throw Error(QCoreApplication::translate("Readers", "The grid's texts do not fit in memory"));
        m_blockSize = std::max<qsizetype>(qsizetype(1) << BlockBits, bytes);
        m_blocks.push_back(std::make_unique<char[]>(size_t(m_blockSize)));
        m_blockUsed = 0;
    }
    char* at = m_blocks.back().get() + m_blockUsed;
    if (narrow) {
        for (qsizetype i = 0; i < text.size(); ++i)
            at[i] = char(text[i].unicode());
    } else {
        std::memcpy(at, text.utf16(), size_t(bytes));
    }
    // An oversized block holds one text at offset 0, so 20 bits of offset always do.
    const CellRef ref{quint32(m_blocks.size() - 1) << BlockBits | quint32(m_blockUsed),
                      quint32(text.size()) | (narrow ? 0u : Wide)};
    m_blockUsed += bytes;
    return ref;
}

QString TextGrid::textOf(CellRef ref) const
{
    const char* at = m_blocks[ref.where >> BlockBits].get() + (ref.where & ((1u << BlockBits) - 1));
    const qsizetype length = qsizetype(ref.size & ~Wide);
    if (!(ref.size & Wide))
        return QString::fromLatin1(at, length);
    QString text(length, Qt::Uninitialized);
    std::memcpy(text.data(), at, size_t(length) * sizeof(char16_t));
    return text;
}

void TextGrid::clearCells(qsizetype count)
{
    const size_t end = std::min(size_t(std::max<qsizetype>(count, 0)), m_cells.size());
    // The texts stay in their blocks until the grid is resized; an empty reference reads as
    // an empty cell.
    for (size_t i = 0; i < end; ++i)
        m_cells[i] = CellRef{};
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
