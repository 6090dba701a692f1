#pragma once
// The .xls reader over bytes already in memory: what LoadXls runs once the file is read,
// and what the fuzz target and the container tests drive directly.
#include "GridFill.h"
#include "RegionalSettings.h"

#include <QByteArrayView>
#include <QString>

class TextGrid;

namespace xls {

// Fills the grid as LoadXls does; fileName only goes into the messages. maxCells bounds
// the grid (see GridFill).
void loadXlsData(TextGrid& grid, QByteArrayView data, const RegionalSettings& settings,
                 const QString& fileName, qint64 maxCells = qint64(gridfill::kMaxAreaCells));

} // namespace xls
