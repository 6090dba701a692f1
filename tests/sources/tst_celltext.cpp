// Cell values to grid texts, shared by both spreadsheet readers.
#include "CellText.h"
#include "RegionalSettings.h"

#include <QtTest>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

using celltext::FormatKind;
Q_DECLARE_METATYPE(FormatKind)

class TestCellText : public QObject {
    Q_OBJECT

private slots:
    void timeSeparator_data();
    void timeSeparator();
    void number_data();
    void number();
    void numberIsRoundedTo15Digits();
    void dateTime_data();
    void dateTime();
    void currency_data();
    void currency();
    void classifyFormat_data();
    void classifyFormat();
    void settingsFromLocale();
};

void TestCellText::number_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("comma");
    QTest::addColumn<QString>("point");

    QTest::newRow("whole") << 7.0 << "7" << "7";
    QTest::newRow("fraction") << 12.5 << "12,5" << "12.5";
    QTest::newRow("negative") << -3.25 << "-3,25" << "-3.25";
    QTest::newRow("zero") << 0.0 << "0" << "0";
    QTest::newRow("negative zero") << -0.0 << "0" << "0";
    QTest::newRow("13-digit barcode") << 9781000000009.0 << "9781000000009" << "9781000000009";
    QTest::newRow("15 integer digits") << 123456789012345.0 << "123456789012345" << "123456789012345";
    QTest::newRow("16 integer digits") << 1234567890123456.0 << "1,23456789012346E15" << "1.23456789012346E15";
    QTest::newRow("18 integer digits") << 123456789012345678.0 << "1,23456789012346E17" << "1.23456789012346E17";
    QTest::newRow("rounds up into exponent") << 999999999999999.9 << "1E15" << "1E15";
    QTest::newRow("power of ten") << 1e20 << "1E20" << "1E20";
    QTest::newRow("smallest plain") << 0.00001 << "0,00001" << "0.00001";
    QTest::newRow("below 0.00001") << 0.000001 << "1E-6" << "1E-6";
    QTest::newRow("small with digits") << -2.5e-10 << "-2,5E-10" << "-2.5E-10";
    QTest::newRow("15 significant digits") << 0.1 + 0.2 << "0,3" << "0.3";
    QTest::newRow("rounded at 15") << 2.0 / 3.0 << "0,666666666666667" << "0.666666666666667";
    QTest::newRow("trailing zeros dropped") << 1.5000 << "1,5" << "1.5";
    QTest::newRow("hundred") << 100.0 << "100" << "100";
    QTest::newRow("negative whole") << -42.0 << "-42" << "-42";
    QTest::newRow("largest 15-digit whole") << 999999999999999.0 << "999999999999999" << "999999999999999";
    QTest::newRow("smallest 16-digit whole") << 1e15 << "1E15" << "1E15";
    QTest::newRow("three decimals") << 1.125 << "1,125" << "1.125";
    QTest::newRow("written with 17 digits") << 3.7800000000000002 << "3,78" << "3.78";
    QTest::newRow("shortest has 16 digits") << 0.1 + 0.7 << "0,8" << "0.8";
    QTest::newRow("shortest has 17 digits") << 1.0 / 3.0 << "0,333333333333333" << "0.333333333333333";
    QTest::newRow("below the normal range") << 5e-324 << "4,94065645841247E-324" << "4.94065645841247E-324";
    QTest::newRow("largest") << 1.7976931348623157e308 << "1,79769313486232E308" << "1.79769313486232E308";
}

// Over values of every size and digit count, the text is the value rounded to 15
// significant digits, whichever way it was made.
void TestCellText::numberIsRoundedTo15Digits()
{
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 200000; ++i) {
        double value = 0;
        if (i % 2 == 0) {
            const quint64 bits = random();
            std::memcpy(&value, &bits, sizeof value);
        } else {
            value = double(random() % 100000000) / std::pow(10.0, double(random() % 12)) * (i % 3 ? 1 : -1);
        }
        if (!std::isfinite(value) || value == 0)
            continue;
        char rounded[40];
        std::snprintf(rounded, sizeof rounded, "%.14e", value);
        QString text = celltext::number(value, RegionalSettings::point());
        text.replace(u'E', u'e');
        const qsizetype point = text.indexOf(u'.');
        const qsizetype mantissaEnd = text.contains(u'e') ? text.indexOf(u'e') : text.size();
        QVERIFY2(point < 0 || text.at(mantissaEnd - 1) != u'0', qPrintable(text)); // no trailing zero
        QVERIFY2(text.toDouble() == std::strtod(rounded, nullptr),
                 qPrintable(QStringLiteral("%1: %2, not %3").arg(value, 0, 'g', 17).arg(text, QLatin1String(rounded))));
    }
}

