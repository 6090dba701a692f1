#include "DatabaseConnection.h"
#include "Errors.h"
#include "FieldHelpers.h"
#include "LocalClock.h"
#include "ProductRow.h"
#include "RegionalSettings.h"
#include "SqlQuery.h"
#include "TestDatabase.h"

#include <QTest>

#include <memory>

namespace {

const QString kDate = QStringLiteral("08.12.26 13:45");

ProductRow sampleRow()
{
    ProductRow row;
    row.codigo = QStringLiteral("7");
    row.codbarra = QStringLiteral("7891234567895");
    row.produto = QStringLiteral("CAFE 500G");
    row.unidade = QStringLiteral("PC");
    row.precocusto = QStringLiteral("12,50");
    row.precovenda = QStringLiteral("15.9");
    row.estoque = QStringLiteral("3");
    row.ncm = QStringLiteral("0901.21.00");
    row.cst = QStringLiteral("040");
    row.aliquota = QStringLiteral("18.00");
    row.iat = QStringLiteral("T");
    row.ippt = QStringLiteral("T");
    row.situacao_tributaria = QStringLiteral("I");
    row.csosn = QStringLiteral("102");
    row.ind_cfop_venda_dentro = QStringLiteral("5102");
    return row;
}

QString valuesLine(const ProductRow& row)
{
    return ProductInsertStatement(row, kDate).value(3);
}

} // namespace

class TstProductRow : public QObject {
    Q_OBJECT
private slots:
    void makeBarcode_data();
    void makeBarcode();
    void completeProductRow();
    void registrationDate_data();
    void registrationDate();
    void localClockFollowsTheRealClock();
    void statementText();
    void quotedValuesDoubleTheirQuotes_data();
    void quotedValuesDoubleTheirQuotes();
    void bareValues_data();
    void bareValues();
    void executesOnRealDatabase();
};

void TstProductRow::makeBarcode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("expected"); // empty: fails with the integer error
    QTest::newRow("empty") << "" << "9781000000009";
    QTest::newRow("zero") << "0" << "9781000000009";
    QTest::newRow("one") << "1" << "9781000000016";
    QTest::newRow("two") << "2" << "9781000000023";
    QTest::newRow("123") << "123" << "9781000001235";
    QTest::newRow("already six") << "000123" << "9781000001235";
    QTest::newRow("seven digits: 14 characters") << "1234567" << "97810012345674";
    QTest::newRow("letters") << "AB12" << "";
    QTest::newRow("negative") << "-5" << "";
    QTest::newRow("leading blanks") << "  1234" << "";
    QTest::newRow("long, few digits") << "ABCDEFG12" << "";
}

void TstProductRow::makeBarcode()
{
    QFETCH(QString, code);
    QFETCH(QString, expected);
    try {
        const QString barcode = MakeBarcode(code);
        QVERIFY2(!expected.isEmpty(), qPrintable(barcode));
        QCOMPARE(barcode, expected);
    } catch (const ConversionError& e) {
        QVERIFY2(expected.isEmpty(), qPrintable(e.message()));
        QVERIFY(e.message().endsWith(QLatin1String("'' is not a valid integer value")));
    }
}

void TstProductRow::completeProductRow()
{
    ProductRow empty;
    CompleteProductRow(empty);
    QCOMPARE(empty.precocusto, QStringLiteral("0"));
    QCOMPARE(empty.precovenda, QStringLiteral("0"));
    QCOMPARE(empty.estoque, QStringLiteral("0"));
    QCOMPARE(empty.unidade, QStringLiteral("UN"));
    QVERIFY(empty.aliquota.isEmpty() && empty.ncm.isEmpty() && empty.produto.isEmpty());

    // Blanks are not empty: they stay, and the statement then refuses them.
    ProductRow blanks;
    blanks.precocusto = QStringLiteral("  ");
    blanks.unidade = QStringLiteral("KG");
    CompleteProductRow(blanks);
    QCOMPARE(blanks.precocusto, QStringLiteral("  "));
    QCOMPARE(blanks.unidade, QStringLiteral("KG"));
    QVERIFY_THROWS_EXCEPTION(ConversionError, ProductInsertStatement(blanks, kDate));
}

void TstProductRow::registrationDate_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");
    QTest::newRow("usual") << QDateTime(QDate(2026, 12, 8), QTime(13, 45, 59)) << QChar(u':')
                           << "08.12.26 13:45";
    // The rows follow each other: a text kept from the row before must not come back.
    QTest::newRow("same minute, other separator") << QDateTime(QDate(2026, 12, 8), QTime(13, 45, 1))
                                                  << QChar(u'.') << "08.12.26 13.45";
    QTest::newRow("same time, next day") << QDateTime(QDate(2026, 12, 9), QTime(13, 45, 1))
                                         << QChar(u'.') << "09.12.26 13.45";
    QTest::newRow("next minute") << QDateTime(QDate(2026, 12, 9), QTime(13, 46)) << QChar(u'.')
                                 << "09.12.26 13.46";
    QTest::newRow("midnight, 24-hour clock") << QDateTime(QDate(2019, 4, 16), QTime(0, 5))
                                             << QChar(u':') << "16.04.19 00:05";
    QTest::newRow("point separator") << QDateTime(QDate(2026, 1, 2), QTime(23, 7)) << QChar(u'.')
                                     << "02.01.26 23.07";
    QTest::newRow("letter separator is not a pattern") << QDateTime(QDate(2026, 1, 2), QTime(9, 7))
                                                       << QChar(u'h') << "02.01.26 09h07";
}

