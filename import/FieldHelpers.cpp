#include "FieldHelpers.h"

#include <algorithm>
#include <cstdint>

ConversionError ConversionError::integer(const QString& text)
{
    return ConversionError(QStringLiteral("''%1'' is not a valid integer value").arg(text));
}

ConversionError ConversionError::floatingPoint(const QString& text)
{
    return ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
}

QString PadText(const QString& side, const QString& fill, const QString& text, int width)
{
    const qsizetype copies = std::max<qsizetype>(0, width - text.size());
    if (copies == 0)
        return text;
    qsizetype left = 0;
    qsizetype right = 0;
    if (side == u"d") {
        right = copies;
    } else if (side == u"e") {
        left = copies;
    } else {
        // Alternately, the first copy on the right.
        right = (copies + 1) / 2;
        left = copies / 2;
    }
    return fill.repeated(left) + text + fill.repeated(right);
}

QString DigitsOnly(const QString& text)
{
    QString digits;
    digits.reserve(text.size());
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits.append(c);
    }
    return digits;
}

bool IsEvenNumber(int n)
{
    return n % 2 == 0;
}

QString Ean13CheckDigit(const QString& text)
{
    int total = 0;
    for (int position = 1; position <= 12; ++position) {
        const bool present = position <= text.size();
        const QChar c = present ? text.at(position - 1) : QChar();
        if (c < u'0' || c > u'9')
            throw ConversionError::integer(present ? QString(c) : QString());
        total += (c.unicode() - u'0') * (IsEvenNumber(position) ? 3 : 1);
    }
    return QString::number((10 - total % 10) % 10);
}

QString CollapseSpaces(const QString& text)
{
    QString result(text.size(), Qt::Uninitialized);
    QChar* out = result.data();
    const QChar* begin = out;
    bool afterBlank = false;
    for (QChar c : text) {
        const bool blank = c == u' ';
        if (!(blank && afterBlank))
            *out++ = c;
        afterBlank = blank;
    }
    result.truncate(out - begin);
    return result;
}

double CentsToDecimal(const QString& text, const RegionalSettings& settings)
{
    const int cents = ReadWholeNumber(text);
    QString digits = QString::number(cents);
    QString sign;
    if (digits.startsWith(u'-')) {
        sign = QStringLiteral("-");
        digits.remove(0, 1);
    }
    // The integer part stays empty below one unit: 5 gives ",05", not "0,05".
    if (digits.size() < 2)
        digits.prepend(QString(2 - digits.size(), u'0'));
    const QString decimalText = sign + digits.left(digits.size() - 2) + u',' + digits.right(2);
    if (settings.decimalSeparator != u',')
        throw ConversionError::floatingPoint(decimalText);
    return cents / 100.0;
}

QString FormatNcm(const QString& text)
{
    QString padded = text;
    while (padded.size() < 9)
        padded.append(u'0');
    return padded.left(4) + u'.' + padded.mid(4, 2) + u'.' + padded.mid(6, 2);
}

namespace {

int digitValue(QChar c, int base)
{
    int value = -1;
    if (c >= u'0' && c <= u'9')
        value = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'f')
        value = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'F')
        value = c.unicode() - u'A' + 10;
    return value < base ? value : -1;
}

} // namespace

int ReadWholeNumber(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == u' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == u'+' || text.at(i) == u'-'))
        negative = text.at(i++) == u'-';
    int base = 10;
    const QStringView rest = QStringView(text).mid(i);
    if (rest.startsWith(u'$') || rest.startsWith(u'x', Qt::CaseInsensitive)) {
        base = 16;
        i += 1;
    } else if (rest.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        throw ConversionError::integer(text);
    const std::int64_t limit = negative ? std::int64_t(INT32_MAX) + 1 : INT32_MAX;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text.at(i), base);
        if (digit < 0)
            throw ConversionError::integer(text);
        value = value * base + digit;
        if (value > limit)
            throw ConversionError::integer(text);
    }
    return int(negative ? -value : value);
}
