#include "ProductPreview.h"

#include "CurrentLine.h"
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
    auto cell = [&](int col) -> const QString& { return grid.cell(col, row); };
    if (sourceType == 1)
        return PreviewCaptions{kName + cell(1), kCode + cell(0), kCost + cell(3),
                               kSale + cell(5), kStock + cell(6), kUnit + cell(8),
                               kMinStock + cell(7)};
    if (sourceType == 0)
        return PreviewCaptions{kName + cell(4), kCode + cell(3).right(6), kCost + cell(7),
                               kSale + cell(7), kStock + cell(8), kUnit, kMinStock + cell(10)};
    return std::nullopt;
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
