#include "XlsxReader.h"
#include <QCoreApplication>

#include "CellText.h"
#include "Package.h"
#include "SheetCells.h"
#include "TextGrid.h"
#include "WorkbookParts.h"
#include "platform/Error.h"

#include <algorithm>
#include <cmath>

namespace xlsx {
namespace {

const Relationship* findRelationship(const std::vector<Relationship>& rels, QStringView kind)
{
    for (const Relationship& r : rels)
        if (hasType(r, kind))
            return &r;
    return nullptr;
}

// The first sheet in workbook order that is a worksheet (chart sheets are skipped, as a
// workbook's worksheet collection does).
QString firstWorksheet(const Package& package, const WorkbookInfo& workbook, const std::vector<Relationship>& rels)
{
    for (const QString& id : workbook.sheetIds) {
        for (const Relationship& r : rels)
            if (r.id == id && hasType(r, u"worksheet"))
                return r.target;
    }
    throw Error(QCoreApplication::translate("Readers", "The workbook \"%1\" has no worksheet").arg(package.fileName()));
}

struct Values {
    std::vector<QString> shared;
    std::vector<QString>& texts;
    bool date1904;
    const RegionalSettings& settings;
};

QString isoDateText(double ms, const RegionalSettings& settings)
{
    const qint64 total = qint64(ms);
    const qint64 perDay = 86400000;
    const qint64 day = total >= 0 ? total / perDay : -((-total + perDay - 1) / perDay);
    return celltext::dateTime(QDate(1899, 12, 30).addDays(day),
                              QTime::fromMSecsSinceStartOfDay(int(total - day * perDay)), settings);
}

QString cellText(const SheetCell& cell, Values& values)
{
    switch (cell.kind) {
    case CellKind::Number:
        return celltext::number(cell.value, values.settings);
    case CellKind::Date:
        return celltext::dateTime(cell.value, values.date1904, values.settings);
    case CellKind::Currency:
        return celltext::currency(cell.value, values.settings);
    case CellKind::Boolean:
        return celltext::boolean(cell.value != 0);
    case CellKind::IsoDate:
        return isoDateText(cell.value, values.settings);
    case CellKind::Shared:
        return values.shared[size_t(cell.value)]; // shares the string's data, no copy
    case CellKind::Text:
    case CellKind::Error:
        return std::move(values.texts[size_t(cell.value)]);
    }
    return {};
}

// Empties the grid cells from one row-major position up to another: the sheet's empty
// cells read as empty texts, whatever the grid held before.
void clearCells(TextGrid& grid, quint64 from, quint64 to)
{
    const quint64 cols = quint64(grid.ColCount());
    if (from >= to)
        return;
    int row = int(from / cols);
    int col = int(from % cols);
    for (quint64 p = from; p < to; ++p) {
        if (!grid.cell(col, row).isEmpty())
            grid.setCell(col, row, QString());
        if (++col == int(cols)) {
            col = 0;
            ++row;
        }
    }
}

// Row by row, each left to right, as a reader of the grid expects a partial load to look:
// an error value stops the fill with everything before it in place.
void fillGrid(TextGrid& grid, SheetCells& sheet, Values& values)
{
    if (!sheet.rowMajor)
        std::stable_sort(sheet.cells.begin(), sheet.cells.end(), [](const SheetCell& a, const SheetCell& b) {
            return a.row != b.row ? a.row < b.row : a.col < b.col;
        });
    const quint64 cols = quint64(grid.ColCount());
    quint64 next = 0;
    for (const SheetCell& cell : sheet.cells) {
        const quint64 position = quint64(cell.row) * cols + cell.col;
        clearCells(grid, next, position);
        if (cell.kind == CellKind::Error)
            throw Error(QCoreApplication::translate("Readers", "Cell %1 holds the error value %2")
                            .arg(cellName(cell.col, cell.row), values.texts[size_t(cell.value)]));
        grid.setCell(int(cell.col), int(cell.row), cellText(cell, values));
        next = std::max(next, position + 1);
    }
    clearCells(grid, next, quint64(grid.RowCount()) * cols);
}

} // namespace
} // namespace xlsx

void LoadXlsx(TextGrid& grid, const QString& fileName, const RegionalSettings& settings)
{
    using namespace xlsx;
    const Package package(fileName);
    const QString workbookPart = findWorkbookPart(package);
    const WorkbookInfo workbook = readWorkbook(package, workbookPart);
    const std::vector<Relationship> rels = readRelationships(package, workbookPart);
    const QString sheetPart = firstWorksheet(package, workbook, rels);

    std::vector<celltext::FormatKind> formats;
    if (const Relationship* styles = findRelationship(rels, u"styles"))
        formats = readCellFormats(package, styles->target);
    std::vector<QString> shared;
    if (const Relationship* strings = findRelationship(rels, u"sharedStrings"))
        shared = readSharedStrings(package, strings->target);
    SheetCells sheet = readSheet(package, sheetPart, {&formats, shared.size()});

    if (quint64(sheet.rows) * sheet.cols > kMaxAreaCells)
        throw Error(QCoreApplication::translate("Readers", "The used area of the first worksheet, A1:%1, has more than %2 cells")
                        .arg(cellName(sheet.cols - 1, sheet.rows - 1))
                        .arg(kMaxAreaCells));
    grid.resize(int(sheet.rows), int(sheet.cols));
    if (sheet.rows == 1 && sheet.cols == 1) {
        grid.setCell(0, 0, QString()); // a single cell is no table: the grid gets no text
        throw Error(QCoreApplication::translate("Readers", "The first worksheet of \"%1\" has no cell beyond A1, so it holds no table "
                                   "to load").arg(fileName));
    }
    Values values{std::move(shared), sheet.texts, workbook.date1904, settings};
    fillGrid(grid, sheet, values);
}
