#pragma once
// The stage both spreadsheet readers (.xls and .xlsx) hand their cells to: it sizes the grid
// to the used area within the cell ceiling, refuses an area of one cell, empties what an
// earlier load left, writes the texts and stops at the first error cell in reading order with
// everything before it in place. The readers only decode their files into cells.
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <optional>

class TextGrid;

namespace gridfill {

// A used area larger than this is refused rather than allocated: a stray format far out
// (say on XFD1048576) would otherwise ask for billions of grid cells.
constexpr quint64 kMaxAreaCells = quint64(1) << 25;

// "D40" for column 3, row 39 (both 0-based).
QString cellName(quint32 col, quint32 row);

// Row first, then column: the order in which the grid is filled.
struct Position {
    quint32 row = 0;
    quint32 col = 0;
    bool operator<(const Position& o) const { return row < o.row || (row == o.row && col < o.col); }
};

// The used area from A1, from the records that exist: every cell (a value, or a blank that
// carries formatting) counts; a declared dimension counts only as far as the row records
// (and, for columns, their spans and the column records) also reach, as the application
// that saved the file counted them. A dimension that nothing reaches does not count.
class UsedArea {
public:
    void includeCell(quint64 col, quint64 row)
    {
        m_cellRows = std::max(m_cellRows, row + 1);
        m_cellCols = std::max(m_cellCols, col + 1);
    }
    // A row record; spanCols: the columns from A its cells span (0 when it does not say).
    void includeRow(quint64 row, quint64 spanCols)
    {
        m_recordRows = std::max(m_recordRows, row + 1);
        m_recordCols = std::max(m_recordCols, spanCols);
    }
    // A column record (width, style) reaching this many columns from A.
    void includeColumns(quint64 cols) { m_recordCols = std::max(m_recordCols, cols); }
    // The dimension the file declares, as row and column counts from A1.
    void declare(quint64 rows, quint64 cols)
    {
        m_declaredRows = std::max(m_declaredRows, rows);
        m_declaredCols = std::max(m_declaredCols, cols);
    }
    // At least A1: an empty sheet is the single cell A1.
    quint64 rows() const { return std::max({m_cellRows, std::min(m_declaredRows, m_recordRows), quint64(1)}); }
    quint64 cols() const { return std::max({m_cellCols, std::min(m_declaredCols, m_recordCols), quint64(1)}); }

private:
    quint64 m_cellRows = 0;
    quint64 m_cellCols = 0;
    quint64 m_recordRows = 0;
    quint64 m_recordCols = 0;
    quint64 m_declaredRows = 0;
    quint64 m_declaredCols = 0;
};

// The error cell the fill stops at: the first in reading order of those offered.
class FirstError {
public:
    void offer(quint32 col, quint32 row, const QString& value)
    {
        const Position at{row, col};
        if (!m_at || at < *m_at) {
            m_at = at;
            m_value = value;
        }
    }
    const std::optional<Position>& position() const { return m_at; }
    const QString& value() const { return m_value; }

private:
    std::optional<Position> m_at;
    QString m_value;
};

class GridFill {
public:
    // Checks the area against the ceiling (the grid untouched when it is too large), sizes
    // the grid, refuses a single cell (the grid then has one empty cell), and empties every
    // cell before the stop. fileName goes into the messages.
    GridFill(TextGrid& grid, const QString& fileName, const UsedArea& area, const FirstError& error,
             quint64 maxCells = kMaxAreaCells);

    // Whether a cell lies before the stop: only those are written.
    bool reaches(quint32 col, quint32 row) const { return !m_stop || Position{row, col} < *m_stop; }
    // Writes a cell's text, in any order; a cell at or after the stop is left alone.
    void put(quint32 col, quint32 row, QString text);
    // Raises the error of the stop cell, when there is one.
    void finish() const;

private:
    void clearBeforeStop();

    TextGrid& m_grid;
    std::optional<Position> m_stop;
    QString m_errorValue;
};

} // namespace gridfill
