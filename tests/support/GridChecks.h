#pragma once
// Checks of grid texts written as "D40=text": the cell name of the sheet, "=", the text
// the grid must hold there.
#include "TextGrid.h"

#include <QPoint>
#include <QStringList>
#include <QTest>

#include "platform/Error.h"

#include <exception>

// "D40" -> column 3, row 39.
inline QPoint cellAt(const QString& name)
{
    int col = 0;
    qsizetype i = 0;
    for (; i < name.size() && name.at(i).isUpper(); ++i)
        col = col * 26 + (name.at(i).unicode() - u'A' + 1);
    return {col - 1, name.mid(i).toInt() - 1};
}

inline void checkCells(const TextGrid& grid, const QStringList& expected)
{
    for (const QString& item : expected) {
        const qsizetype eq = item.indexOf(u'=');
        const QPoint at = cellAt(item.left(eq));
        QVERIFY2(at.x() < grid.ColCount() && at.y() < grid.RowCount(), qPrintable(item));
        QCOMPARE(item.left(eq) + u'=' + grid.cell(at.x(), at.y()), item);
    }
}

// The error message a load raises, or an empty text when it succeeds.
template <class Load> QString loadError(Load&& load)
{
    try {
        load();
        return {};
    } catch (const std::exception& e) {
        return errorMessage(e);
    }
}
