#pragma once
// A zip archive whose members are stored uncompressed, built in memory: lets a fuzz target
// mutate the XML inside a workbook directly instead of compressed bytes that almost never
// inflate.
#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace fuzz {

QByteArray storedZip(const std::vector<std::pair<QString, QByteArray>>& members);

} // namespace fuzz
