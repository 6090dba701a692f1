// The source types. A layout's columns are 0-based grid columns (column 0 is sheet column
// A); a text layout's windows are (start, length), 0-based, of the current line, and its
// delimited fields are numbered from 0.
#include "SourceTypes.h"

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

constexpr SourceKind Sheet = SourceKind::Spreadsheet;
constexpr SourceKind Text = SourceKind::Text;

SourceTypeDescriptor sheetType(int number, const char* name, std::vector<Step> steps,
                               TypeQuestion question = TypeQuestion::None,
                               std::optional<GridPreviewColumns> preview = std::nullopt)
{
    return {number, QString::fromUtf8(name), Sheet, LineSplit::None, std::move(steps), question, preview};
}

SourceTypeDescriptor textType(int number, const char* name, LineSplit split, std::vector<Step> steps,
                              TypeQuestion question = TypeQuestion::None)
{
    return {number, QString::fromUtf8(name), Text, split, std::move(steps), question, std::nullopt};
}

// Types 0 to 6, in number order.
std::vector<SourceTypeDescriptor> firstTypes()
{
    return {
        // The barcode is the source's own, even when empty; the unit is left for the
        // completion to make "UN".
        sheetType(0, "Brenvik Antigo",
                  {column(&R::produto, 4).then(quotesAsBlanks), column(&R::codigo, 3).then(lastSixCharacters),
                   column(&R::codbarra, 2), column(&R::precocusto, 7), column(&R::precovenda, 7),
                   column(&R::estoque, 8), fixed(&R::unidade, QString()), column(&R::cst, 22).then(typeZeroCst),
                   column(&R::ncm, 14).then(convert::ncm), column(&R::aliquota, 21).then(typeZeroTaxRate),
                   fixed(&R::csosn, QStringLiteral("400")), column(&R::situacao_tributaria, 27),
                   column(&R::iat, 12), column(&R::ippt, 13)},
                  TypeQuestion::None, GridPreviewColumns{4, 3, 7, 7, 8, -1, 10, 6}),
        sheetType(1, "Qel",
                  {column(&R::produto, 1), rowNumber(&R::codigo),
                   column(&R::codbarra, 0).only(When::KeepSourceBarcode), column(&R::precocusto, 3),
                   column(&R::precovenda, 5), column(&R::estoque, 6), column(&R::unidade, 8),
                   column(&R::cst, 13)},
                  TypeQuestion::KeepSourceBarcode, GridPreviewColumns{1, 0, 3, 5, 6, 8, 7}),
        sheetType(2, "Quelbrant",
                  {column(&R::produto, 1), rowNumber(&R::codigo), column(&R::precocusto, 11),
                   column(&R::precovenda, 12), column(&R::estoque, 15), column(&R::unidade, 3),
                   column(&R::cst, 13)}),
        textType(3, "Ostrell", LineSplit::None,
                 {window(&R::codbarra, 0, 13), window(&R::produto, 13, 80).then(convert::collapsedSpaces),
                  window(&R::precocusto, 93, 5).then(convert::withoutBlanks),
                  copy(&R::precovenda, &R::precocusto), fixed(&R::estoque, QStringLiteral("0")),
                  fixed(&R::unidade, QStringLiteral("UN"))}),
        sheetType(4, "Pembrix",
                  {column(&R::produto, 2), rowNumber(&R::codigo), column(&R::precocusto, 8),
                   column(&R::precovenda, 9), fixed(&R::estoque, QStringLiteral("100")),
                   fixed(&R::unidade, QStringLiteral("UN")), fixed(&R::cst, QStringLiteral("040"))}),
        textType(5, "Caldeno", LineSplit::None,
                 {window(&R::codigo, 1, 6), window(&R::codbarra, 7, 13), window(&R::produto, 20, 40),
                  window(&R::precocusto, 60, 10).then(convert::centsPrice),
                  copy(&R::precovenda, &R::precocusto), window(&R::unidade, 86, 2),
                  fixed(&R::estoque, QStringLiteral("0"))}),
        textType(6, "Irmsby", LineSplit::Bars,
                 {delimited(&R::codbarra, 0), delimited(&R::codigo, 1),
                  delimited(&R::produto, 2).then(convert::collapsedSpaces), delimited(&R::precocusto, 4),
                  delimited(&R::precovenda, 4), delimited(&R::unidade, 7),
                  fixed(&R::estoque, QStringLiteral("0")), fixed(&R::ncm, QStringLiteral("22011000")),
                  fixed(&R::csosn, QStringLiteral("102")),
                  fixed(&R::ind_cfop_venda_dentro, QStringLiteral("5102"))}),
    };
}

