#pragma once
// The .xls reader over bytes already in memory: what LoadXls runs once the file is read,
// and what the fuzz target and the container tests drive directly.
#include "RegionalSettings.h"

#include <QByteArrayView>
#include <QString>

class TextGrid;

namespace xls {

// The largest used area a BIFF8 sheet can have (65,536 rows by 256 columns).
constexpr qint64 kMaxSheetCells = qint64(65536) * 256;

// Fills the grid as LoadXls does; fileName only goes into the messages. maxCells bounds
// the grid that a damaged DIMENSIONS record or cell address can ask for.
void loadXlsData(TextGrid& grid, QByteArrayView data, const RegionalSettings& settings,
                 const QString& fileName, qint64 maxCells = kMaxSheetCells);

} // namespace xls
