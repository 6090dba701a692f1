#include "CellText.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace celltext {

namespace {

// Writes text into a small buffer; the decimal separator goes in as a marker byte and is
// swapped for the regional one in the finished QString (it need not be Latin-1).
struct NumberText {
    char text[48];
    int size = 0;
    int separatorAt = -1;
    void put(char c) { text[size++] = c; }
    void put(const char* from, int n)
    {
        std::memcpy(text + size, from, size_t(n));
        size += n;
    }
    void separator()
    {
        separatorAt = size;
        put('.');
    }
    // One allocation, written in place.
    QString finish(QChar decimalSeparator) const
    {
        QString result(size, Qt::Uninitialized);
        QChar* to = result.data();
        for (int i = 0; i < size; ++i)
            to[i] = i == separatorAt ? decimalSeparator : QChar(char16_t(static_cast<unsigned char>(text[i])));
        return result;
    }
};

// A magnitude from 0.00001 up that is the double nearest to a decimal of at most 15
// significant digits, n / 10^k with the smallest k: then that decimal is the value rounded
// to 15 digits, without trailing zeros. A price such as 3.78 is found in three tries. The
// test is exact, because n and 10^k are exact doubles and their quotient is correctly
// rounded, as reading the decimal would be.
bool shortDecimal(double magnitude, long long& n, int& k)
{
    if (!(magnitude >= 1e-5 && magnitude < 1e15))
        return false;
    for (k = 0; k < int(std::size(kPowersOfTen)); ++k) {
        const double x = magnitude * kPowersOfTen[k];
        if (x >= 1e15)
            return false;
        // Positive and below 10^15: adding a half and cutting is rounding, without a call.
        const double scaled = double(static_cast<long long>(x + 0.5));
        if (scaled < 1e15 && scaled / kPowersOfTen[k] == magnitude) {
            n = static_cast<long long>(scaled);
            return true;
        }
    }
    return false;
}

QString shortDecimalText(bool negative, long long n, int k, QChar separator)
{
    char digits[24];
    const int count = int(std::to_chars(digits, digits + sizeof digits, n).ptr - digits);
    NumberText out;
    if (negative)
        out.put('-');
    if (count > k) {
        out.put(digits, count - k);
    } else {
        out.put('0');
    }
    if (k > 0) {
        out.separator();
        for (int i = count; i < k; ++i)
            out.put('0');
        out.put(digits + std::max(0, count - k), std::min(count, k));
    }
    return out.finish(separator);
}

// The value's significant digits (at most 15, without trailing zeros) and its decimal
// exponent. The shortest text that reads back as the value is, when it has at most 15
// significant digits, also the value rounded to 15 of them: a 15-digit step is wider than
// the gap between two doubles (not so below the normal range). It is much cheaper to make,
// and most cells have it (a price written as 3.7800000000000002 is 3.78). Longer ones are
// rounded: scientific with 14 decimals is the value correctly rounded to 15 significant
// digits, with the exponent taken after rounding ("d.dddddddddddddde+XX").
struct Digits {
    char digit[16];
    int count = 0;
    int exponent = 0;
};

Digits roundedDigits(double magnitude)
{
    char sci[40];
    auto written = std::to_chars(sci, sci + sizeof sci - 1, magnitude, std::chars_format::scientific);
    if (!std::isnormal(magnitude) || std::find(sci, written.ptr, 'e') - sci > 16)
        written = std::to_chars(sci, sci + sizeof sci - 1, magnitude, std::chars_format::scientific, 14);
    *written.ptr = '\0';
    const char* e = std::strchr(sci, 'e');
    Digits d;
    d.exponent = std::atoi(e + 1);
    d.digit[d.count++] = sci[0];
    for (const char* p = sci + 2; p < e; ++p)
        d.digit[d.count++] = *p;
    while (d.count > 1 && d.digit[d.count - 1] == '0')
        --d.count;
    return d;
}

// Scientific from 15 integer digits on and below 0.00001, plain in between.
void putDigits(NumberText& out, const Digits& d)
{
    if (d.exponent >= 15 || d.exponent < -5) {
        out.put(d.digit[0]);
        if (d.count > 1) {
            out.separator();
            out.put(d.digit + 1, d.count - 1);
        }
        out.put('E');
        const auto end = std::to_chars(out.text + out.size, out.text + sizeof out.text, d.exponent);
        out.size = int(end.ptr - out.text);
    } else if (d.exponent < 0) {
        out.put('0');
        out.separator();
        for (int i = 0; i < -d.exponent - 1; ++i)
            out.put('0');
        out.put(d.digit, d.count);
    } else {
        const int intDigits = d.exponent + 1;
        out.put(d.digit, std::min(d.count, intDigits));
        for (int i = d.count; i < intDigits; ++i)
            out.put('0');
        if (d.count > intDigits) {
            out.separator();
            out.put(d.digit + intDigits, d.count - intDigits);
        }
    }
}

} // namespace

