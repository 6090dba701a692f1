#pragma once
// One streaming pass over a worksheet part that keeps each cell in 16 bytes, so that the
// used area is known before the grid is sized and the texts are made only once, straight
// into the grid.
#include "CellText.h"
#include "Package.h"

#include <QString>
#include <QtGlobal>

#include <string_view>
#include <vector>

namespace xlsx {

// The sheet limits of the file format: rows 1 to 1048576, columns A to XFD.
constexpr quint32 kMaxRows = 1048576;
constexpr quint32 kMaxColumns = 16384;
// A used area larger than this is refused rather than allocated: a stray format far out
// (say on XFD1048576) would otherwise ask for billions of grid cells.
constexpr quint64 kMaxAreaCells = quint64(1) << 25;

enum class CellKind : quint8 {
    Number,   // value: the number
    Date,     // value: a date serial of the workbook
    Currency, // value: the amount
    Boolean,  // value: 0 or 1
    IsoDate,  // value: days since 30 December 1899, fraction = time of day
    Shared,   // value: index into the shared strings
    Text,     // value: index into SheetCells::texts
    Error,    // value: index into SheetCells::texts (the error, such as "#N/A")
};

struct SheetCell {
    quint32 row; // 0-based
    quint16 col; // 0-based
    CellKind kind;
    double value;
};
static_assert(sizeof(SheetCell) == 16);

struct SheetCells {
    std::vector<SheetCell> cells; // in the order of the part; see rowMajor
    std::vector<QString> texts;
    bool rowMajor = true;         // cells strictly ordered by row, then column
    quint32 rows = 1;             // the used area from A1: cells present (styled blanks
    quint32 cols = 1;             // included) and the <dimension> end, whichever is further
};

struct SheetFormats {
    const std::vector<celltext::FormatKind>* cellFormats; // by style index
    size_t sharedStringCount;
};

SheetCells readSheet(const Package& package, const QString& partName, const SheetFormats& formats);

// "D40" for column 3, row 39.
QString cellName(quint32 col, quint32 row);
// Parses "D40" (letters then digits, within the sheet limits) into 0-based col and row.
bool parseCellName(std::string_view name, quint32& col, quint32& row);

} // namespace xlsx
