#pragma once
// Fills the grid with the used area (from A1) of the first worksheet of a workbook, chosen
// by extension: ".xlsx" through the .xlsx reader, ".xls"/".XLS" through the .xls reader.
// Raises an error on failure; what was already written to the grid stays.
#include "RegionalSettings.h"

#include <QString>

class TextGrid;

void LoadSpreadsheet(TextGrid& grid, const QString& fileName, const RegionalSettings& settings);