void TestCellText::number()
{
    QFETCH(double, value);
    QFETCH(QString, comma);
    QFETCH(QString, point);
    QCOMPARE(celltext::number(value, RegionalSettings::brazil()), comma);
    QCOMPARE(celltext::number(value, RegionalSettings::point()), point);
}

void TestCellText::dateTime_data()
{
    QTest::addColumn<double>("serial");
    QTest::addColumn<bool>("date1904");
    QTest::addColumn<QString>("expected");

    QTest::newRow("1 Jan 1900") << 1.0 << false << "01/01/1900";
    QTest::newRow("28 Feb 1900") << 59.0 << false << "28/02/1900";
    QTest::newRow("the 29 Feb 1900 that never was") << 60.0 << false << "28/02/1900";
    QTest::newRow("1 Mar 1900") << 61.0 << false << "01/03/1900";
    QTest::newRow("date") << 43571.0 << false << "16/04/2019";
    QTest::newRow("date and time") << 43571.0 + 15.0 / 24 + 52.0 / 1440 << false << "16/04/2019 15:52:00";
    QTest::newRow("a hair below midnight") << 43571.999999999 << false << "17/04/2019";
    QTest::newRow("time alone") << 0.75 << false << "30/12/1899 18:00:00";
    QTest::newRow("1904 origin") << 0.0 << true << "01/01/1904";
    QTest::newRow("1904 date") << 42109.0 << true << "16/04/2019";
    QTest::newRow("1904 date and time") << 42109.5 << true << "16/04/2019 12:00:00";
    QTest::newRow("last day") << 2958465.0 << false << "31/12/9999";
    QTest::newRow("past the last day") << 2958466.0 << false << "2958466";
    QTest::newRow("1904 last day") << 2957003.0 << true << "31/12/9999";
    QTest::newRow("1904 last day, noon") << 2957003.5 << true << "31/12/9999 12:00:00";
    QTest::newRow("1904 past the last day") << 2957004.0 << true << "2957004";
    QTest::newRow("1904 before the epoch") << -0.5 << true << "-0,5";
    QTest::newRow("huge serial") << 1e300 << false << "1E300";
    QTest::newRow("before the epoch") << -1.5 << false << "-1,5";
}

void TestCellText::dateTime()
{
    QFETCH(double, serial);
    QFETCH(bool, date1904);
    QFETCH(QString, expected);
    QCOMPARE(celltext::dateTime(serial, date1904, RegionalSettings::brazil()), expected);
}

void TestCellText::currency_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("whole") << 12.0 << "12";
    QTest::newRow("cents") << 12.5 << "12,5";
    QTest::newRow("four decimals kept") << 0.1234 << "0,1234";
    QTest::newRow("fifth decimal rounds") << 1234.56789 << "1234,5679";
    QTest::newRow("half up") << 0.00005 << "0,0001";
    QTest::newRow("below a ten-thousandth") << 0.00004 << "0";
    QTest::newRow("negative") << -7.12345 << "-7,1235";
    // The stored binary value decides, not its product by 10^4, which rounds to a half.
    QTest::newRow("a hair below a half") << 16707327.29925 << "16707327,2992";
    QTest::newRow("a hair below a half, negative") << -16707327.29925 << "-16707327,2992";
    QTest::newRow("a hair below a half, small") << 2.00005 << "2";
    QTest::newRow("a hair above a half") << 1.00005 << "1,0001";
    QTest::newRow("exactly a half goes away from zero") << 0.03125 << "0,0313";
    QTest::newRow("exactly a half, negative") << -0.03125 << "-0,0313";
    QTest::newRow("past 2^52 ten-thousandths") << 1e15 + 0.25 << "1E15";
}

void TestCellText::currency()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(celltext::currency(value, RegionalSettings::brazil()), expected);
}

