#include "ProductRange.h"

#include "ImportViews.h"
#include "SourceTypes.h"
#include "TextGrid.h"
#include "TextLines.h"

#include <algorithm>

namespace {

bool holdsText(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return !c.isSpace(); });
}

bool rowHoldsText(const TextGrid& grid, int row)
{
    for (int col = 0; col < grid.ColCount(); ++col)
        if (holdsText(grid.cell(col, row)))
            return true;
    return false;
}

} // namespace

int TextProductEnd(const TextLines& lines)
{
    int end = int(lines.size());
    while (end > 0 && !holdsText(lines.line(end - 1)))
        --end;
    return end;
}

int SheetProductEnd(const TextGrid& grid)
{
    int end = grid.RowCount();
    while (end > 1 && !rowHoldsText(grid, end - 1))
        --end;
    return std::max(end, 1);
}

int ProductCount(const ImportViews& views, int sourceType)
{
    const SourceKindDescriptor* loaded = SourceKindOfMode(views.sourceMode());
    if (loaded && loaded->kind == SourceKind::Spreadsheet)
        return SheetProductEnd(views.grid()) - 1;
    if (!loaded || loaded->kind != SourceKind::Text)
        return 0;
    const int end = TextProductEnd(views.lines());
    // A "|"-separated export begins with a header line, which its layout steps over.
    const SourceTypeDescriptor* type = FindSourceType(sourceType);
    const int first = type && type->split == LineSplit::Bars ? 1 : 0;
    return std::max(0, end - first);
}
