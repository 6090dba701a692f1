#include "LayoutSteps.h"

#include "CellText.h"
#include "ErrorScope.h"
#include "FieldHelpers.h"
#include "ImportViews.h"
#include "RunState.h"
#include "TextGrid.h"

namespace layout {

namespace {

QString barcodeListLine(const Input& input)
{
    const TextLines& list = input.state.BarcodeListFile;
    const int index = input.views.listIndex();
    if (index < 0 || index >= list.size())
        throw RowDataError(QStringLiteral("List index out of bounds (%1)").arg(index));
    return list.line(index);
}

// The source text of a step; false when the step does not apply to this line.
bool sourceText(const Step& step, Input& input, QString& text)
{
    switch (step.from) {
    case From::Column:
        text = input.views.grid().cell(step.at, input.views.gridCurrentRow());
        return true;
    case From::RowNumber:
        text = QString::number(input.views.gridCurrentRow() + 1);
        return true;
    case From::BarcodeLine:
        input.state.line.setText(barcodeListLine(input));
        [[fallthrough]];
    case From::Window:
        text = input.state.line.CutField(step.at, step.length);
        return true;
    case From::Delimited:
        if (step.at >= input.fields.size())
            return false;
        text = input.fields.at(step.at);
        return true;
    case From::Fixed:
        text = step.text;
        return true;
    case From::Copy:
        text = input.state.row.*step.source;
        return true;
    }
    return false;
}

bool stepApplies(const Step& step, const Input& input, const QString& text)
{
    switch (step.when) {
    case When::Always:
        return true;
    case When::SourceNotEmpty:
        return !text.isEmpty();
    case When::KeepSourceBarcode:
        return input.state.KeepSourceBarcode;
    }
    return true;
}

} // namespace

void applySteps(const std::vector<Step>& steps, Input& input)
{
    for (const Step& step : steps) {
        QString text;
        if (!sourceText(step, input, text) || !stepApplies(step, input, text))
            continue;
        input.state.row.*step.field = step.convert ? step.convert(text, input.state.settings) : text;
    }
}

namespace convert {

QString wholeNumber(const QString& text, const RegionalSettings&)
{
    return QString::number(ReadWholeNumber(text));
}

QString centsPrice(const QString& text, const RegionalSettings& settings)
{
    return celltext::number(CentsToDecimal(text, settings), settings);
}

QString withoutBlanks(const QString& text, const RegionalSettings&)
{
    QString result = text;
    return result.remove(u' ');
}

QString collapsedSpaces(const QString& text, const RegionalSettings&)
{
    return CollapseSpaces(text);
}

QString ncm(const QString& text, const RegionalSettings&)
{
    return FormatNcm(text);
}

QString barcode(const QString& text, const RegionalSettings&)
{
    return MakeBarcode(text);
}

QString zeroWhenEmpty(const QString& text, const RegionalSettings&)
{
    return text.isEmpty() ? QStringLiteral("0") : text;
}

} // namespace convert

} // namespace layout
