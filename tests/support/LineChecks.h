#pragma once
// The lines of a text store, and the texts a list model shows, as lists to compare.
#include "TextLines.h"

#include <QAbstractItemModel>
#include <QStringList>

inline QStringList allLines(const TextLines& lines)
{
    QStringList all;
    for (qsizetype i = 0; i < lines.size(); ++i)
        all.append(lines.line(i));
    return all;
}

inline QStringList shownTexts(const QAbstractItemModel& model)
{
    QStringList all;
    for (int row = 0; row < model.rowCount(); ++row)
        all.append(model.data(model.index(row, 0), Qt::DisplayRole).toString());
    return all;
}
