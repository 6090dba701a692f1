#include "PlainViews.h"

#include "platform/Error.h"

void PlainViews::setGridCurrentRow(int row)
{
    // A grid refuses a current row it does not have, as the window's grid does.
    if (row < 0 || row >= gridData.RowCount())
        throw Error(QStringLiteral("Grid index out of range"));
    const bool changed = row != currentRow;
    currentRow = row;
    if (changed && onGridRowChanged)
        onGridRowChanged();
}