// Types 7 to 13, in number order.
std::vector<SourceTypeDescriptor> laterTypes()
{
    return {
        textType(7, "Nuvalo", LineSplit::None,
                 {window(&R::codbarra, 0, 13), window(&R::produto, 77, 40),
                  window(&R::precocusto, 35, 10).then(convert::centsPrice),
                  copy(&R::precovenda, &R::precocusto), window(&R::unidade, 131, 2),
                  window(&R::ncm, 62, 8).then(convert::ncm), window(&R::ind_cfop_venda_dentro, 70, 4),
                  fixed(&R::estoque, QStringLiteral("0"))}),
        textType(8, "Nuvalo2", LineSplit::None,
                 {window(&R::codbarra, 0, 13), window(&R::produto, 69, 80),
                  window(&R::precocusto, 36, 10).then(convert::centsPrice),
                  copy(&R::precovenda, &R::precocusto), fixed(&R::unidade, QStringLiteral("UN")),
                  fixed(&R::ncm, QStringLiteral("00000000")).then(convert::ncm),
                  fixed(&R::estoque, QStringLiteral("0"))}),
        textType(9, "Vrek", LineSplit::None,
                 {window(&R::codbarra, 3, 13), window(&R::produto, 16, 30), window(&R::precocusto, 46, 12),
                  copy(&R::precovenda, &R::precocusto), window(&R::unidade, 85, 2),
                  fixed(&R::estoque, QStringLiteral("0"))}),
        sheetType(10, "Tobbin",
                  {column(&R::produto, 1), column(&R::codigo, 0).then(convert::wholeNumber),
                   copy(&R::codbarra, &R::codigo).then(convert::barcode), column(&R::precocusto, 5),
                   column(&R::precovenda, 6), column(&R::ncm, 9), fixed(&R::estoque, QStringLiteral("100")),
                   column(&R::aliquota, 45), column(&R::unidade, 4), column(&R::cst, 63),
                   column(&R::ind_cfop_venda_dentro, 66)}),
        // The barcode comes from the second file, line for line with the source.
        textType(11, "Grelling", LineSplit::None,
                 {window(&R::codigo, 0, 14).then(convert::wholeNumber), window(&R::produto, 14, 45),
                  window(&R::precovenda, 110, 12), window(&R::precocusto, 250, 12),
                  window(&R::unidade, 490, 2), window(&R::ncm, 499, 8).then(convert::ncm),
                  barcodeLine(&R::codbarra, 14, 13), fixed(&R::estoque, QStringLiteral("0"))},
                 TypeQuestion::BarcodeListFile),
        // The barcode cell is read before the code changes: an empty one keeps the default,
        // made from the previous row's code.
        sheetType(12, "Sarnet",
                  {column(&R::produto, 1), column(&R::codbarra, 0).only(When::SourceNotEmpty),
                   rowNumber(&R::codigo), column(&R::precocusto, 2), column(&R::precovenda, 3),
                   column(&R::estoque, 5), column(&R::unidade, 6), fixed(&R::cst, QStringLiteral("040"))}),
        // Type 13's steps are in field order, the order its ";" scan meets them.
        textType(13, "Emberlin", LineSplit::Semicolons,
                 {delimited(&R::codigo, 1).then(convert::wholeNumber), delimited(&R::unidade, 6),
                  delimited(&R::codbarra, 10), delimited(&R::produto, 11),
                  delimited(&R::cst, 16).then(typeThirteenCst), delimited(&R::precocusto, 24),
                  delimited(&R::precovenda, 24), delimited(&R::aliquota, 77), delimited(&R::ncm, 88),
                  delimited(&R::csosn, 97).then(firstThreeCharacters), delimited(&R::ind_cfop_venda_dentro, 106),
                  copy(&R::aliquota, &R::aliquota).then(convert::zeroWhenEmpty),
                  fixed(&R::estoque, QStringLiteral("0"))}),
    };
}

// Every type, index = number.
std::vector<SourceTypeDescriptor> describeTypes()
{
    std::vector<SourceTypeDescriptor> types = firstTypes();
    for (SourceTypeDescriptor& type : laterTypes())
        types.push_back(std::move(type));
    return types;
}

const std::vector<SourceKindDescriptor>& sourceKinds()
{
    static const std::vector<SourceKindDescriptor> kinds{
        {SourceKind::Spreadsheet, QStringLiteral("Excel"), QStringLiteral("102")},
        {SourceKind::Text, QStringLiteral("Texto"), QStringLiteral("400")},
    };
    return kinds;
}

} // namespace

const std::vector<SourceTypeDescriptor>& SourceTypes()
{
    static const std::vector<SourceTypeDescriptor> types = describeTypes();
    return types;
}

int SourceTypeCount() { return int(SourceTypes().size()); }

const SourceTypeDescriptor* FindSourceType(int number)
{
    const auto& types = SourceTypes();
    return number >= 0 && number < int(types.size()) ? &types[size_t(number)] : nullptr;
}

const SourceTypeDescriptor* SourceTypeAsking(TypeQuestion question)
{
    for (const SourceTypeDescriptor& type : SourceTypes())
        if (type.question == question)
            return &type;
    return nullptr;
}

const QStringList& SourceTypeNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const SourceTypeDescriptor& type : SourceTypes())
            list.append(type.name);
        return list;
    }();
    return names;
}

int SourceTypeFromText(const QString& text)
{
    const QString wanted = text.trimmed();
    bool isNumber = false;
    const int number = wanted.toInt(&isNumber, 10);
    if (isNumber)
        return FindSourceType(number) ? number : -1;
    const QStringList& names = SourceTypeNames();
    for (int type = 0; type < names.size(); ++type)
        if (names[type].compare(wanted, Qt::CaseInsensitive) == 0)
            return type;
    return -1;
}

const SourceKindDescriptor* FindSourceKind(SourceKind kind)
{
    for (const SourceKindDescriptor& d : sourceKinds())
        if (d.kind == kind)
            return &d;
    return nullptr;
}

const SourceKindDescriptor* SourceKindOfMode(const QString& mode)
{
    for (const SourceKindDescriptor& d : sourceKinds())
        if (d.mode == mode)
            return &d;
    return nullptr;
}
