// Applying a source type's layout, as its descriptor in SourceTypes.cpp lists it, to the
// current grid row or text line.
#include "Layouts.h"

#include "ErrorScope.h"
#include "ImportViews.h"
#include "LayoutSteps.h"
#include "RunState.h"
#include "SourceTypes.h"
#include "platform/Error.h"

namespace {

using namespace layout;

// Field n is the text after the n-th ";", up to the next one; a ";" that ends the line
// opens no field. A last field that no ";" closes counts, up to the end of the line.
QStringList semicolonFields(const QString& line)
{
    QStringList fields = line.split(u';');
    if (fields.size() > 1 && line.endsWith(u';'))
        fields.removeLast();
    return fields;
}

// The line is the list's own, not the current line: the first line of a "|" export is a
// header, so a run standing on it moves on to the second. A line with fewer than fifteen
// fields gives empty missing fields.
QStringList barFields(ImportViews& views)
{
    if (views.listIndex() == 0)
        views.setListIndex(1);
    const int index = views.listIndex();
    if (index < 0 || index >= views.lines().size())
        throw RowDataError(QStringLiteral("List index out of bounds (%1)").arg(index));
    QStringList fields = (views.lines().line(index) + u'|').split(u'|').mid(0, 15);
    while (fields.size() < 15)
        fields.append(QString());
    return fields;
}

} // namespace

void ApplySpreadsheetLayout(int sourceType, const ImportViews& views, RunState& state)
{
    const SourceTypeDescriptor* type = FindSourceType(sourceType);
    if (!type || type->kind != SourceKind::Spreadsheet)
        return;
    Input input{views, state, {}};
    applySteps(type->layout, input);
}

void ApplyTextLayout(int sourceType, ImportViews& views, RunState& state)
{
    const SourceTypeDescriptor* type = FindSourceType(sourceType);
    if (!type || type->kind != SourceKind::Text)
        return;
    Input input{views, state, {}};
    if (type->split == LineSplit::Semicolons)
        input.fields = semicolonFields(state.line.text());
    else if (type->split == LineSplit::Bars)
        input.fields = barFields(views);
    applySteps(type->layout, input);
}