void TestCellText::classifyFormat_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("code");
    QTest::addColumn<FormatKind>("kind");

    QTest::newRow("General") << 0 << "" << FormatKind::Number;
    QTest::newRow("built-in 0.00") << 2 << "" << FormatKind::Number;
    QTest::newRow("built-in date 14") << 14 << "" << FormatKind::Date;
    QTest::newRow("built-in time 21") << 21 << "" << FormatKind::Date;
    QTest::newRow("built-in [h]:mm:ss 46") << 46 << "" << FormatKind::Date;
    QTest::newRow("built-in currency 7") << 7 << "" << FormatKind::Currency;
    QTest::newRow("accounting with symbol 44") << 44 << "" << FormatKind::Currency;
    QTest::newRow("accounting without symbol 43") << 43 << "" << FormatKind::Number;
    QTest::newRow("custom date") << 164 << "dd/mm/yyyy" << FormatKind::Date;
    QTest::newRow("custom time AM/PM") << 165 << "h:mm AM/PM" << FormatKind::Date;
    QTest::newRow("elapsed hours") << 165 << "[h]:mm" << FormatKind::Date;
    QTest::newRow("quoted R$") << 166 << "\"R$\" #,##0.00" << FormatKind::Currency;
    QTest::newRow("escaped $") << 166 << "\\$#,##0" << FormatKind::Currency;
    QTest::newRow("currency tag") << 167 << "[$R$-416]\\ #,##0.00" << FormatKind::Currency;
    QTest::newRow("euro tag") << 167 << "#,##0.00 [$€-2]" << FormatKind::Currency;
    QTest::newRow("bare locale tag") << 168 << "[$-416]#,##0.00" << FormatKind::Number;
    QTest::newRow("locale tag on a date") << 168 << "[$-F800]dddd, mmmm dd, yyyy" << FormatKind::Date;
    QTest::newRow("colour is no date") << 169 << "[Magenta]0.00;[Red]-0.00" << FormatKind::Number;
    QTest::newRow("quoted letters are no date") << 169 << "0 \"dias\"" << FormatKind::Number;
    QTest::newRow("escaped letter is no date") << 169 << "0\\d" << FormatKind::Number;
    QTest::newRow("scientific") << 170 << "0.00E+00" << FormatKind::Number;
    QTest::newRow("first section only") << 171 << "0.00;\"m\"" << FormatKind::Number;
    QTest::newRow("General spelled out") << 172 << "General" << FormatKind::Number;
    QTest::newRow("custom code beats the id") << 14 << "0.00" << FormatKind::Number;
}

void TestCellText::classifyFormat()
{
    QFETCH(int, id);
    QFETCH(QString, code);
    QFETCH(FormatKind, kind);
    QCOMPARE(celltext::classifyFormat(id, code), kind);
}

void TestCellText::settingsFromLocale()
{
    const RegionalSettings brazil = RegionalSettings::fromLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    QCOMPARE(brazil.decimalSeparator, QChar(u','));
    QCOMPARE(brazil.timeSeparator, QChar(u':'));
    QCOMPARE(brazil.shortDateFormat, QString("dd/MM/yyyy"));
    QVERIFY2(!brazil.longTimeFormat.contains(u't'), qPrintable(brazil.longTimeFormat));
    QCOMPARE(celltext::dateTime(43571.5, false, brazil), QString("16/04/2019 12:00:00"));
    QCOMPARE(RegionalSettings::fromLocale(QLocale::c()).decimalSeparator, QChar(u'.'));
}

void TestCellText::timeSeparator_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QChar>("separator");
    QTest::newRow("pt_BR") << "pt_BR" << QChar(u':');
    QTest::newRow("fi_FI, a point") << "fi_FI" << QChar(u'.');
    QTest::newRow("ko_KR, text before the hour") << "ko_KR" << QChar(u':');
    QTest::newRow("en_US, hour without leading zero") << "en_US" << QChar(u':');
}

void TestCellText::timeSeparator()
{
    QFETCH(QString, locale);
    QFETCH(QChar, separator);
    QCOMPARE(RegionalSettings::fromLocale(QLocale(locale)).timeSeparator, separator);
}

QTEST_GUILESS_MAIN(TestCellText)
#include "tst_celltext.moc"
