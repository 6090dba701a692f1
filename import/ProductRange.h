#pragma once
// Which rows or lines of a loaded source are products. Blank lines at the end of a text
// export and empty rows at the end of a sheet (some applications save their formatting
// down to row 1,048,576) are not: a run stops after the last line or row that holds any
// text. A blank line or an empty row between products still is one.
class ImportViews;
class TextGrid;
class TextLines;

// One past the last line that holds anything but blanks; 0 when none does.
int TextProductEnd(const TextLines& lines);
// One past the last grid row, after the header row 0, with a cell that holds anything but
// blanks; 1 when none does.
int SheetProductEnd(const TextGrid& grid);

// How many products a run of sourceType would try over the source the views hold (the
// header line of a type that has one is not counted); 0 when nothing is loaded.
int ProductCount(const ImportViews& views, int sourceType);
