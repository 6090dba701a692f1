#include "WindowViews.h"

#include "PreviewViews.h"
#include "TextGrid.h"
#include "TextLinesModel.h"
#include "platform/Error.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QStringListModel>

namespace {

struct Moving {
    Moving(WindowViews::Mover& m, WindowViews::Mover now) : mover(m), old(m) { mover = now; }
    ~Moving() { mover = old; }
    WindowViews::Mover& mover;
    WindowViews::Mover old;
};

} // namespace

int WindowViews::sourceType() const
{
    // An editable box keeps its index while the user types over the item's text; a text
    // that names no item must not import as the type chosen before.
    const int index = w.comboBox.currentIndex();
    if (index < 0 || w.comboBox.currentText() != w.comboBox.itemText(index))
        return -1;
    return index;
}

int WindowViews::gridCurrentRow() const
{
    const QModelIndex current = w.gridView.currentIndex();
    return current.isValid() ? current.row() : 0;
}

void WindowViews::setGridCurrentRow(int row)
{
    if (row < 0 || row >= w.grid.RowCount())
        throw Error(QStringLiteral("Grid index out of range"));
    const QModelIndex current = w.gridView.currentIndex();
    int col = current.isValid() ? current.column() : 0;
    if (col == 0 && w.grid.hasFixedColumn())
        col = 1;
    {
        Moving moving(m_mover, Mover::Operation);
        w.gridView.selectionModel()->setCurrentIndex(w.grid.index(row, col),
                                                     QItemSelectionModel::ClearAndSelect);
    }
    followRun();
}

void WindowViews::placeGridCursor()
{
    const int row = w.grid.hasFixedRow() ? 1 : 0;
    const int col = w.grid.hasFixedColumn() ? 1 : 0;
    if (row >= w.grid.RowCount() || col >= w.grid.ColCount())
        return;
    Moving moving(m_mover, Mover::Placement);
    w.gridView.selectionModel()->setCurrentIndex(w.grid.index(row, col),
                                                 QItemSelectionModel::ClearAndSelect);
}

void WindowViews::setListIndex(int index)
{
    // The index is kept even when it points at no line, as a list box keeps what it was told.
    m_listIndex = index;
    {
        Moving moving(m_mover, Mover::Operation);
        QItemSelectionModel* selection = w.listView.selectionModel();
        if (index >= 0 && index < lines().size())
            selection->setCurrentIndex(w.lineModel.index(index),
                                       QItemSelectionModel::ClearAndSelect);
        else
            selection->clear();
    }
    followRun();
}

// The views scroll to the run's row and the window is drawn, now or when RedrawInterval
// has passed since the last time; never while the user holds the views.
void WindowViews::followRun(bool now)
{
    if (!m_sinceRedraw.isValid() || !m_redraw)
        return;
    if (!now && m_sinceRedraw.elapsed() < RedrawInterval)
        return;
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(&w.gridView),
                                    static_cast<QAbstractItemView*>(&w.listView)})
        if (view->currentIndex().isValid())
            view->scrollTo(view->currentIndex());
    m_redraw();
    m_sinceRedraw.restart();
}

void WindowViews::setViewsEnabled(bool enabled)
{
    // While the run holds the views, following every move on screen would cost more than
    // the insert of the row; the views catch up with the cursor once, when enabled again.
    for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(&w.gridView),
                                    static_cast<QAbstractItemView*>(&w.listView)}) {
        view->setEnabled(enabled);
        view->setAutoScroll(enabled);
        if (enabled && view->currentIndex().isValid())
            view->scrollTo(view->currentIndex());
    }
    if (enabled) {
        m_sinceRedraw.invalidate();
    } else {
        m_sinceRedraw.start();
        followRun(true);
    }
}

void WindowViews::addErrorLine(const QString& line)
{
    const int row = w.errorModel.rowCount();
    w.errorModel.insertRows(row, 1);
    w.errorModel.setData(w.errorModel.index(row), line);
}

QStringList WindowViews::errorLines() const { return w.errorModel.stringList(); }

const TextLines& WindowViews::lines() const { return w.lineModel.lines(); }

// The view shows the lines the run reads: the model holds the one store.
void WindowViews::setLines(TextLines lines)
{
    w.lineModel.setLines(std::move(lines));
    m_listIndex = -1;
}
