#include "CurrentLine.h"
#include "FieldHelpers.h"
#include "Layouts.h"
#include "PlainViews.h"
#include "ProductRow.h"
#include "RunHarness.h"
#include "RunState.h"

#include <QTest>

#include <utility>

namespace {

using Cells = QList<std::pair<int, QString>>;

const QList<std::pair<QString, QString ProductRow::*>>& fieldNames()
{
    static const QList<std::pair<QString, QString ProductRow::*>> names{
        {"codigo", &ProductRow::codigo}, {"codbarra", &ProductRow::codbarra},
        {"produto", &ProductRow::produto}, {"unidade", &ProductRow::unidade},
        {"precocusto", &ProductRow::precocusto}, {"precovenda", &ProductRow::precovenda},
        {"estoque", &ProductRow::estoque}, {"ncm", &ProductRow::ncm}, {"cst", &ProductRow::cst},
        {"aliquota", &ProductRow::aliquota}, {"iat", &ProductRow::iat}, {"ippt", &ProductRow::ippt},
        {"situacao_tributaria", &ProductRow::situacao_tributaria}, {"csosn", &ProductRow::csosn},
        {"ind_cfop_venda_dentro", &ProductRow::ind_cfop_venda_dentro},
    };
    return names;
}

// The row as the run leaves it before a layout: its defaults, and the previous row's name,
// unit, prices and stock still held.
ProductRow rowBeforeLayout(const QString& code, const QString& barcode, const QString& csosn)
{
    ProductRow row;
    row.codigo = code;
    row.codbarra = barcode;
    row.produto = QStringLiteral("PREV");
    row.unidade = QStringLiteral("PV");
    row.precocusto = row.precovenda = row.estoque = QStringLiteral("9");
    row.cst = QStringLiteral("040");
    row.ncm = QStringLiteral("9999.71.04");
    row.aliquota = QStringLiteral("0");
    row.csosn = csosn;
    row.situacao_tributaria = QStringLiteral("I");
    row.iat = row.ippt = QStringLiteral("T");
    row.ind_cfop_venda_dentro = QStringLiteral("5102");
    return row;
}

// Every "field=value" of expected must hold; the fields not named must keep before's value.
void compareRow(const ProductRow& row, const ProductRow& before, const QStringList& expected)
{
    QMap<QString, QString> wanted;
    for (const QString& item : expected) {
        const qsizetype eq = item.indexOf(u'=');
        wanted.insert(item.left(eq), item.mid(eq + 1));
    }
    for (const auto& [name, member] : fieldNames()) {
        const QString want = wanted.value(name, before.*member);
        if (row.*member != want)
            QFAIL(qPrintable(QStringLiteral("%1 is '%2', expected '%3'").arg(name, row.*member, want)));
    }
}

// Fields 0 to last, ";"-separated, each closed by ";".
QString semicolonLine(const Cells& fields, int last)
{
    QStringList parts(last + 1);
    for (const auto& [number, text] : fields)
        parts[number] = text;
    return parts.join(u';') + u';';
}

QString padded(const QString& text, int width)
{
    return text.leftJustified(width, u' ');
}

const QString kBarcodeOfFive = QStringLiteral("9781000000054"); // MakeBarcode("5")
const QString kFirstBarcode = QStringLiteral("9781000000009");

} // namespace

class TstLayouts : public QObject {
    Q_OBJECT
private slots:
    void spreadsheet_data();
    void spreadsheet();
    void typeZeroRowMakesValidStatement();
    void text_data();
    void text();
    void typeThirteenPricesReachTheStatementWithPoints();
};

