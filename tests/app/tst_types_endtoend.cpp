// One realistic export per source system, imported through the real window (offscreen):
// loaded by its show handler, run by a click on "Importar Tudo", answered by scripted
// dialogs and read back from an embedded database.
#include "RunHarness.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QStringListModel>

namespace {

// The columns read back, in the order of every expected row below.
const QStringList kColumns{"CODIGO", "CODBARRA", "PRODUTO", "UNIDADE", "PRECOCUSTO", "PRECOVENDA",
                           "ESTOQUE", "NCM", "CST", "ALIQUOTA", "CSOSN", "SITUACAO_TRIBUTARIA",
                           "IAT", "IPPT", "IND_CFOP_VENDA_DENTRO"};
const QStringList kNumbers{"PRECOCUSTO", "PRECOVENDA", "ESTOQUE", "ALIQUOTA"};

using Rows = QList<QStringList>;

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(u' '))
        text.chop(1);
    return text;
}

} // namespace

class TstTypesEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void importsEachType_data();
    void importsEachType();
};

void TstTypesEndToEnd::importsEachType_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("barcodeList");
    QTest::addColumn<Rows>("rows"); // ordered by code

    // codigo, codbarra, produto, unidade, custo, venda, estoque, ncm, cst, aliquota, csosn,
    // situacao_tributaria, iat, ippt, cfop
    const auto row = [](std::initializer_list<QString> values) { return QStringList(values); };
    const auto sheet = [&](const QString& code, const QString& barcode, const QString& name,
                           const QString& unit, const QString& cost, const QString& sale,
                           const QString& stock, const QString& cst) {
        return row({code, barcode, name, unit, cost, sale, stock, "9999.71.04", cst, "0", "102", "I",
                    "T", "T", "5102"});
    };
    const auto text = [&](const QString& code, const QString& barcode, const QString& name,
                          const QString& unit, const QString& price, const QString& ncm = "9999.71.04",
                          const QString& cfop = "5102") {
        return row({code, barcode, name, unit, price, price, "0", ncm, "040", "0", "400", "I", "T",
                    "T", cfop});
    };

    QTest::newRow("10 Tobbin") << 10 << "tobbin.xlsx" << ""
        << Rows{row({"000123", "9781000001235", "CAFE TORRADO 500G", "PC", "10.5", "15.9", "100",
                     "09012100", "060", "18", "102", "I", "T", "T", "5405"}),
                row({"000124", "9781000001242", "ACUCAR CRISTAL 1KG", "KG", "3.2", "4.99", "100",
                     "17019900", "020", "7", "102", "I", "T", "T", "5102"}),
                row({"000125", "9781000001259", "OLEO DE SOJA 900ML", "UN", "6", "8.49", "100",
                     "15079011", "000", "12", "102", "I", "T", "T", "5102"})};
    // Column A empty: the barcode made from the previous row's code.
    QTest::newRow("12 Sarnet") << 12 << "sarnet.xlsx" << ""
        << Rows{sheet("000002", "7891000315507", "BISCOITO MAIZENA 200G", "PC", "2.1", "3.49", "40", "040"),
                sheet("000003", "9781000000023", "SABONETE ERVA DOCE", "UN", "1.2", "1.99", "120", "040"),
                sheet("000004", "7896004006482", "DETERGENTE 500ML", "UN", "1.5", "2.29", "60", "040")};
    QTest::newRow("4 Pembrix") << 4 << "pembrix.xlsx" << ""
        << Rows{sheet("000002", "9781000000009", "ARROZ TIPO 1 5KG", "UN", "18.9", "24.9", "100", "040"),
                sheet("000003", "9781000000023", "FEIJAO CARIOCA 1KG", "UN", "6.4", "8.99", "100", "040"),
                sheet("000004", "9781000000030", "MACARRAO ESPAGUETE", "UN", "2.75", "3.99", "100", "040")};
    QTest::newRow("2 Quelbrant") << 2 << "quelbrant.xlsx" << ""
        << Rows{sheet("000002", "9781000000009", "LEITE INTEGRAL 1L", "LT", "3.1", "4.29", "48", "060"),
                sheet("000003", "9781000000023", "MANTEIGA 200G", "UN", "7.8", "10.5", "12", "000"),
                sheet("000004", "9781000000030", "QUEIJO MUSSARELA KG", "KG", "29.9", "39.9", "6", "060")};
    // Answered Yes: the sheet's barcodes, the empty one included.
    QTest::newRow("1 Qel") << 1 << "qel.xlsx" << ""
        << Rows{sheet("000002", "7891000100103", "LEITE CONDENSADO 395G", "UN", "4.1", "5.99", "36", "000"),
                sheet("000003", "7894900011517", "REFRIGERANTE 2L", "UN", "5.2", "7.49", "24", "060"),
                sheet("000004", "", "PAO FRANCES KG", "KG", "9", "13.9", "0", "040")};
    QTest::newRow("0 Brenvik Antigo") << 0 << "brenvik.xlsx" << ""
        << Rows{row({"000042", "7891910000197", "D AVILA FEIJAO", "UN", "8.9", "8.9", "12", "0713.33.19",
                     "040", "7", "400", "F", "T", "T", "5102"}),
                row({"000077", "", "PRODUTO SEM EAN", "UN", "1.25", "1.25", "3", "2201.00.00", "060",
                     "0", "400", "I", "T", "P", "5102"}),
                row({"345678", "7891000100103", "LEITE MOCA 395G", "UN", "6.5", "6.5", "30", "0402.99.00",
                     "000", "18", "400", "T", "A", "T", "5102"})};

    QTest::newRow("13 Emberlin") << 13 << "emberlin.txt" << ""
        << Rows{row({"000501", "7891000055120", "CHOCOLATE AO LEITE 90G", "UN", "4.75", "4.75", "0",
                     "18063210", "040", "18", "102", "I", "T", "T", "5405"}),
                row({"000502", "7896036090244", "BANANA PRATA", "KG", "5.99", "5.99", "0", "08039000",
                     "000", "0", "400", "I", "T", "T", "5102"}),
                row({"000503", "7898080640017", "PILHA AA", "PC", "12.5", "12.5", "0", "85061019", "060",
                     "25", "500", "I", "T", "T", "5405"})};
    QTest::newRow("11 Grelling") << 11 << "grelling.txt" << "grelling_barcodes.txt"
        << Rows{row({"000701", "7896006711117", "ARROZ PARBOILIZADO 5KG", "PC", "17.35", "22.9", "0",
                     "1006.30.21", "040", "0", "400", "I", "T", "T", "5102"}),
                row({"000702", "7896006744115", "FEIJAO PRETO 1KG", "KG", "5.1", "7.49", "0",
                     "0713.33.90", "040", "0", "400", "I", "T", "T", "5102"}),
                row({"000703", "7896085002014", "FARINHA DE MANDIOCA", "UN", "3.2", "4.99", "0",
                     "1106.20.00", "040", "0", "400", "I", "T", "T", "5102"})};
    QTest::newRow("3 Ostrell") << 3 << "ostrell.txt" << ""
        << Rows{text("000001", "7891149103102", "CERVEJA PILSEN LATA 350ML", "UN", "3.49"),
                text("000002", "7894321711263", "ACHOCOLATADO EM PO 400G", "UN", "8.9"),
                text("000003", "7891150047563", "SABAO EM PO 1KG", "UN", "12.75")};
    QTest::newRow("5 Caldeno") << 5 << "caldeno.txt" << ""
        << Rows{text("000101", "7891000053508", "NESCAU 400G", "UN", "8.99"),
                text("000102", "7896005800027", "AMACIANTE 2L", "UN", "11.49"),
                text("000103", "7891024134702", "CREME DENTAL 90G", "CX", "3.5")};
    // The heading line is skipped; the sixteenth field of the second product is ignored.
    const auto irmsby = [&](const QString& code, const QString& barcode, const QString& name,
                            const QString& unit, const QString& price) {
        return row({code, barcode, name, unit, price, price, "0", "22011000", "040", "0", "102", "I",
                    "T", "T", "5102"});
    };
    QTest::newRow("6 Irmsby") << 6 << "irmsby.txt" << ""
        << Rows{irmsby("000301", "7891000315507", "BISCOITO MAIZENA", "PC", "3.49"),
                irmsby("000302", "7896004006482", "DETERGENTE 500ML", "UN", "2.29"),
                irmsby("000303", "7891150047563", "SABAO EM PO", "CX", "12.75")};
    QTest::newRow("7 Nuvalo") << 7 << "nuvalo.txt" << ""
        << Rows{text("000001", "7894900011517", "REFRIGERANTE COLA 2L", "UN", "7.49", "2202.10.00", "5405"),
                text("000002", "7891000244807", "LEITE EM PO 400G", "LT", "13.9", "1901.90.20", "5102"),
                text("000003", "7896045104482", "AGUA MINERAL 500ML", "UN", "2.99", "2201.  .  ", "5405")};
    QTest::newRow("8 Nuvalo2") << 8 << "nuvalo2.txt" << ""
        << Rows{text("000001", "7891000100103", "LEITE CONDENSADO 395G", "UN", "5.99", "0000.00.00"),
                text("000002", "7896102502084", "AZEITE EXTRA VIRGEM 500ML", "UN", "24.9", "0000.00.00"),
                text("000003", "7898215151708", "BALA DE MENTA", "UN", "1.25", "0000.00.00")};
    QTest::newRow("9 Vrek") << 9 << "vrek.txt" << ""
        << Rows{text("000001", "7891008121025", "ESPONJA DUPLA FACE", "PC", "1.99"),
                text("000002", "7891022100754", "PAPEL HIGIENICO 4UN", "PT", "6.49"),
                text("000003", "7896098900116", "GUARDANAPO 50UN", "PC", "2.15")};
}

