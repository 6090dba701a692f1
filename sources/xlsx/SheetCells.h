#pragma once
// One streaming pass over a worksheet part that keeps each cell in 16 bytes, so that the
// used area is known before the grid is sized and the texts are made only once, straight
// into the grid.
#include "CellText.h"
#include "GridFill.h"
#include "Package.h"

#include <QString>
#include <QtGlobal>

#include <string_view>
#include <vector>

namespace xlsx {

// The sheet limits of the file format: rows 1 to 1048576, columns A to XFD.
constexpr quint32 kMaxRows = 1048576;
constexpr quint32 kMaxColumns = 16384;

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
    std::vector<SheetCell> cells; // in the order of the part
    std::vector<QString> texts;
    gridfill::UsedArea area; // cells present (styled blanks included) and the <dimension> end
};

struct SheetFormats {
    const std::vector<celltext::FormatKind>* cellFormats; // by style index
    size_t sharedStringCount;
};

class TextBudget;

// Raises Error past the package's ceiling of cells, or when the sheet's own texts take more
// than the budget.
SheetCells readSheet(const Package& package, const QString& partName, const SheetFormats& formats, TextBudget& budget);

// Parses "D40" (letters then digits, within the sheet limits) into 0-based col and row.
bool parseCellName(std::string_view name, quint32& col, quint32& row);

} // namespace xlsx
