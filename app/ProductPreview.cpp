#include "ProductPreview.h"

#include "CurrentLine.h"
#include "SourceTypes.h"
#include "TextGrid.h"

namespace {

const QString kName = QStringLiteral("Nome do Produto: ");
const QString kCode = QStringLiteral("Código: ");
const QString kCost = QStringLiteral("Preço de Custo: ");
const QString kSale = QStringLiteral("Preço de Venda: ");
const QString kStock = QStringLiteral("Estoque: ");
const QString kUnit = QStringLiteral("Unidade: ");
const QString kMinStock = QStringLiteral("Estoque Min: ");

} // namespace

std::optional<PreviewCaptions> GridPreview(int sourceType, const TextGrid& grid, int row)
{
    const SourceTypeDescriptor* type = FindSourceType(sourceType);
    if (!type || !type->preview)
        return std::nullopt;
    const GridPreviewColumns& c = *type->preview;
    auto cell = [&](int col) { return col < 0 ? QString() : grid.cell(col, row); };
    const QString code = c.codeRight > 0 ? cell(c.code).right(c.codeRight) : cell(c.code);
    return PreviewCaptions{kName + cell(c.name), kCode + code, kCost + cell(c.cost),
                           kSale + cell(c.sale), kStock + cell(c.stock), kUnit + cell(c.unit),
                           kMinStock + cell(c.minStock)};
}

PreviewCaptions TextLinePreview(const CurrentLine& line)
{
    const QString code = line.CutField(0, 10);
    const QString name = line.CutField(10, 60);
    const QString price = line.CutField(84, 4);
    const QString barcode = line.CutField(70, 13);
    return {kName + name, kCode + code, kCost + price, kSale + price,
            QStringLiteral("Cod. Barras: ") + barcode, QStringLiteral("Unidade:     X"),
            QStringLiteral("Estoque Min: X")};
}
