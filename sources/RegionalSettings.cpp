#include "RegionalSettings.h"

namespace {

// The character that follows the hour in a time format ("HH:mm" gives ":"). A quoted
// literal there ("HH'h'mm") gives its first character; no hour part gives ":".
QChar timeSeparatorOf(const QString& format)
{
    qsizetype i = 0;
    while (i < format.size() && format.at(i) != u'h' && format.at(i) != u'H')
        ++i;
    while (i < format.size() && (format.at(i) == u'h' || format.at(i) == u'H'))
        ++i;
    if (i < format.size() && format.at(i) == u'\'' && i + 1 < format.size())
        ++i;
    return i < format.size() ? format.at(i) : QChar(u':');
}

} // namespace

RegionalSettings RegionalSettings::fromLocale(const QLocale& locale)
{
    RegionalSettings s;
    const QString dp = locale.decimalPoint();
    s.decimalSeparator = dp.isEmpty() ? QChar(u'.') : dp.at(0);
    s.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    s.longTimeFormat = locale.timeFormat(QLocale::LongFormat);
    s.timeSeparator = timeSeparatorOf(locale.timeFormat(QLocale::ShortFormat));
    // A long time format with a time-zone part would make cell texts depend on the zone.
    s.longTimeFormat.remove(QLatin1String(" t")).remove(QLatin1Char('t'));
    s.longTimeFormat = s.longTimeFormat.trimmed();
    return s;
}

RegionalSettings RegionalSettings::brazil()
{
    RegionalSettings s;
    s.decimalSeparator = u',';
    s.timeSeparator = u':';
    s.shortDateFormat = QStringLiteral("dd/MM/yyyy");
    s.longTimeFormat = QStringLiteral("HH:mm:ss");
    return s;
}

RegionalSettings RegionalSettings::point()
{
    RegionalSettings s;
    s.decimalSeparator = u'.';
    s.timeSeparator = u':';
    s.shortDateFormat = QStringLiteral("dd/MM/yyyy");
    s.longTimeFormat = QStringLiteral("HH:mm:ss");
    return s;
}
