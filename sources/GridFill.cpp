#include "GridFill.h"

#include "TextGrid.h"
#include "platform/Error.h"

namespace gridfill {

QString cellName(quint32 col, quint32 row)
{
    QString letters;
    for (quint64 n = quint64(col) + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + char16_t((n - 1) % 26)));
    return letters + QString::number(quint64(row) + 1);
}

GridFill::GridFill(TextGrid& grid, const QString& fileName, const UsedArea& area,
                   const FirstError& error, quint64 maxCells)
    : m_grid(grid), m_stop(error.position()), m_errorValue(error.value())
{
    const quint64 rows = area.rows();
    const quint64 cols = area.cols();
    if (rows * cols > maxCells)
        throw Error(QStringLiteral("The used area of the first worksheet, A1:%1, has more than %2 cells")
                        .arg(cellName(quint32(cols - 1), quint32(rows - 1)))
                        .arg(maxCells));
    grid.resize(int(rows), int(cols));
    // A used area of one cell gives no table of values to read: the grid's one cell stays
    // without text, whatever an earlier load left there.
    if (rows == 1 && cols == 1) {
        grid.setCell(0, 0, QString());
        throw Error(QStringLiteral("The first worksheet of \"%1\" has no cell beyond A1, so it "
                                   "holds no table to load")
                        .arg(fileName));
    }
    clearBeforeStop();
}

// Cells without a record read as empty: what an earlier load left there goes, up to where
// the fill stops. A fresh grid is empty already, so this only reads.
void GridFill::clearBeforeStop()
{
    const int rows = m_grid.RowCount();
    const int cols = m_grid.ColCount();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            if (!reaches(quint32(c), quint32(r)))
                return;
            if (!m_grid.cell(c, r).isEmpty())
                m_grid.setCell(c, r, QString());
        }
}

void GridFill::put(quint32 col, quint32 row, QString text)
{
    if (reaches(col, row))
        m_grid.setCell(int(col), int(row), std::move(text));
}

void GridFill::finish() const
{
    if (m_stop)
        throw Error(QStringLiteral("Cell %1 holds the error value %2")
                        .arg(cellName(m_stop->col, m_stop->row), m_errorValue));
}

} // namespace gridfill