void TstLayouts::spreadsheet_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<Cells>("cells"); // of the current grid row
    QTest::addColumn<int>("gridRow");
    QTest::addColumn<bool>("keepBarcode");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("error");

    const Cells type10{{0, "00123"}, {1, "CAFE"}, {4, "KG"}, {5, "10,5"}, {6, "12,9"}, {9, "09012100"},
                       {45, "18"}, {63, "060"}, {66, "5405"}};
    QTest::newRow("10 all columns, leading zeros") << 10 << type10 << 1 << false
        << QStringList{"produto=CAFE", "codigo=123", "codbarra=9781000001235", "precocusto=10,5",
                       "precovenda=12,9", "ncm=09012100", "estoque=100", "aliquota=18",
                       "unidade=KG", "cst=060", "ind_cfop_venda_dentro=5405"} << "";
    QTest::newRow("10 12a fails, previous code kept") << 10 << Cells{{0, "12a"}, {1, "CHA"}} << 1 << false
        << QStringList{"produto=CHA"} << "''12a'' is not a valid integer value";
    QTest::newRow("10 -5 fails at its barcode") << 10 << Cells{{0, "-5"}, {1, "CHA"}} << 1 << false
        << QStringList{"produto=CHA", "codigo=-5"} << "'''' is not a valid integer value";
    QTest::newRow("10 columns past the sheet read empty") << 10 << Cells{{0, "7"}, {1, "CHA"}} << 1 << false
        << QStringList{"produto=CHA", "codigo=7", "codbarra=9781000000078", "precocusto=",
                       "precovenda=", "ncm=", "estoque=100", "aliquota=", "unidade=", "cst=",
                       "ind_cfop_venda_dentro="} << "";

    const Cells type12{{0, "7891234567895"}, {1, "SABAO"}, {2, "1,5"}, {3, "2,5"}, {5, "30"}, {6, "CX"}};
    QTest::newRow("12 barcode in column A") << 12 << type12 << 1 << false
        << QStringList{"produto=SABAO", "codbarra=7891234567895", "codigo=2", "precocusto=1,5",
                       "precovenda=2,5", "estoque=30", "unidade=CX", "cst=040"} << "";
    QTest::newRow("12 column A empty keeps the default") << 12 << type12.mid(1) << 4 << false
        << QStringList{"produto=SABAO", "codigo=5", "precocusto=1,5", "precovenda=2,5",
                       "estoque=30", "unidade=CX"} << "";

    QTest::newRow("4") << 4 << Cells{{1, "x"}, {2, "ARROZ"}, {8, "20"}, {9, "25"}} << 1 << false
        << QStringList{"produto=ARROZ", "codigo=2", "precocusto=20", "precovenda=25",
                       "estoque=100", "unidade=UN", "cst=040"} << "";
    QTest::newRow("2") << 2 << Cells{{1, "OLEO"}, {3, "LT"}, {11, "5"}, {12, "7"}, {13, "060"}, {15, "8"}}
        << 2 << false
        << QStringList{"produto=OLEO", "codigo=3", "precocusto=5", "precovenda=7", "estoque=8",
                       "unidade=LT", "cst=060"} << "";

    const Cells type1{{0, "7890000000001"}, {1, "MEL"}, {3, "4"}, {5, "6"}, {6, "2"}, {8, "PT"}, {13, "000"}};
    const QStringList type1Fields{"produto=MEL", "codigo=2", "precocusto=4", "precovenda=6",
                                  "estoque=2", "unidade=PT", "cst=000"};
    QTest::newRow("1 keeping the source barcode") << 1 << type1 << 1 << true
        << (type1Fields + QStringList{"codbarra=7890000000001"}) << "";
    QTest::newRow("1 keeping an empty source barcode") << 1 << type1.mid(1) << 1 << true
        << (type1Fields + QStringList{"codbarra="}) << "";
    QTest::newRow("1 answered Cancel") << 1 << type1 << 1 << false << type1Fields << "";

    const Cells type0{{2, "7891000100103"}, {3, "0012345678"}, {4, "O'BRIEN"}, {7, "4,5"}, {8, "12"},
                      {12, "A"}, {13, "P"}, {14, "22011000"}, {21, "18"}, {22, "0"}, {27, "F"}};
    const auto type0With = [&](int col, const QString& text) {
        Cells cells = type0;
        for (auto& cell : cells)
            if (cell.first == col)
                cell.second = text;
        return cells;
    };
    QTest::newRow("0 all columns") << 0 << type0 << 1 << false
        << QStringList{"produto=O BRIEN", "codigo=345678", "codbarra=7891000100103",
                       "precocusto=4,5", "precovenda=4,5", "estoque=12", "unidade=", "cst=000",
                       "ncm=2201.10.00", "aliquota=18.00", "csosn=400", "situacao_tributaria=F",
                       "iat=A", "ippt=P"} << "";
    const QStringList type0Rest{"produto=O BRIEN", "codbarra=7891000100103", "precocusto=4,5",
                                "precovenda=4,5", "estoque=12", "unidade=", "csosn=400",
                                "situacao_tributaria=F", "iat=A", "ippt=P"};
    QTest::newRow("0 CST 60") << 0 << type0With(22, "60") << 1 << false
        << (type0Rest + QStringList{"codigo=345678", "cst=060", "ncm=2201.10.00", "aliquota=18.00"}) << "";
    {
        Cells cells = type0With(14, "2201");
        for (auto& cell : cells) {
            if (cell.first == 21) cell.second = "";
            if (cell.first == 22) cell.second = "";
            if (cell.first == 3) cell.second = "AB12";
        }
        QTest::newRow("0 letters in the code, empty CST and rate") << 0 << cells << 1 << false
            << (type0Rest + QStringList{"codigo=AB12", "cst=0", "ncm=2201.00.00", "aliquota=.00"}) << "";
    }
    QTest::newRow("0 NCM with points is cut across them") << 0 << type0With(14, "2201.10.00") << 1 << false
        << (type0Rest + QStringList{"codigo=345678", "cst=000", "ncm=2201..1.0.", "aliquota=18.00"}) << "";
    QTest::newRow("0 empty NCM and barcode") << 0 << type0With(14, "").mid(1) << 1 << false
        << (type0Rest.mid(0, 1) + type0Rest.mid(2)
            + QStringList{"codbarra=", "codigo=345678", "cst=000", "ncm=0000.00.00", "aliquota=18.00"}) << "";

    QTest::newRow("text-only type leaves the row") << 3 << type12 << 1 << false << QStringList{} << "";
    QTest::newRow("no type leaves the row") << -1 << type12 << 1 << false << QStringList{} << "";
}

