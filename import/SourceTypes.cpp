#include "SourceTypes.h"

const QStringList& SourceTypeNames()
{
    static const QStringList names{
        QStringLiteral("Brenvik Antigo"), QStringLiteral("Qel"),     QStringLiteral("Quelbrant"),
        QStringLiteral("Ostrell"),        QStringLiteral("Pembrix"), QStringLiteral("Caldeno"),
        QStringLiteral("Irmsby"),         QStringLiteral("Nuvalo"),  QStringLiteral("Nuvalo2"),
        QStringLiteral("Vrek"),           QStringLiteral("Tobbin"),  QStringLiteral("Grelling"),
        QStringLiteral("Sarnet"),         QStringLiteral("Emberlin")};
    return names;
}

int SourceTypeFromText(const QString& text)
{
    const QString wanted = text.trimmed();
    bool isNumber = false;
    const int number = wanted.toInt(&isNumber, 10);
    if (isNumber)
        return number >= 0 && number < SourceTypeCount ? number : -1;
    const QStringList& names = SourceTypeNames();
    for (int type = 0; type < names.size(); ++type)
        if (names[type].compare(wanted, Qt::CaseInsensitive) == 0)
            return type;
    return -1;
}
