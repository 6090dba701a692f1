#pragma once
// What the full import sees of the window (ImportViews) over its widgets. It also tells the
// window whether a move of a view's position comes from an operation or from the user, since
// only the grid preview follows an operation's moves.
#include "ImportViews.h"

#include <QStringList>

class PreviewListView;
class PreviewTableView;
class QComboBox;
class QStringListModel;
class TextGrid;

struct WindowWidgets {
    TextGrid& grid;
    PreviewTableView& gridView;
    QStringListModel& lineModel;
    PreviewListView& listView;
    QComboBox& comboBox;
    QStringListModel& errorModel;
    const QString& sourceMode;
};

class WindowViews : public ImportViews {
public:
    explicit WindowViews(const WindowWidgets& widgets) : w(widgets) {}

    // ComboBox1's index, or -1 when its text was edited away from the chosen item.
    int sourceType() const override;
    QString sourceMode() const override { return w.sourceMode; }

    const TextGrid& grid() const override { return w.grid; }
    int gridCurrentRow() const override;
    void setGridCurrentRow(int row) override;

    const QStringList& lines() const override { return m_lines; }
    int listIndex() const override { return m_listIndex; }
    void setListIndex(int index) override;

    void setViewsEnabled(bool enabled) override;

    void addErrorLine(const QString& line) override;
    QStringList errorLines() const override;

    // Loading: the lines of a text file, and the grid's first current cell after a load.
    void setLines(QStringList lines);
    void placeGridCursor();

    // Who moves a view's current position right now: the user, an operation (the run), or
    // the window placing the grid's first cell, which previews nothing.
    enum class Mover { User, Operation, Placement };
    Mover mover() const { return m_mover; }
    // The list's position as the user moved it.
    void userMovedList(int index) { m_listIndex = index; }

private:
    WindowWidgets w;
    QStringList m_lines;
    int m_listIndex = -1;
    Mover m_mover = Mover::User;
};
