#include "XlsxReader.h"
#include <QCoreApplication>

#include "CellText.h"
#include "GridFill.h"
#include "Package.h"
#include "SheetCells.h"
#include "TextGrid.h"
#include "WorkbookParts.h"
#include "XlsxLoad.h"
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

// The cells in the order of the part: the stage puts each in its place and stops at the
// first error cell in reading order.
void fillGrid(gridfill::GridFill& fill, const SheetCells& sheet, Values& values)
{
    for (const SheetCell& cell : sheet.cells)
        if (cell.kind != CellKind::Error && fill.reaches(cell.col, cell.row))
            fill.put(cell.col, cell.row, cellText(cell, values));
    fill.finish();
}

gridfill::FirstError firstError(const SheetCells& sheet)
{
    gridfill::FirstError error;
    for (const SheetCell& cell : sheet.cells)
        if (cell.kind == CellKind::Error)
            error.offer(cell.col, cell.row, sheet.texts[size_t(cell.value)]);
    return error;
}

} // namespace
} // namespace xlsx

namespace xlsx {

void loadXlsx(TextGrid& grid, const QString& fileName, const RegionalSettings& settings, const Limits& limits)
{
    const Package package(fileName, limits);
    const QString workbookPart = findWorkbookPart(package);
    const WorkbookInfo workbook = readWorkbook(package, workbookPart);
    const std::vector<Relationship> rels = readRelationships(package, workbookPart);
    const QString sheetPart = firstWorksheet(package, workbook, rels);

    std::vector<celltext::FormatKind> formats;
    if (const Relationship* styles = findRelationship(rels, u"styles"))
        formats = readCellFormats(package, styles->target);
    TextBudget budget(limits.textTotalBytes);
    std::vector<QString> shared;
    if (const Relationship* strings = findRelationship(rels, u"sharedStrings"))
        shared = readSharedStrings(package, strings->target, budget);
    SheetCells sheet = readSheet(package, sheetPart, {&formats, shared.size()}, budget);

    gridfill::GridFill fill(grid, fileName, sheet.area, firstError(sheet), limits.cells);
    Values values{std::move(shared), sheet.texts, workbook.date1904, settings};
    fillGrid(fill, sheet, values);
}

} // namespace xlsx

void LoadXlsx(TextGrid& grid, const QString& fileName, const RegionalSettings& settings)
{
    xlsx::loadXlsx(grid, fileName, settings, {});
}
