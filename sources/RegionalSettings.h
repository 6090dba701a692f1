#pragma once
// The regional settings every text conversion depends on. Production reads them once from
// QLocale::system(); tests pass fixed values, so nothing below the app reads the locale.
#include <QChar>
#include <QLocale>
#include <QString>

struct RegionalSettings {
    QChar decimalSeparator = u'.';
    QChar timeSeparator = u':';
    QString shortDateFormat = QStringLiteral("dd/MM/yyyy"); // QDateTime format syntax
    QString longTimeFormat = QStringLiteral("hh:mm:ss");

    static RegionalSettings fromLocale(const QLocale& locale);
    static RegionalSettings system() { return fromLocale(QLocale::system()); }
    // Fixed settings for tests: Brazilian (",", dd/MM/yyyy) and C-like (".").
    static RegionalSettings brazil();
    static RegionalSettings point();
};
