#pragma once
// Small text operations that turn raw source fields into product fields. All are free
// functions of their arguments; cutting from the current line is CurrentLine::CutField.
#include "RegionalSettings.h"
#include "platform/Error.h"

#include <QString>

// A text that is not the number it should be. The two message forms are the platform's
// own and show up in the error log, so they are kept exactly.
class ConversionError : public Error {
public:
    using Error::Error;
    // "''%s'' is not a valid integer value"
    static ConversionError integer(const QString& text);
    // "'%s' is not a valid floating point value"
    static ConversionError floatingPoint(const QString& text);
};

// Pads text with copies of fill until width copies-plus-characters are reached: side "e"
// on the left, "d" on the right, anything else alternately, starting on the right.
// The count is of copies, so a two-character fill grows twice as fast; nothing is cut.
QString PadText(const QString& side, const QString& fill, const QString& text, int width);

// The ASCII digits of text, in their order.
QString DigitsOnly(const QString& text);

bool IsEvenNumber(int n);

// The EAN-13 check digit of the first 12 characters; a missing or non-digit character
// among them raises the integer conversion error with that character (empty when missing).
QString Ean13CheckDigit(const QString& text);

// Every run of two or more blanks (U+0020 only) becomes one blank.
QString CollapseSpaces(const QString& text);

// A whole number of cents as a value: 1234 gives 12.34. The decimal text is formed with ","
// and read under the regional settings, so it fails unless the decimal separator is ",".
double CentsToDecimal(const QString& text, const RegionalSettings& settings);

// dddd.dd.dd: "0" appended up to 9 characters, then cut by position (no digit test).
QString FormatNcm(const QString& text);

// Leading blanks, an optional sign, then decimal digits or hexadecimal ones after "$", "x",
// "X", "0x" or "0X"; nothing may follow and the value must fit a signed 32-bit integer.
// Anything else raises the integer conversion error with the whole text.
int ReadWholeNumber(const QString& text);
