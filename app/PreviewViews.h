#pragma once
// The two source views. Besides what Qt does, they report a mouse click on the cell or line
// that is already current (Qt only signals a change of the current index), and the grid
// keeps its fixed row and column out of reach of the mouse and the keyboard.
#include <QListView>
#include <QStyledItemDelegate>
#include <QTableView>

class PreviewTableView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;

signals:
    void currentCellClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    bool isFixed(const QModelIndex& index) const;
    QModelIndex m_pressedOnCurrent;
};

class PreviewListView : public QListView {
    Q_OBJECT
public:
    using QListView::QListView;

signals:
    void currentLineClicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QModelIndex m_pressedOnCurrent;
};

// Every item the same height, as a list box with a fixed item height draws them.
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    FixedHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), m_height(height) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int m_height;
};