void TstProductRow::registrationDate()
{
    QFETCH(QDateTime, now);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    RegionalSettings settings = RegionalSettings::brazil();
    settings.timeSeparator = separator;
    const QString date = RegistrationDate(now, settings);
    QCOMPARE(date, expected);
    QCOMPARE(date.size(), 14);
}

// The run's clock reads the local time once a second; in between it must still move on
// with real time and never run backwards or drift from the local time.
void TstProductRow::localClockFollowsTheRealClock()
{
    LocalClock clock;
    QDateTime last = clock.now();
    for (int i = 0; i < 30; ++i) {
        QTest::qWait(50);
        const QDateTime now = clock.now();
        const QDateTime real = QDateTime::currentDateTime();
        QVERIFY(now >= last);
        QVERIFY2(qAbs(now.msecsTo(real)) < 500, qPrintable(now.toString(Qt::ISODateWithMs)));
        last = now;
    }
}

void TstProductRow::statementText()
{
    const QStringList lines = ProductInsertStatement(sampleRow(), kDate);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines.at(0), QStringLiteral("insert into c000025"));
    QCOMPARE(lines.at(1), QStringLiteral("(codigo,codbarra,produto,unidade,data_cadastro,"));
    QCOMPARE(lines.at(2),
             QStringLiteral("precocusto,precovenda,estoque,ncm,cst,classificacao_fiscal,aliquota,"
                            "tipo,situacao,piscofins,incidencia_piscofins, iat, ippt, "
                            "situacao_tributaria, flag_sis,csosn,ind_cfop_venda_dentro)"));
    QCOMPARE(lines.at(3),
             QStringLiteral("values('000007','7891234567895','CAFE 500G','PC','08.12.26 13:45',"
                            "12.50,15.9,3,'0901.21.00','040','0901.21.00',18.00,"
                            "'00 - Mercadoria para Revenda',0,'N','NENHUMA','T','T','I','S',"
                            "'102','5102')"));

    // A long code is written unpadded; the row keeps its own price text.
    ProductRow row = sampleRow();
    row.codigo = QStringLiteral("1234567");
    QVERIFY(valuesLine(row).startsWith(QLatin1String("values('1234567',")));
    QCOMPARE(row.precocusto, QStringLiteral("12,50"));
}

void TstProductRow::quotedValuesDoubleTheirQuotes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");
    QTest::newRow("one quote") << "O'BRIEN" << "'O''BRIEN'";
    QTest::newRow("quote at the ends") << "'A'" << "'''A'''";
    QTest::newRow("attempt to close the literal")
        << "x','y'),('z" << "'x'',''y''),(''z'";
}

void TstProductRow::quotedValuesDoubleTheirQuotes()
{
    QFETCH(QString, name);
    QFETCH(QString, written);
    ProductRow row = sampleRow();
    row.produto = name;
    row.codbarra = name;
    row.situacao_tributaria = name;
    const QString values = valuesLine(row);
    QCOMPARE(values.count(written), 3);
}

void TstProductRow::bareValues_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("written"); // empty: the row fails with this value's error
    QTest::addColumn<QString>("failingText");
    QTest::newRow("cost with comma") << "precocusto" << "12,50" << "12.50" << "";
    QTest::newRow("cost with point") << "precocusto" << "12.50" << "12.50" << "";
    QTest::newRow("sale negative") << "precovenda" << "-3,5" << "-3.5" << "";
    QTest::newRow("blanks around") << "estoque" << " 12 " << " 12 " << "";
    QTest::newRow("plus sign") << "estoque" << "+4" << "+4" << "";
    QTest::newRow("exponent") << "estoque" << "1E-3" << "1E-3" << "";
    QTest::newRow("signed exponent") << "precocusto" << "2,5e+10" << "2.5e+10" << "";
    QTest::newRow("type-0 empty tax rate") << "aliquota" << ".00" << ".00" << "";
    QTest::newRow("type-0 tax rate") << "aliquota" << "18.00" << "18.00" << "";
    QTest::newRow("thousands separator") << "precocusto" << "1.234,56" << "" << "1.234.56";
    QTest::newRow("injection") << "estoque" << "1),('x" << "" << "1),('x";
    QTest::newRow("injection in a price") << "precovenda" << "1,0),(1" << "" << "1.0).(1";
    QTest::newRow("comment") << "aliquota" << "1--" << "" << "1--";
    QTest::newRow("empty tax rate") << "aliquota" << "" << "" << "";
    QTest::newRow("only blanks") << "estoque" << "   " << "" << "   ";
    QTest::newRow("stock keeps its comma") << "estoque" << "1,5" << "" << "1,5";
    QTest::newRow("trailing point") << "estoque" << "12." << "" << "12.";
    QTest::newRow("bare exponent") << "estoque" << "1e" << "" << "1e";
    QTest::newRow("inner blank") << "estoque" << "1 2" << "" << "1 2";
    QTest::newRow("hexadecimal") << "estoque" << "0x10" << "" << "0x10";
    QTest::newRow("tab around") << "estoque" << "\t1" << "" << "\t1";
    QTest::newRow("words") << "estoque" << "NULL" << "" << "NULL";
}

