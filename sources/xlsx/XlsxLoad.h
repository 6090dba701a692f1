#pragma once
// The .xlsx reader with its ceilings given: what LoadXlsx runs with the defaults, and what
// the tests run with ceilings low enough to reach with small files.
#include "Package.h"
#include "RegionalSettings.h"

#include <QString>

class TextGrid;

namespace xlsx {

void loadXlsx(TextGrid& grid, const QString& fileName, const RegionalSettings& settings, const Limits& limits);

} // namespace xlsx
