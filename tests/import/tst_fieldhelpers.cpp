#include "CurrentLine.h"
#include "FieldHelpers.h"

#include <QTest>

#include <climits>

class TstFieldHelpers : public QObject {
    Q_OBJECT
private slots:
    void padText_data();
    void padText();
    void digitsOnly_data();
    void digitsOnly();
    void isEvenNumber();
    void ean13CheckDigit_data();
    void ean13CheckDigit();
    void collapseSpaces_data();
    void collapseSpaces();
    void centsToDecimal_data();
    void centsToDecimal();
    void centsNeedDecimalComma_data();
    void centsNeedDecimalComma();
    void formatNcm_data();
    void formatNcm();
    void readWholeNumber_data();
    void readWholeNumber();
    void cutField_data();
    void cutField();
};

void TstFieldHelpers::padText_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("fill");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("left short") << "e" << "0" << "7" << 6 << "000007";
    QTest::newRow("left empty") << "e" << "0" << "" << 6 << "000000";
    QTest::newRow("left longer is never cut") << "e" << "0" << "1234567" << 6 << "1234567";
    QTest::newRow("right") << "d" << "0" << "7" << 6 << "700000";
    QTest::newRow("side is case-sensitive") << "E" << "*" << "ab" << 5 << "*ab**";
    QTest::newRow("alternate odd, right first") << "x" << "*" << "ab" << 5 << "*ab**";
    QTest::newRow("alternate even") << "x" << "*" << "ab" << 4 << "*ab*";
    QTest::newRow("two-character fill counts copies") << "e" << "ab" << "x" << 3 << "ababx";
    QTest::newRow("empty fill adds nothing") << "e" << "" << "x" << 6 << "x";
    QTest::newRow("zero width") << "e" << "0" << "7" << 0 << "7";
    QTest::newRow("negative width") << "d" << "0" << "7" << -3 << "7";
}

void TstFieldHelpers::padText()
{
    QFETCH(QString, side);
    QFETCH(QString, fill);
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(PadText(side, fill, text, width), expected);
}

void TstFieldHelpers::digitsOnly_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("separators dropped") << "12.345-6 / X" << "123456";
    QTest::newRow("no digits") << "abc -" << "";
    QTest::newRow("other scripts' digits dropped") << QString::fromUtf8("1\u0662\u0663x2") << "12";
    QTest::newRow("full-width digits dropped") << QString::fromUtf8("\uff11\uff12") << "";
}

void TstFieldHelpers::digitsOnly()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(DigitsOnly(text), expected);
}

void TstFieldHelpers::isEvenNumber()
{
    QVERIFY(IsEvenNumber(0));
    QVERIFY(IsEvenNumber(-2));
    QVERIFY(!IsEvenNumber(-3));
    QVERIFY(!IsEvenNumber(7));
    QVERIFY(IsEvenNumber(INT_MIN));
}

void TstFieldHelpers::ean13CheckDigit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: fails
    QTest::addColumn<QString>("error");
    QTest::newRow("code 1") << "978100000001" << "6" << "";
    QTest::newRow("code 0") << "978100000000" << "9" << "";
    QTest::newRow("total multiple of ten") << "978100000003" << "0" << "";
    QTest::newRow("13th character ignored") << "9781000000016" << "6" << "";
    QTest::newRow("characters after 12 ignored") << "978100000001xyz" << "6" << "";
    QTest::newRow("eleven digits") << "97810000000" << ""
                                   << "'''' is not a valid integer value";
    QTest::newRow("letter among the twelve") << "97810000AB12" << ""
                                             << "''A'' is not a valid integer value";
    QTest::newRow("blank among the twelve") << "978100  1234" << ""
                                            << "'' '' is not a valid integer value";
}

void TstFieldHelpers::ean13CheckDigit()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QFETCH(QString, error);
    try {
        const QString digit = Ean13CheckDigit(text);
        QVERIFY2(error.isEmpty(), qPrintable(digit));
        QCOMPARE(digit, expected);
    } catch (const ConversionError& e) {
        QCOMPARE(e.message(), error);
    }
}

void TstFieldHelpers::collapseSpaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("leading and inner runs") << "  x     y" << " x y";
    QTest::newRow("trailing run shortened, not removed") << "a   " << "a ";
    QTest::newRow("single blanks kept") << "a b c" << "a b c";
    QTest::newRow("tabs untouched") << "a\t\tb \t c" << "a\t\tb \t c";
    QTest::newRow("only blanks") << "     " << " ";
    QTest::newRow("empty") << "" << "";
}

void TstFieldHelpers::collapseSpaces()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(CollapseSpaces(text), expected);
}

void TstFieldHelpers::centsToDecimal_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addColumn<QString>("error");
    QTest::newRow("leading zeros") << "0000001234" << 12.34 << "";
    QTest::newRow("zero") << "0000000000" << 0.0 << "";
    QTest::newRow("five cents") << "0000000005" << 0.05 << "";
    QTest::newRow("two digits") << "99" << 0.99 << "";
    QTest::newRow("negative below one") << "-5" << -0.05 << "";
    QTest::newRow("negative") << "-123" << -1.23 << "";
    QTest::newRow("hexadecimal") << "$FF" << 2.55 << "";
    QTest::newRow("empty") << "" << 0.0 << "'''' is not a valid integer value";
    QTest::newRow("decimal comma") << "12,34" << 0.0 << "''12,34'' is not a valid integer value";
    QTest::newRow("trailing blank") << "123 " << 0.0 << "''123 '' is not a valid integer value";
    QTest::newRow("above 32 bits") << "9999999999" << 0.0
                                   << "''9999999999'' is not a valid integer value";
}

