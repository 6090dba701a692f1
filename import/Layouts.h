#pragma once
// The per-source layouts: they fill state.row from the current grid row or text line.
// A type without a layout of that kind leaves the row alone. Conversion errors are raised.
class ImportViews;
struct RunState;

// Types 10, 12, 4, 2, 1, 0; reads views.grid() at views.gridCurrentRow().
void ApplySpreadsheetLayout(int sourceType, const ImportViews& views, RunState& state);
// Types 13, 11, 3, 5, 6, 7, 8, 9; reads state.line (type 6: views.lines() at
// views.listIndex(), and it may move the index from 0 to 1).
void ApplyTextLayout(int sourceType, ImportViews& views, RunState& state);
// True for a type whose text exports begin with a header line that is not a product.
bool TextLayoutSkipsFirstLine(int sourceType);
