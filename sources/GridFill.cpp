#include "GridFill.h"

#include "TextGrid.h"
#include "platform/Error.h"

#include <QCoreApplication>

#include <algorithm>

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
    if (m_stop)
        m_stopKey = key(m_stop->col, m_stop->row);
    const quint64 rows = area.rows();
    const quint64 cols = area.cols();
    if (rows * cols > maxCells)
        throw Error(QCoreApplication::translate("Readers", "The used area of the first worksheet, A1:%1, has more than %2 cells")
                        .arg(cellName(quint32(cols - 1), quint32(rows - 1)))
                        .arg(maxCells));
    grid.resize(int(rows), int(cols));
    // A used area of one cell gives no table of values to read: the grid's one cell stays
    // without text, whatever an earlier load left there.
    if (rows == 1 && cols == 1) {
        grid.setCell(0, 0, QString());
        throw Error(QCoreApplication::translate("Readers", "The first worksheet of \"%1\" has no cell beyond A1, so "
                                                "it holds no table to load")
                        .arg(fileName));
    }
    clearBeforeStop();
}

// Cells without a record read as empty: what an earlier load left there goes, up to where
// the fill stops. A fresh grid is empty already, so this only reads.
void GridFill::clearBeforeStop()
{
    const qsizetype cols = m_grid.ColCount();
    const qsizetype cells = qsizetype(m_grid.RowCount()) * cols;
    m_grid.clearCells(m_stop ? std::min(cells, qsizetype(m_stop->row) * cols + m_stop->col) : cells);
}

void GridFill::finish() const
{
    if (m_stop)
        throw Error(QCoreApplication::translate("Readers", "Cell %1 holds the error value %2")
                        .arg(cellName(m_stop->col, m_stop->row), m_errorValue));
}

} // namespace gridfill
