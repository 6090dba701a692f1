// The spreadsheet sources: which grid column feeds which field. Columns are 0-based grid
// columns, so column 0 is sheet column A.
#include "Layouts.h"

#include "LayoutSteps.h"
#include "RunState.h"

namespace {

using namespace layout;
using R = ProductRow;

// Type 0 exports names with apostrophes that its own system wrote as blanks.
QString quotesAsBlanks(const QString& text, const RegionalSettings&)
{
    QString result = text;
    return result.replace(u'\'', u' ');
}

// Type 0 codes carry a store prefix; the product code is the last six characters.
QString lastSixCharacters(const QString& text, const RegionalSettings&)
{
    return text.right(6);
}

QString typeZeroCst(const QString& text, const RegionalSettings&)
{
    return text == u"0" ? QStringLiteral("000") : u'0' + text;
}

QString typeZeroTaxRate(const QString& text, const RegionalSettings&)
{
    return text + QStringLiteral(".00");
}

struct SheetLayout {
    int sourceType;
    std::vector<Step> steps;
};

const std::vector<SheetLayout>& sheetLayouts()
{
    static const std::vector<SheetLayout> layouts{
        {10, {column(&R::produto, 1), column(&R::codigo, 0).then(convert::wholeNumber),
              copy(&R::codbarra, &R::codigo).then(convert::barcode), column(&R::precocusto, 5),
              column(&R::precovenda, 6), column(&R::ncm, 9), fixed(&R::estoque, QStringLiteral("100")),
              column(&R::aliquota, 45), column(&R::unidade, 4), column(&R::cst, 63),
              column(&R::ind_cfop_venda_dentro, 66)}},
        // The barcode cell is read before the code changes: an empty one keeps the default,
        // made from the previous row's code.
        {12, {column(&R::produto, 1), column(&R::codbarra, 0).only(When::SourceNotEmpty),
              rowNumber(&R::codigo), column(&R::precocusto, 2), column(&R::precovenda, 3),
              column(&R::estoque, 5), column(&R::unidade, 6), fixed(&R::cst, QStringLiteral("040"))}},
        {4, {column(&R::produto, 2), rowNumber(&R::codigo), column(&R::precocusto, 8),
             column(&R::precovenda, 9), fixed(&R::estoque, QStringLiteral("100")),
             fixed(&R::unidade, QStringLiteral("UN")), fixed(&R::cst, QStringLiteral("040"))}},
        {2, {column(&R::produto, 1), rowNumber(&R::codigo), column(&R::precocusto, 11),
             column(&R::precovenda, 12), column(&R::estoque, 15), column(&R::unidade, 3),
             column(&R::cst, 13)}},
        {1, {column(&R::produto, 1), rowNumber(&R::codigo),
             column(&R::codbarra, 0).only(When::KeepSourceBarcode), column(&R::precocusto, 3),
             column(&R::precovenda, 5), column(&R::estoque, 6), column(&R::unidade, 8),
             column(&R::cst, 13)}},
        // The barcode is the source's own, even when empty; the unit is left for the
        // completion to make "UN".
        {0, {column(&R::produto, 4).then(quotesAsBlanks), column(&R::codigo, 3).then(lastSixCharacters),
             column(&R::codbarra, 2), column(&R::precocusto, 7), column(&R::precovenda, 7),
             column(&R::estoque, 8), fixed(&R::unidade, QString()), column(&R::cst, 22).then(typeZeroCst),
             column(&R::ncm, 14).then(convert::ncm), column(&R::aliquota, 21).then(typeZeroTaxRate),
             fixed(&R::csosn, QStringLiteral("400")), column(&R::situacao_tributaria, 27),
             column(&R::iat, 12), column(&R::ippt, 13)}},
    };
    return layouts;
}

} // namespace

void ApplySpreadsheetLayout(int sourceType, const ImportViews& views, RunState& state)
{
    for (const SheetLayout& layout : sheetLayouts()) {
        if (layout.sourceType == sourceType) {
            Input input{views, state, {}};
            applySteps(layout.steps, input);
            return;
        }
    }
}

bool HasSpreadsheetLayout(int sourceType)
{
    for (const SheetLayout& layout : sheetLayouts())
        if (layout.sourceType == sourceType)
            return true;
    return false;
}
