#pragma once
#include "RegionalSettings.h"

#include <QString>

class TextGrid;

// The first worksheet of an .xlsx workbook into the grid (see LoadSpreadsheet).
void LoadXlsx(TextGrid& grid, const QString& fileName, const RegionalSettings& settings);
