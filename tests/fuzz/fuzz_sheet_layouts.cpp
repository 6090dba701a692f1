// libFuzzer entry: a random grid through the spreadsheet layouts and the statement builder,
// row by row as the import loop walks a loaded sheet. Every insert built must be one insert
// of 22 values; conversion errors are normal row failures.
//
// Input: a byte choosing the type, one with flags (bit 0: keep the source barcode, bit 1:
// regional settings with "." instead of ","), then cells. A cell is a column byte and its
// text up to 0xFF; 0xFE moves to the next grid row. Text bytes are UTF-8, or UTF-16 LE
// pairs after 0xFD, so that lone surrogates and any character can reach a cell.
#include "CurrentLine.h"
#include "FuzzSupport.h"
#include "Layouts.h"
#include "PlainViews.h"
#include "ProductRow.h"
#include "RunState.h"
#include "SourceTypes.h"
#include "platform/Error.h"

#include <array>

namespace {

constexpr std::array<int, 6> kSheetTypes{10, 12, 4, 2, 1, 0};
constexpr int kColumns = 70; // past the highest column any layout reads (66)
constexpr int kMaxRows = 200;

QString cellText(const uint8_t* p, size_t n)
{
    if (n > 0 && p[0] == 0xFD) {
        QString text;
        for (size_t i = 1; i + 1 < n; i += 2)
            text += QChar(char16_t(p[i] | p[i + 1] << 8));
        return text;
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(p), qsizetype(n));
}

// Row 0 stays the header, as a loaded sheet has it.
void fillGrid(TextGrid& grid, const uint8_t* data, size_t size)
{
    std::vector<std::vector<std::pair<int, QString>>> rows(2);
    size_t i = 0;
    while (i < size) {
        if (data[i] == 0xFE) {
            if (rows.size() >= size_t(kMaxRows))
                break;
            rows.emplace_back();
            ++i;
            continue;
        }
        const int col = data[i++] % kColumns;
        const size_t start = i;
        while (i < size && data[i] != 0xFF && data[i] != 0xFE)
            ++i;
        rows.back().emplace_back(col, cellText(data + start, i - start));
        if (i < size && data[i] == 0xFF)
            ++i;
    }
    grid.resize(int(rows.size()), kColumns);
    for (size_t r = 1; r < rows.size(); ++r)
        for (auto& [col, text] : rows[r])
            grid.setCell(col, int(r), std::move(text));
}

void importRow(int type, const PlainViews& views, RunState& state)
{
    try {
        SetRowDefaults(state.row, FindSourceKind(SourceKind::Spreadsheet)->defaultCsosn);
        ApplySpreadsheetLayout(type, views, state);
        fuzz::checkProductInsert(state.row);
    } catch (const Error& e) {
        fuzz::note(QStringLiteral("row failed: ") + e.message());
        ++state.FailedCount;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int type = kSheetTypes[data[0] % kSheetTypes.size()];
    const bool keepBarcode = data[1] & 1;
    const RegionalSettings settings = data[1] & 2 ? RegionalSettings::point() : RegionalSettings::brazil();
    PlainViews views;
    views.type = type;
    views.mode = QStringLiteral("Excel");
    fillGrid(views.gridData, data + 2, size - 2);
    CurrentLine line;
    RunState state{ProductRow{}, 0, keepBarcode, TextLines{}, line, settings};
    for (int row = 1; row < views.grid().RowCount(); ++row) {
        views.setGridCurrentRow(row);
        importRow(type, views, state);
    }
    return 0;
}