QString number(double value, const RegionalSettings& settings)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    // Whole numbers of at most 15 digits, most cells of a catalogue, need no rounding: their
    // digits are the text.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        char whole[24];
        const auto end = std::to_chars(whole, whole + sizeof whole, static_cast<long long>(value));
        return QString::fromLatin1(whole, int(end.ptr - whole));
    }
    long long n = 0;
    int k = 0;
    if (shortDecimal(std::fabs(value), n, k))
        return shortDecimalText(value < 0, n, k, settings.decimalSeparator);
    NumberText out;
    if (value < 0)
        out.put('-');
    putDigits(out, roundedDigits(std::fabs(value)));
    return out.finish(settings.decimalSeparator);
}

QString dateTime(double serial, bool date1904, const RegionalSettings& settings)
{
    // The spreadsheet has no date before its epoch or after 31 December 9999 (serial 2958465
    // in the 1900 system, 1462 days fewer in the 1904 one); such a value under a date format
    // is shown as the number it is (and stays clear of overflow below).
    const double pastLastDay = date1904 ? 2957004.0 : 2958466.0;
    if (!std::isfinite(serial) || serial < 0 || serial >= pastLastDay)
        return number(serial, settings);
    // Round to the millisecond first, so that a serial a hair below midnight lands on the
    // next day at 00:00 rather than on this day at 23:59:59.
    const qint64 msPerDay = 86400000;
    const qint64 ms = qint64(std::llround(serial * double(msPerDay)));
    const qint64 day = ms >= 0 ? ms / msPerDay : -((-ms + msPerDay - 1) / msPerDay);
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(ms - day * msPerDay));
    QDate date;
    if (date1904) {
        date = QDate(1904, 1, 1).addDays(day);
    } else if (day >= 61 || day < 1) {
        // From 1 March 1900 on, serials count from 30 December 1899; day 0 (a time of day
        // without a date) is that same origin.
        date = QDate(1899, 12, 30).addDays(day);
    } else {
        // Serial 1 is 1 January 1900, and serial 60 the 29 February 1900 that never was,
        // shown as the 28th.
        date = QDate(1899, 12, 31).addDays(day == 60 ? 59 : day);
    }
    return dateTime(date, time, settings);
}

QString dateTime(QDate date, QTime time, const RegionalSettings& settings)
{
    QString out = date.toString(settings.shortDateFormat);
    if (time.isValid() && time.msecsSinceStartOfDay() != 0)
        out += u' ' + time.toString(settings.longTimeFormat);
    return out;
}