void TstLayouts::spreadsheet()
{
    QFETCH(int, type);
    QFETCH(Cells, cells);
    QFETCH(int, gridRow);
    QFETCH(bool, keepBarcode);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);

    PlainViews views;
    int columns = 1;
    for (const auto& cell : cells)
        columns = qMax(columns, cell.first + 1);
    views.gridData.resize(gridRow + 2, columns);
    for (const auto& [col, text] : cells)
        views.gridData.setCell(col, gridRow, text);
    views.currentRow = gridRow;
    CurrentLine line;
    RunState state{rowBeforeLayout("5", kBarcodeOfFive, "102"), 0, keepBarcode, {}, line,
                   RegionalSettings::brazil()};
    const ProductRow before = state.row;
    try {
        ApplySpreadsheetLayout(type, views, state);
        QVERIFY2(error.isEmpty(), "the layout did not fail");
    } catch (const ConversionError& e) {
        QCOMPARE(e.message(), error);
    }
    compareRow(state.row, before, expected);
}

void TstLayouts::typeZeroRowMakesValidStatement()
{
    PlainViews views;
    views.gridData.resize(3, 28);
    views.gridData.setCell(3, 1, QStringLiteral("77"));
    views.gridData.setCell(4, 1, QStringLiteral("D'AVILA'S"));
    views.currentRow = 1;
    CurrentLine line;
    RunState state{rowBeforeLayout("5", kBarcodeOfFive, "102"), 0, false, {}, line,
                   RegionalSettings::brazil()};
    ApplySpreadsheetLayout(0, views, state);
    CompleteProductRow(state.row);
    const QString values = ProductInsertStatement(state.row, QStringLiteral("08.12.26 13:45")).value(3);
    QCOMPARE(values, QStringLiteral("values('000077','','D AVILA S','UN','08.12.26 13:45',0,0,0,"
                                    "'0000.00.00','0','0000.00.00',.00,'00 - Mercadoria para Revenda',"
                                    "0,'N','NENHUMA','','','','S','400','5102')"));
}

