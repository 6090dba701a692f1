#include "PreviewViews.h"

#include <QMouseEvent>

bool PreviewTableView::isFixed(const QModelIndex& index) const
{
    return index.isValid() && !(index.flags() & Qt::ItemIsSelectable);
}

void PreviewTableView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    m_pressedOnCurrent = QModelIndex();
    // A fixed cell can be neither current nor selected.
    if (isFixed(at))
        return;
    if (at.isValid() && at == currentIndex() && event->button() == Qt::LeftButton)
        m_pressedOnCurrent = at;
    QTableView::mousePressEvent(event);
}

void PreviewTableView::mouseMoveEvent(QMouseEvent* event)
{
    if (isFixed(indexAt(event->position().toPoint())))
        return;
    QTableView::mouseMoveEvent(event);
}

void PreviewTableView::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex pressed = m_pressedOnCurrent;
    m_pressedOnCurrent = QModelIndex();
    QTableView::mouseReleaseEvent(event);
    if (pressed.isValid() && indexAt(event->position().toPoint()) == pressed
        && currentIndex() == pressed)
        emit currentCellClicked();
}

QModelIndex PreviewTableView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    QModelIndex target = QTableView::moveCursor(action, modifiers);
    if (!isFixed(target))
        return target;
    // Clamp into the non-fixed part: the fixed row and column are row 0 and column 0.
    int row = target.row(), col = target.column();
    if (row == 0 && model()->rowCount() > 1)
        row = 1;
    if (col == 0 && model()->columnCount() > 1)
        col = 1;
    target = model()->index(row, col);
    return isFixed(target) ? currentIndex() : target;
}

void PreviewListView::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    m_pressedOnCurrent = QModelIndex();
    if (at.isValid() && at == currentIndex() && event->button() == Qt::LeftButton)
        m_pressedOnCurrent = at;
    QListView::mousePressEvent(event);
}

void PreviewListView::mouseReleaseEvent(QMouseEvent* event)
{
    const QModelIndex pressed = m_pressedOnCurrent;
    m_pressedOnCurrent = QModelIndex();
    QListView::mouseReleaseEvent(event);
    if (pressed.isValid() && indexAt(event->position().toPoint()) == pressed
        && currentIndex() == pressed)
        emit currentLineClicked();
}

QSize FixedHeightDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(m_height);
    return size;
}
