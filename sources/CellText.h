#pragma once
// The one place where a spreadsheet cell value becomes grid text. Both readers (.xlsx and
// .xls) classify a cell and call these, so they agree cell by cell.
#include "RegionalSettings.h"

#include <QDate>
#include <QString>
#include <QTime>

namespace celltext {

// 10^0 to 10^19, each exactly a double up to 10^22: a whole number of at most 15 digits
// divided by one of them is the correctly rounded decimal.
inline constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                          1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};

// General format, 15 significant digits: trailing zeros and a needless separator dropped,
// exponent form ("1,23456789012346E17", "1E-6") past 15 integer digits or below 0.00001.
QString number(double value, const RegionalSettings& settings);

// A date serial of the workbook (days since its epoch, fraction = time of day): the short
// date, plus the long time when the time part is not midnight. date1904 selects the
// workbook's 1904 date system; in the 1900 system the fictitious 29 February 1900
// (serial 60) is honoured so that later serials land on the right day; serial 60 itself
// is shown as 28 February, and serials below 1 (a time of day alone) on 30 December 1899.
QString dateTime(double serial, bool date1904, const RegionalSettings& settings);
// The same text for a calendar date and time of day (a cell stored as an ISO date).
QString dateTime(QDate date, QTime time, const RegionalSettings& settings);

// A currency amount: rounded to 4 decimals, then written like a number.
QString currency(double value, const RegionalSettings& settings);

QString boolean(bool value);

// What a number format says about the cell's value.
enum class FormatKind { Number, Date, Currency };
// numFmtId is the built-in id (0-163); formatCode the custom code, empty for built-ins.
// Date parts (y, m, d, h, s, elapsed [h]) make a date; otherwise a currency symbol
// ($, R$, euro, pound, yen, or a [$X-nnn] tag) makes a currency amount.
FormatKind classifyFormat(int numFmtId, const QString& formatCode);

} // namespace celltext