void TstTypesEndToEnd::importsEachType()
{
    QFETCH(int, type);
    QFETCH(QString, source);
    QFETCH(QString, barcodeList);
    QFETCH(Rows, rows);

    WindowFixture f;
    QVERIFY2(f.db.isValid(), qPrintable(f.db.error()));
    QVERIFY(f.db.execute(QStringLiteral("insert into c000025 (codigo, produto) values ('900001', 'OLD');")));

    f.load(WindowFixture::fixture(QStringLiteral("types/") + source));
    QCOMPARE(f.dialogs.errors(), QStringList());
    // Chosen as the user chooses it: by the name the type box shows (the tag's words after
    // the number), which must be the type the row's export is.
    QComboBox* box = f.window->ComboBox1();
    box->setCurrentIndex(box->findText(QString::fromLatin1(QTest::currentDataTag()).section(u' ', 1),
                                       Qt::MatchExactly));
    QCOMPARE(f.window->SourceType(), type);
    f.dialogs.answer(MsgDlgBtn::OK);
    if (type == 1)
        f.dialogs.answer(MsgDlgBtn::Yes);
    if (type == 11)
        f.dialogs.chooseOpenFile(WindowFixture::fixture(QStringLiteral("types/") + barcodeList));
    const QString log = f.files.filePath(QStringLiteral("ErrorLog.txt"));
    f.dialogs.chooseSaveFile(log);
    f.window->Button2()->click();

    QCOMPARE(f.dialogs.errors(), QStringList());
    QCOMPARE(f.window->ListBox1Items()->stringList(), QStringList());
    QCOMPARE(f.dialogs.pendingAnswers(), 0);
    QVERIFY(f.dialogs.messages().contains(countMessage(0)));
    QVERIFY(QFile::exists(log));
    f.closeWindow();

    const auto stored = f.db.select(QStringLiteral("select ") + kColumns.join(u',')
                                    + QStringLiteral(" from c000025 order by codigo"));
    QCOMPARE(stored.size(), rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < kColumns.size(); ++c) {
            const QString& name = kColumns.at(c);
            const QString got = withoutTrailingBlanks(stored.at(r).value(name));
            const QString want = withoutTrailingBlanks(rows.at(r).at(c));
            const bool same = kNumbers.contains(name) ? qFuzzyCompare(1 + got.toDouble(), 1 + want.toDouble())
                                                      : got == want;
            QVERIFY2(same, qPrintable(QStringLiteral("row %1 %2: '%3', expected '%4'")
                                          .arg(r).arg(name, got, want)));
        }
    }
}

QTEST_MAIN(TstTypesEndToEnd)
#include "tst_types_endtoend.moc"
