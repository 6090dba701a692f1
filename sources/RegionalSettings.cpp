#include "RegionalSettings.h"

RegionalSettings RegionalSettings::fromLocale(const QLocale& locale)
{
    RegionalSettings s;
    const QString dp = locale.decimalPoint();
    s.decimalSeparator = dp.isEmpty() ? QChar(u'.') : dp.at(0);
    s.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    s.longTimeFormat = locale.timeFormat(QLocale::LongFormat);
    // The time separator is whatever stands between the hour and the minutes.
    const QString t = locale.timeFormat(QLocale::ShortFormat);
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t.at(i) != u'h' && t.at(i) != u'H' && i > 0) {
            s.timeSeparator = t.at(i);
            break;
        }
    }
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
