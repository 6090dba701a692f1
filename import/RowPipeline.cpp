#include "RowPipeline.h"

#include "ImportViews.h"
#include "Layouts.h"
#include "RunState.h"
#include "SourceTypes.h"

void BuildSheetRow(int sourceType, const ImportViews& views, RunState& state)
{
    SetRowDefaults(state.row, FindSourceKind(SourceKind::Spreadsheet)->defaultCsosn);
    ApplySpreadsheetLayout(sourceType, views, state);
}

void BuildTextRow(int sourceType, ImportViews& views, RunState& state)
{
    const int index = views.listIndex();
    state.line.setText(views.lines().line(index));
    SetRowDefaults(state.row, FindSourceKind(SourceKind::Text)->defaultCsosn);
    state.row.codigo = QString::number(index + 1);
    ApplyTextLayout(sourceType, views, state);
}

QStringList CompletedRowStatement(ProductRow& row, const QString& registrationDate)
{
    CompleteProductRow(row);
    return CheckedProductInsert(row, registrationDate);
}

int SourceRowNumber(const ImportViews& views)
{
    const SourceKindDescriptor* kind = SourceKindOfMode(views.sourceMode());
    return kind && kind->kind == SourceKind::Spreadsheet ? views.gridCurrentRow() + 1 : views.listIndex() + 1;
}

QString FailedRowLine(const ProductRow& row, const QString& message)
{
    return QStringLiteral("Nome: ") + row.produto + QStringLiteral("|Código: ") + row.codigo
           + QStringLiteral("|Erro: ") + message;
}
