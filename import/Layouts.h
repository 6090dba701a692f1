#pragma once
// The per-source layouts: they fill state.row from the current grid row or text line.
// A type without a layout of that kind leaves the row alone. Conversion errors are raised.
class ImportViews;
struct RunState;

// The types whose descriptor reads a spreadsheet; reads views.grid() at views.gridCurrentRow().
void ApplySpreadsheetLayout(int sourceType, const ImportViews& views, RunState& state);
// The types whose descriptor reads text; reads state.line (a LineSplit::Bars layout:
// views.lines() at views.listIndex(), and it may move the index from 0 to 1).
void ApplyTextLayout(int sourceType, ImportViews& views, RunState& state);
