#include "CellText.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace celltext {

QString number(double value, const RegionalSettings& settings)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    // %.14e gives exactly 15 significant digits, rounded, with the exponent after rounding.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    const char* e = std::strchr(buf, 'e');
    const int exponent = std::atoi(e + 1);
    QString digits = QString::fromLatin1(buf, 1) + QString::fromLatin1(buf + 2, int(e - buf - 2));
    while (digits.size() > 1 && digits.endsWith(u'0'))
        digits.chop(1);

    QString out = value < 0 ? QStringLiteral("-") : QString();
    if (exponent >= 15 || exponent < -5) {
        out += digits.at(0);
        if (digits.size() > 1)
            out += settings.decimalSeparator + digits.mid(1);
        out += u'E' + QString::number(exponent);
        return out;
    }
    if (exponent < 0) {
        out += u'0';
        out += settings.decimalSeparator;
        out += QString(-exponent - 1, u'0');
        out += digits;
        return out;
    }
    const int intDigits = exponent + 1;
    if (digits.size() <= intDigits) {
        out += digits + QString(intDigits - digits.size(), u'0');
    } else {
        out += digits.left(intDigits);
        out += settings.decimalSeparator;
        out += digits.mid(intDigits);
    }
    return out;
}

QString dateTime(double serial, bool date1904, const RegionalSettings& settings)
{
    if (!std::isfinite(serial))
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

QString currency(double value, const RegionalSettings& settings)
{
    const double rounded = std::round(value * 10000.0) / 10000.0;
    return number(rounded, settings);
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