void TstFieldHelpers::centsToDecimal()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(QString, error);
    try {
        const double value = CentsToDecimal(text, RegionalSettings::brazil());
        QVERIFY2(error.isEmpty(), qPrintable(QString::number(value)));
        QCOMPARE(value, expected);
    } catch (const ConversionError& e) {
        QCOMPARE(e.message(), error);
    }
}

void TstFieldHelpers::centsNeedDecimalComma_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("price") << "1234" << "'12,34' is not a valid floating point value";
    QTest::newRow("empty integer part") << "5" << "',05' is not a valid floating point value";
    QTest::newRow("negative") << "-5" << "'-,05' is not a valid floating point value";
    QTest::newRow("zero") << "0000000000" << "',00' is not a valid floating point value";
}

void TstFieldHelpers::centsNeedDecimalComma()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    try {
        CentsToDecimal(text, RegionalSettings::point());
        QFAIL("converted under a decimal point");
    } catch (const ConversionError& e) {
        QCOMPARE(e.message(), error);
    }
}

void TstFieldHelpers::formatNcm_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("eight digits") << "22011000" << "2201.10.00";
    QTest::newRow("short") << "2201" << "2201.00.00";
    QTest::newRow("empty") << "" << "0000.00.00";
    QTest::newRow("letters, ninth on dropped") << "ABCDEFGHIJ" << "ABCD.EF.GH";
    QTest::newRow("already dotted") << "2201.10.00" << "2201..1.0.";
    QTest::newRow("blanks stay") << "2201    " << "2201.  .  ";
}

void TstFieldHelpers::formatNcm()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(FormatNcm(text), expected);
}

void TstFieldHelpers::readWholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << "42" << 42 << true;
    QTest::newRow("leading zeros") << "00123" << 123 << true;
    QTest::newRow("leading blanks") << "   42" << 42 << true;
    QTest::newRow("plus") << "+7" << 7 << true;
    QTest::newRow("minus") << "-7" << -7 << true;
    QTest::newRow("dollar hex") << "$1F" << 31 << true;
    QTest::newRow("x hex") << "x1f" << 31 << true;
    QTest::newRow("X hex") << "X10" << 16 << true;
    QTest::newRow("0x hex") << "0x10" << 16 << true;
    QTest::newRow("0X hex") << "0X1a" << 26 << true;
    QTest::newRow("negative hex") << "-$10" << -16 << true;
    QTest::newRow("largest") << "2147483647" << INT_MAX << true;
    QTest::newRow("smallest") << "-2147483648" << INT_MIN << true;
    QTest::newRow("zero") << "0" << 0 << true;
    QTest::newRow("empty") << "" << 0 << false;
    QTest::newRow("blanks only") << "   " << 0 << false;
    QTest::newRow("trailing blank") << "42 " << 0 << false;
    QTest::newRow("inner blank") << "4 2" << 0 << false;
    QTest::newRow("blank after sign") << "- 4" << 0 << false;
    QTest::newRow("just above") << "2147483648" << 0 << false;
    QTest::newRow("just below") << "-2147483649" << 0 << false;
    QTest::newRow("far above") << "99999999999999999999999" << 0 << false;
    QTest::newRow("hex above") << "$80000000" << 0 << false;
    QTest::newRow("bare prefix") << "$" << 0 << false;
    QTest::newRow("bare 0x") << "0x" << 0 << false;
    QTest::newRow("bare sign") << "+" << 0 << false;
    QTest::newRow("letters after digits") << "12a" << 0 << false;
    QTest::newRow("hex digits without prefix") << "1F" << 0 << false;
    QTest::newRow("decimal point") << "1.5" << 0 << false;
    QTest::newRow("double sign") << "--1" << 0 << false;
    QTest::newRow("sign after prefix") << "$-1" << 0 << false;
    QTest::newRow("other scripts' digits") << QString::fromUtf8("\u0661\u0662") << 0 << false;
}

void TstFieldHelpers::readWholeNumber()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QFETCH(bool, valid);
    try {
        const int value = ReadWholeNumber(text);
        QVERIFY2(valid, qPrintable(QString::number(value)));
        QCOMPARE(value, expected);
    } catch (const ConversionError& e) {
        QVERIFY(!valid);
        QCOMPARE(e.message(), QStringLiteral("''%1'' is not a valid integer value").arg(text));
    }
}

void TstFieldHelpers::cutField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected");
    const QString line86 = QString(84, u'a') + QStringLiteral("yz");
    QTest::newRow("runs past the end") << line86 << 84 << 4 << "yz";
    QTest::newRow("starts at the end") << line86.left(84) << 84 << 4 << "";
    QTest::newRow("starts past the end") << line86.left(50) << 84 << 4 << "";
    QTest::newRow("blanks kept") << " a  b " << 0 << 6 << " a  b ";
    QTest::newRow("inner window") << "0123456789" << 3 << 4 << "3456";
    QTest::newRow("empty line") << "" << 0 << 13 << "";
}

void TstFieldHelpers::cutField()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, expected);
    CurrentLine line;
    line.setText(text);
    QCOMPARE(line.CutField(start, length), expected);
    QCOMPARE(line.text(), text);
}

QTEST_GUILESS_MAIN(TstFieldHelpers)
#include "tst_fieldhelpers.moc"