void TstLayouts::text_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("barcodes");
    QTest::addColumn<bool>("decimalPoint");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("error");
    QTest::addColumn<int>("indexAfter");

    const auto one = [](const QString& line) { return QStringList{line}; };
    const QString full13 = semicolonLine({{0, "P"}, {1, "00042"}, {6, "KG"}, {10, "7891234567895"},
                                          {11, "FEIJAO"}, {16, "40ABC"}, {24, "12,50"}, {77, ""},
                                          {88, "09012100"}, {97, "102X"}, {106, "5405"}}, 110);
    QTest::newRow("13 every field") << 13 << one(full13) << 0 << QStringList{} << false
        << QStringList{"codigo=42", "unidade=KG", "codbarra=7891234567895", "produto=FEIJAO",
                       "cst=040", "precocusto=12,50", "precovenda=12,50", "aliquota=0",
                       "ncm=09012100", "csosn=102", "ind_cfop_venda_dentro=5405", "estoque=0"} << "" << 0;
    QTest::newRow("13 X;42;") << 13 << one("X;42;") << 0 << QStringList{} << false
        << QStringList{"codigo=42", "estoque=0"} << "" << 0;
    QTest::newRow("13 ;; fails on the empty code") << 13 << one(";;") << 0 << QStringList{} << false
        << QStringList{} << "'''' is not a valid integer value" << 0;
    QTest::newRow("13 short fields 16 and 97, rate 18")
        << 13 << one(semicolonLine({{1, "3"}, {16, "4"}, {77, "18"}, {97, "1"}}, 100)) << 0
        << QStringList{} << false
        << QStringList{"codigo=3", "unidade=", "codbarra=", "produto=", "cst=04", "precocusto=",
                       "precovenda=", "aliquota=18", "ncm=", "csosn=1", "estoque=0"} << "" << 0;
    QTest::newRow("13 empty field 16") << 13 << one(semicolonLine({{1, "3"}}, 20)) << 0 << QStringList{}
        << false << QStringList{"codigo=3", "unidade=", "codbarra=", "produto=", "cst=0", "estoque=0"}
        << "" << 0;
    QTest::newRow("13 no ; reads no field") << 13 << one("ABC") << 0 << QStringList{} << false
        << QStringList{"estoque=0"} << "" << 0;
    QTest::newRow("13 empty line") << 13 << one("") << 0 << QStringList{} << false
        << QStringList{"estoque=0"} << "" << 0;
    QTest::newRow("13 unclosed last field counts") << 13 << one("X;7;;;;;UN;;;;789;NOME") << 0
        << QStringList{} << false
        << QStringList{"codigo=7", "unidade=UN", "codbarra=789", "produto=NOME", "estoque=0"} << "" << 0;
    QTest::newRow("13 code not a number") << 13 << one("X;4 2;") << 0 << QStringList{} << false
        << QStringList{} << "''4 2'' is not a valid integer value" << 0;

    const QString line11 = fixedWidthLine({{0, "00000000000123"}, {14, "ARROZ TIPO 1"}, {110, "15.90"},
                                           {250, "12.00"}, {490, "KG"}, {499, "10063021"}});
    const QString barcode11 = fixedWidthLine({{0, "00000000000123"}, {14, "7891234567895"}, {27, "X"}});
    const QStringList fields11{"codigo=123", "produto=" + padded("ARROZ TIPO 1", 45),
                               "precovenda=" + padded("15.90", 12), "precocusto=" + padded("12.00", 12),
                               "unidade=KG", "ncm=1006.30.21"};
    QTest::newRow("11 barcode from the same line of the barcode file")
        << 11 << QStringList{"x", line11} << 1 << QStringList{"y", barcode11} << false
        << (fields11 + QStringList{"codbarra=7891234567895", "estoque=0"}) << "" << 1;
    QTest::newRow("11 short barcode file") << 11 << QStringList{"x", line11} << 1 << QStringList{"y"} << false
        << fields11 << "List index out of bounds (1)" << 1;
    QTest::newRow("11 code with trailing blanks") << 11 << one(fixedWidthLine({{0, "123"}, {14, "ARROZ"}})) << 0
        << QStringList{barcode11} << false << QStringList{}
        << QStringLiteral("''%1'' is not a valid integer value").arg(padded("123", 14)) << 0;

    QTest::newRow("3") << 3 << one(fixedWidthLine({{0, "7891234567895"}, {13, "SABAO   EM  PO"}, {93, " 1 50"}}))
        << 0 << QStringList{} << false
        << QStringList{"codbarra=7891234567895", "produto=SABAO EM PO ", "precocusto=150",
                       "precovenda=150", "estoque=0", "unidade=UN"} << "" << 0;
    QTest::newRow("3 line ends before the price")
        << 3 << one(fixedWidthLine({{0, "7891234567895"}, {13, padded("SABAO", 80)}})) << 0 << QStringList{}
        << false << QStringList{"codbarra=7891234567895", "produto=SABAO ", "precocusto=",
                                "precovenda=", "estoque=0", "unidade=UN"} << "" << 0;

    const auto line5 = [](const QString& code, const QString& cents) {
        return QStringList{fixedWidthLine({{0, "#"}, {1, code}, {7, "7891234567895"}, {20, "BISCOITO"},
                                      {60, cents}, {86, "CX"}})};
    };
    const QStringList fields5{"codbarra=7891234567895", "produto=" + padded("BISCOITO", 40),
                              "unidade=CX", "estoque=0"};
    QTest::newRow("5 cents") << 5 << line5("001234", "0000001250") << 0 << QStringList{} << false
        << (fields5 + QStringList{"codigo=001234", "precocusto=12,5", "precovenda=12,5"}) << "" << 0;
    QTest::newRow("5 whole price, code with blanks") << 5 << line5("  1234", "0000000100") << 0
        << QStringList{} << false
        << (fields5 + QStringList{"codigo=  1234", "precocusto=1", "precovenda=1"}) << "" << 0;
    QTest::newRow("5 five cents") << 5 << line5("000001", "0000000005") << 0 << QStringList{} << false
        << (fields5 + QStringList{"codigo=000001", "precocusto=0,05", "precovenda=0,05"}) << "" << 0;
    const QStringList before5{"codigo=001234", "codbarra=7891234567895", "produto=" + padded("BISCOITO", 40)};
    QTest::newRow("5 trailing blanks in the cents") << 5 << line5("001234", "    1250  ") << 0
        << QStringList{} << false << before5 << "''    1250  '' is not a valid integer value" << 0;
    QTest::newRow("5 above 32 bits") << 5 << line5("001234", "9999999999") << 0 << QStringList{} << false
        << before5 << "''9999999999'' is not a valid integer value" << 0;
    QTest::newRow("5 decimal point settings") << 5 << line5("001234", "0000001250") << 0 << QStringList{}
        << true << before5 << "'12,50' is not a valid floating point value" << 0;

    const auto line7 = [](const QString& ncm) {
        return QStringList{fixedWidthLine({{0, "7891234567895"}, {35, "0000001990"}, {62, ncm}, {70, "5405"},
                                      {77, padded("SUCO", 40)}, {131, "CX"}})};
    };
    const QStringList fields7{"codbarra=7891234567895", "produto=" + padded("SUCO", 40),
                              "precocusto=19,9", "precovenda=19,9", "unidade=CX",
                              "ind_cfop_venda_dentro=5405", "estoque=0"};
    QTest::newRow("7") << 7 << line7("22011000") << 0 << QStringList{} << false
        << (fields7 + QStringList{"ncm=2201.10.00"}) << "" << 0;
    QTest::newRow("7 NCM with blanks") << 7 << line7("2201    ") << 0 << QStringList{} << false
        << (fields7 + QStringList{"ncm=2201.  .  "}) << "" << 0;

    QTest::newRow("8 fixed unit and NCM")
        << 8 << one(fixedWidthLine({{0, "7891234567895"}, {36, "0000000990"}, {62, "22011000"},
                               {69, padded("AGUA", 80)}, {131, "CX"}})) << 0 << QStringList{} << false
        << QStringList{"codbarra=7891234567895", "produto=" + padded("AGUA", 62) + "CX" + padded("", 16),
                       "precocusto=9,9", "precovenda=9,9", "unidade=UN", "ncm=0000.00.00", "estoque=0"}
        << "" << 0;

    QTest::newRow("9") << 9 << one(fixedWidthLine({{0, "001"}, {3, "7891234567895"}, {16, "PAO"}, {46, "12,50"},
                                             {85, "KG"}})) << 0 << QStringList{} << false
        << QStringList{"codbarra=7891234567895", "produto=" + padded("PAO", 30),
                       "precocusto=" + padded("12,50", 12), "precovenda=" + padded("12,50", 12),
                       "unidade=KG", "estoque=0"} << "" << 0;

    const QString header6 = "barras|codigo|nome|a|preco|b|c|unidade|d|e|f|g|h|i|j";
    const QString line6 = "7891234567895|77|A   B|x|12,50|y|z|KG|8|9|10|11|12|13|14|15|16";
    const QStringList fields6{"codbarra=7891234567895", "codigo=77", "produto=A B", "precocusto=12,50",
                              "precovenda=12,50", "unidade=KG", "estoque=0", "ncm=22011000",
                              "csosn=102", "ind_cfop_venda_dentro=5102"};
    QTest::newRow("6 first line skipped") << 6 << QStringList{header6, line6} << 0 << QStringList{} << false
        << fields6 << "" << 1;
    QTest::newRow("6 later line read from the list") << 6 << QStringList{header6, "", line6} << 2
        << QStringList{} << false << fields6 << "" << 2;
    QTest::newRow("6 missing fields are empty") << 6 << QStringList{header6, "789|5|NOME"} << 1
        << QStringList{} << false
        << QStringList{"codbarra=789", "codigo=5", "produto=NOME", "precocusto=", "precovenda=",
                       "unidade=", "estoque=0", "ncm=22011000", "csosn=102"} << "" << 1;
    QTest::newRow("6 list of one line") << 6 << QStringList{header6} << 0 << QStringList{} << false
        << QStringList{} << "List index out of bounds (1)" << 1;

    QTest::newRow("sheet-only type leaves the row") << 4 << one(line6) << 0 << QStringList{} << false
        << QStringList{} << "" << 0;
}

