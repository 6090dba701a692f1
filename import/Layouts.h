#pragma once
// The per-source layouts: they fill state.row from the current grid row or text line.
// A type without a layout of that kind leaves the row alone. Conversion errors are raised.
#include <QChar>
#include <QList>
#include <QPair>

class ImportViews;
struct RunState;

// Types 10, 12, 4, 2, 1, 0; reads views.grid() at views.gridCurrentRow().
void ApplySpreadsheetLayout(int sourceType, const ImportViews& views, RunState& state);
// Types 13, 11, 3, 5, 6, 7, 8, 9; reads state.line (type 6: views.lines() at
// views.listIndex(), and it may move the index from 0 to 1).
void ApplyTextLayout(int sourceType, ImportViews& views, RunState& state);

// Which types have a layout of each kind.
bool HasSpreadsheetLayout(int sourceType);
bool HasTextLayout(int sourceType);

// What a text layout cuts from the current line: its fixed windows (start, length), or the
// number of the furthest delimited field it reads with the separator (field n follows the
// n-th separator). Empty for a type without a text layout.
struct TextLayoutShape {
    QList<QPair<int, int>> windows;
    int fields = 0;
    QChar separator;
};
TextLayoutShape TextLayoutShapeOf(int sourceType);