void TstProductRow::bareValues()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, written);
    QFETCH(QString, failingText);
    ProductRow row = sampleRow();
    QString ProductRow::*member = field == u"precocusto" ? &ProductRow::precocusto
                                : field == u"precovenda" ? &ProductRow::precovenda
                                : field == u"estoque"    ? &ProductRow::estoque
                                                         : &ProductRow::aliquota;
    row.*member = value;
    try {
        const QStringList values = valuesLine(row).mid(7).chopped(1).split(u',');
        QVERIFY2(!written.isEmpty(), qPrintable(values.join(u',')));
        const int index = field == u"precocusto" ? 5 : field == u"precovenda" ? 6
                        : field == u"estoque" ? 7 : 11;
        QCOMPARE(values.value(index), written);
    } catch (const ConversionError& e) {
        QVERIFY2(written.isEmpty(), qPrintable(e.message()));
        QCOMPARE(e.message(), QStringLiteral("'%1' is not a valid floating point value").arg(failingText));
    }
}

void TstProductRow::executesOnRealDatabase()
{
    TestDatabase db;
    QVERIFY2(db.isValid(), qPrintable(db.error()));
    {
        DatabaseConnection connection;
        db.configure(connection);
        connection.setConnected(true);
        SqlQuery query2(connection);
        query2.AutoCommit = false;

        ProductRow row = sampleRow();
        row.produto = QStringLiteral("O'BRIEN");
        ExecuteProductInsert(query2, row, kDate);
        QCOMPARE(query2.SQL().lines(), ProductInsertStatement(row, kDate));

        // A value the statement cannot carry fails before query2 is touched.
        ProductRow crafted = sampleRow();
        crafted.estoque = QStringLiteral("1),('x");
        QVERIFY_THROWS_EXCEPTION(ConversionError, ExecuteProductInsert(query2, crafted, kDate));
        QCOMPARE(query2.SQL().lines(), ProductInsertStatement(row, kDate));

        // The database's own refusal comes back as its error.
        ProductRow tooLong = sampleRow();
        tooLong.codigo = QStringLiteral("1234567");
        QVERIFY_THROWS_EXCEPTION(EngineError, ExecuteProductInsert(query2, tooLong, kDate));

        ProductRow second = sampleRow();
        second.codigo = QStringLiteral("8");
        ExecuteProductInsert(query2, second, kDate);
        connection.Commit();
    }
    const auto rows = db.select(QStringLiteral(
        "select codigo, produto, precocusto, precovenda, ncm, classificacao_fiscal, aliquota, "
        "data_cadastro, tipo, situacao from c000025 order by codigo"));
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).value(QStringLiteral("CODIGO")), QStringLiteral("000007"));
    QCOMPARE(rows.at(0).value(QStringLiteral("PRODUTO")), QStringLiteral("O'BRIEN"));
    QCOMPARE(rows.at(0).value(QStringLiteral("PRECOCUSTO")).toDouble(), 12.5);
    QCOMPARE(rows.at(0).value(QStringLiteral("PRECOVENDA")).toDouble(), 15.9);
    QCOMPARE(rows.at(0).value(QStringLiteral("NCM")), QStringLiteral("0901.21.00"));
    QCOMPARE(rows.at(0).value(QStringLiteral("CLASSIFICACAO_FISCAL")), QStringLiteral("0901.21.00"));
    QCOMPARE(rows.at(0).value(QStringLiteral("ALIQUOTA")).toDouble(), 18.0);
    QVERIFY2(rows.at(0).value(QStringLiteral("DATA_CADASTRO")).startsWith(QLatin1String("2026-12-08 13:45")),
             qPrintable(rows.at(0).value(QStringLiteral("DATA_CADASTRO"))));
    QCOMPARE(rows.at(0).value(QStringLiteral("TIPO")), QStringLiteral("00 - Mercadoria para Revenda"));
    QCOMPARE(rows.at(1).value(QStringLiteral("CODIGO")), QStringLiteral("000008"));
}

QTEST_GUILESS_MAIN(TstProductRow)
#include "tst_productrow.moc"