void TstLayouts::text()
{
    QFETCH(int, type);
    QFETCH(QStringList, lines);
    QFETCH(int, index);
    QFETCH(QStringList, barcodes);
    QFETCH(bool, decimalPoint);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);
    QFETCH(int, indexAfter);

    PlainViews views;
    views.lineData = TextLines::fromStrings(lines);
    views.currentIndex = index;
    CurrentLine line;
    line.setText(lines.value(index));
    const RegionalSettings settings = decimalPoint ? RegionalSettings::point() : RegionalSettings::brazil();
    RunState state{rowBeforeLayout(QString::number(index + 1), kFirstBarcode, "400"), 0, false,
                   TextLines::fromStrings(barcodes), line, settings};
    const ProductRow before = state.row;
    try {
        ApplyTextLayout(type, views, state);
        QVERIFY2(error.isEmpty(), "the layout did not fail");
    } catch (const Error& e) {
        QCOMPARE(e.message(), error);
    }
    compareRow(state.row, before, expected);
    QCOMPARE(views.currentIndex, indexAfter);
    if (type == 11 && error.isEmpty())
        QCOMPARE(line.text(), barcodes.at(index)); // the barcode line replaced the product line
}

void TstLayouts::typeThirteenPricesReachTheStatementWithPoints()
{
    PlainViews views;
    CurrentLine line;
    line.setText(semicolonLine({{1, "9"}, {11, "O'BRIEN"}, {24, "12,50"}}, 30));
    RunState state{rowBeforeLayout("1", kFirstBarcode, "400"), 0, false, {}, line, RegionalSettings::brazil()};
    ApplyTextLayout(13, views, state);
    CompleteProductRow(state.row);
    const QString values = ProductInsertStatement(state.row, QStringLiteral("08.12.26 13:45")).value(3);
    QVERIFY2(values.startsWith(QLatin1String("values('000009','','O''BRIEN','UN','08.12.26 13:45',12.50,12.50,0,")),
             qPrintable(values));
}

QTEST_GUILESS_MAIN(TstLayouts)
#include "tst_layouts.moc"
