#pragma once
#include "RegionalSettings.h"

#include <QString>

class TextGrid;

// The first worksheet of an .xls workbook (BIFF8 or BIFF5 in a compound file) into the grid
// (see LoadSpreadsheet).
void LoadXls(TextGrid& grid, const QString& fileName, const RegionalSettings& settings);