namespace {

// The amount's exact binary value rounded to 4 decimals, halves away from zero. Scaling by
// 10^4 rounds once already: 16707327.29925 is stored a hair below ...29925, yet its product
// comes out as ...2992.5 exactly. The product's rounding error (exact, through fma) says on
// which side of the half the true product lies.
double roundedTo4Decimals(double value)
{
    const double scaled = value * 10000.0;
    if (!(std::fabs(scaled) < 4503599627370496.0)) // 2^52: already whole, or not finite
        return value;
    const double error = std::fma(value, 10000.0, -scaled);
    double whole = std::round(scaled);
    if (std::fabs(scaled - std::trunc(scaled)) == 0.5 && error != 0)
        whole = (error > 0) == (scaled > 0) ? whole : whole - std::copysign(1.0, scaled);
    return whole / 10000.0;
}

} // namespace

QString currency(double value, const RegionalSettings& settings)
{
    return number(roundedTo4Decimals(value), settings);
}

QString boolean(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

namespace {

bool isCurrencySymbol(QChar c)
{
    return c == u'$' || c == QChar(0x20AC) || c == QChar(0xA3) || c == QChar(0xA5);
}

bool isDatePart(QChar c)
{
    switch (c.toLower().unicode()) {
    case u'y': case u'm': case u'd': case u'h': case u's':
        return true;
    default:
        return false;
    }
}

struct FormatTraits {
    bool date = false;
    bool currency = false;
};

// A [..] section: an elapsed-time part ([h], [mm], [ss]) makes a date-time format, a
// currency tag ([$R$-416]) a currency format; colours, conditions and bare locale tags
// ([$-416]) say nothing about the value.
void readBracket(QStringView inner, FormatTraits& traits)
{
    bool elapsed = !inner.isEmpty();
    for (QChar c : inner)
        elapsed = elapsed && QStringView(u"hHmMsS").contains(c);
    if (elapsed)
        traits.date = true;
    if (inner.size() > 1 && inner.at(0) == u'$' && inner.at(1) != u'-')
        traits.currency = true;
}

// Looks at the first section of the code only (the one for positive values). Letters
// inside quotes or after a backslash are literal text, not date parts; a currency symbol
// counts wherever it stands.
FormatTraits readFormatCode(QStringView code)
{
    FormatTraits traits;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == u';') {
            break;
        } else if (c == u'"') {
            const qsizetype close = code.indexOf(u'"', i + 1);
            const QStringView literal = code.mid(i + 1, (close < 0 ? code.size() : close) - i - 1);
            for (QChar l : literal)
                traits.currency = traits.currency || isCurrencySymbol(l);
            i = close < 0 ? code.size() : close;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            if (c == u'\\' && i + 1 < code.size() && isCurrencySymbol(code.at(i + 1)))
                traits.currency = true;
            ++i;
        } else if (c == u'[') {
            const qsizetype close = code.indexOf(u']', i + 1);
            readBracket(code.mid(i + 1, (close < 0 ? code.size() : close) - i - 1), traits);
            i = close < 0 ? code.size() : close;
        } else if (isCurrencySymbol(c)) {
            traits.currency = true;
        } else if (isDatePart(c)) {
            traits.date = true;
        }
    }
    return traits;
}

FormatKind builtInFormat(int numFmtId)
{
    if ((numFmtId >= 14 && numFmtId <= 22) || (numFmtId >= 45 && numFmtId <= 47)
        || (numFmtId >= 27 && numFmtId <= 36) || (numFmtId >= 50 && numFmtId <= 58))
        return FormatKind::Date;
    // 5 to 8 carry the currency symbol; of the accounting formats only 42 and 44 do.
    if ((numFmtId >= 5 && numFmtId <= 8) || numFmtId == 42 || numFmtId == 44)
        return FormatKind::Currency;
    return FormatKind::Number;
}

} // namespace

FormatKind classifyFormat(int numFmtId, const QString& formatCode)
{
    if (formatCode.isEmpty())
        return builtInFormat(numFmtId);
    const FormatTraits traits = readFormatCode(formatCode);
    if (traits.date)
        return FormatKind::Date;
    return traits.currency ? FormatKind::Currency : FormatKind::Number;
}

} // namespace celltext
