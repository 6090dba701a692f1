// The text sources: fixed windows of the current line (start, length, 0-based), or numbered
// fields of a delimited line.
#include "Layouts.h"

#include "ImportViews.h"
#include "LayoutSteps.h"
#include "RunState.h"
#include "platform/Error.h"

namespace {

using namespace layout;
using R = ProductRow;

enum class Split {
    None,       // fixed windows of the current line
    Bars,       // fifteen "|"-separated fields of the list line, the first line skipped
    Semicolons, // ";"-separated fields of the current line
};

// Type 13 CST: "0" and the first two characters of the field. A field shorter than two
// characters gives "0" followed by what there is.
QString typeThirteenCst(const QString& text, const RegionalSettings&)
{
    return u'0' + text.left(2);
}

QString firstThreeCharacters(const QString& text, const RegionalSettings&)
{
    return text.left(3);
}

struct TextLayout {
    int sourceType;
    Split split;
    std::vector<Step> steps;
};

const std::vector<TextLayout>& textLayouts()
{
    static const std::vector<TextLayout> layouts{
        // Type 13's steps are in field order, the order its ";" scan meets them.
        {13, Split::Semicolons,
         {delimited(&R::codigo, 1).then(convert::wholeNumber), delimited(&R::unidade, 6),
          delimited(&R::codbarra, 10), delimited(&R::produto, 11),
          delimited(&R::cst, 16).then(typeThirteenCst), delimited(&R::precocusto, 24),
          delimited(&R::precovenda, 24), delimited(&R::aliquota, 77), delimited(&R::ncm, 88),
          delimited(&R::csosn, 97).then(firstThreeCharacters), delimited(&R::ind_cfop_venda_dentro, 106),
          copy(&R::aliquota, &R::aliquota).then(convert::zeroWhenEmpty),
          fixed(&R::estoque, QStringLiteral("0"))}},
        {11, Split::None,
         {window(&R::codigo, 0, 14).then(convert::wholeNumber), window(&R::produto, 14, 45),
          window(&R::precovenda, 110, 12), window(&R::precocusto, 250, 12),
          window(&R::unidade, 490, 2), window(&R::ncm, 499, 8).then(convert::ncm),
          barcodeLine(&R::codbarra, 14, 13), fixed(&R::estoque, QStringLiteral("0"))}},
        {3, Split::None,
         {window(&R::codbarra, 0, 13), window(&R::produto, 13, 80).then(convert::collapsedSpaces),
          window(&R::precocusto, 93, 5).then(convert::withoutBlanks),
          copy(&R::precovenda, &R::precocusto), fixed(&R::estoque, QStringLiteral("0")),
          fixed(&R::unidade, QStringLiteral("UN"))}},
        {5, Split::None,
         {window(&R::codigo, 1, 6), window(&R::codbarra, 7, 13), window(&R::produto, 20, 40),
          window(&R::precocusto, 60, 10).then(convert::centsPrice),
          copy(&R::precovenda, &R::precocusto), window(&R::unidade, 86, 2),
          fixed(&R::estoque, QStringLiteral("0"))}},
        {6, Split::Bars,
         {delimited(&R::codbarra, 0), delimited(&R::codigo, 1),
          delimited(&R::produto, 2).then(convert::collapsedSpaces), delimited(&R::precocusto, 4),
          delimited(&R::precovenda, 4), delimited(&R::unidade, 7),
          fixed(&R::estoque, QStringLiteral("0")), fixed(&R::ncm, QStringLiteral("22011000")),
          fixed(&R::csosn, QStringLiteral("102")),
          fixed(&R::ind_cfop_venda_dentro, QStringLiteral("5102"))}},
        {7, Split::None,
         {window(&R::codbarra, 0, 13), window(&R::produto, 77, 40),
          window(&R::precocusto, 35, 10).then(convert::centsPrice),
          copy(&R::precovenda, &R::precocusto), window(&R::unidade, 131, 2),
          window(&R::ncm, 62, 8).then(convert::ncm), window(&R::ind_cfop_venda_dentro, 70, 4),
          fixed(&R::estoque, QStringLiteral("0"))}},
        {8, Split::None,
         {window(&R::codbarra, 0, 13), window(&R::produto, 69, 80),
          window(&R::precocusto, 36, 10).then(convert::centsPrice),
          copy(&R::precovenda, &R::precocusto), fixed(&R::unidade, QStringLiteral("UN")),
          fixed(&R::ncm, QStringLiteral("00000000")).then(convert::ncm),
          fixed(&R::estoque, QStringLiteral("0"))}},
        {9, Split::None,
         {window(&R::codbarra, 3, 13), window(&R::produto, 16, 30), window(&R::precocusto, 46, 12),
          copy(&R::precovenda, &R::precocusto), window(&R::unidade, 85, 2),
          fixed(&R::estoque, QStringLiteral("0"))}},
    };
    return layouts;
}

// Field n is the text after the n-th ";", up to the next one; a ";" that ends the line
// opens no field. A last field that no ";" closes counts, up to the end of the line.
QStringList semicolonFields(const QString& line)
{
    QStringList fields = line.split(u';');
    if (fields.size() > 1 && line.endsWith(u';'))
        fields.removeLast();
    return fields;
}

// The line is the list's own, not the current line: the first line of a type-6 export is
// a header, so a run standing on it moves on to the second. A line with fewer than fifteen
// fields gives empty missing fields.
QStringList barFields(ImportViews& views)
{
    if (views.listIndex() == 0)
        views.setListIndex(1);
    const int index = views.listIndex();
    if (index < 0 || index >= views.lines().size())
        throw Error(QStringLiteral("List index out of bounds (%1)").arg(index));
    QStringList fields = (views.lines().at(index) + u'|').split(u'|').mid(0, 15);
    while (fields.size() < 15)
        fields.append(QString());
    return fields;
}

} // namespace

void ApplyTextLayout(int sourceType, ImportViews& views, RunState& state)
{
    for (const TextLayout& layout : textLayouts()) {
        if (layout.sourceType != sourceType)
            continue;
        Input input{views, state, {}};
        if (layout.split == Split::Semicolons)
            input.fields = semicolonFields(state.line.text());
        else if (layout.split == Split::Bars)
            input.fields = barFields(views);
        applySteps(layout.steps, input);
        return;
    }
}

bool HasTextLayout(int sourceType)
{
    for (const TextLayout& layout : textLayouts())
        if (layout.sourceType == sourceType)
            return true;
    return false;
}

TextLayoutShape TextLayoutShapeOf(int sourceType)
{
    TextLayoutShape shape;
    for (const TextLayout& layout : textLayouts()) {
        if (layout.sourceType != sourceType)
            continue;
        if (layout.split != Split::None)
            shape.separator = layout.split == Split::Bars ? u'|' : u';';
        for (const Step& step : layout.steps) {
            if (step.from == From::Window)
                shape.windows.append({step.at, step.length});
            else if (step.from == From::Delimited)
                shape.fields = std::max(shape.fields, step.at);
        }
    }
    return shape;
}
