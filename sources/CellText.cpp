#include "CellText.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <cmath>
#include <cstdio>

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
    // Work in milliseconds to round the time of day the way the spreadsheet shows it.
    if (date1904)
        serial += 1462;
    // 1900 system: serial 1 is 1900-01-01 and serial 60 the 29 February 1900 that never
    // was; from 61 on, serials count from 1899-12-30. Serial 60 is shown as 28 February.
    double days = serial;
    if (!date1904 && serial < 61)
        days = serial >= 60 ? serial : serial + 1;
    qint64 ms = qint64(std::llround(days * 86400000.0));
    qint64 dayPart = ms >= 0 ? ms / 86400000 : -((-ms + 86399999) / 86400000);
    qint64 timePart = ms - dayPart * 86400000;
    if (!date1904 && serial >= 60 && serial < 61)
        dayPart = 60; // 1899-12-30 + 60 = 1900-02-28
    const QDate date = QDate(1899, 12, 30).addDays(dayPart);
    QString out = date.toString(settings.shortDateFormat);
    if (timePart != 0) {
        const QTime time = QTime::fromMSecsSinceStartOfDay(int(timePart));
        out += u' ' + time.toString(settings.longTimeFormat);
    }
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

// Strips quoted literals, escaped characters and [..] sections (colours, conditions,
// locale tags), which hold letters that are not date parts.
QString formatCore(const QString& code)
{
    QString out;
    out.reserve(code.size());
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == u'"') {
            while (++i < code.size() && code.at(i) != u'"') {}
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i);
            const QString inner = code.mid(i + 1, end < 0 ? -1 : end - i - 1);
            // [h], [mm], [ss] are elapsed-time parts: a date-time format.
            if (!inner.isEmpty() && QStringLiteral("hHmMsS").contains(inner.at(0)))
                out += inner;
            if (inner.startsWith(u'$'))
                out += u'$';
            i = end < 0 ? code.size() : end;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

FormatKind classifyFormat(int numFmtId, const QString& formatCode)
{
    if (formatCode.isEmpty()) {
        if ((numFmtId >= 14 && numFmtId <= 22) || (numFmtId >= 45 && numFmtId <= 47)
            || (numFmtId >= 27 && numFmtId <= 36) || (numFmtId >= 50 && numFmtId <= 58))
            return FormatKind::Date;
        if ((numFmtId >= 5 && numFmtId <= 8) || (numFmtId >= 41 && numFmtId <= 44))
            return FormatKind::Currency;
        return FormatKind::Number;
    }
    const QString core = formatCore(formatCode.section(u';', 0, 0));
    for (QChar c : core) {
        const char l = char(c.toLower().unicode());
        if (l == 'y' || l == 'd' || l == 'h' || l == 's' || l == 'm')
            return FormatKind::Date;
        if (l == 'e' && core.contains(u'y', Qt::CaseInsensitive))
            return FormatKind::Date;
    }
    if (core.contains(u'$') || core.contains(QChar(0x20AC)) || core.contains(QChar(0xA3))
        || core.contains(QLatin1String("R$")))
        return FormatKind::Currency;
    return FormatKind::Number;
}

} // namespace celltext
