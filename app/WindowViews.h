#pragma once
// What the full import sees of the window (ImportViews) over its widgets. It also tells the
// window whether a move of a view's position comes from an operation or from the user, since
// only the grid preview follows an operation's moves.
#include "ImportViews.h"

#include <QElapsedTimer>
#include <QStringList>

#include <functional>

class PreviewListView;
class PreviewTableView;
class QComboBox;
class QStringListModel;
class TextGrid;
class TextLines;
class TextLinesModel;

struct WindowWidgets {
    TextGrid& grid;
    PreviewTableView& gridView;
    TextLinesModel& lineModel;
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

    const TextLines& lines() const override;
    int listIndex() const override { return m_listIndex; }
    void setListIndex(int index) override;

    void setViewsEnabled(bool enabled) override;

    void addErrorLine(const QString& line) override;
    QStringList errorLines() const override;

    // Loading: the lines of a text file, and the grid's first current cell after a load.
    void setLines(TextLines lines);
    void placeGridCursor();

    // Who moves a view's current position right now: the user, an operation (the run), or
    // the window placing the grid's first cell, which previews nothing.
    enum class Mover { User, Operation, Placement };
    Mover mover() const { return m_mover; }
    // The list's position as the user moved it.
    void userMovedList(int index) { m_listIndex = index; }

    // Draws the window at once, without taking input. While a run holds the views it is
    // called when they are disabled and then, as the run moves them, at most every
    // RedrawInterval ms, so the window shows where the run is.
    void setRedraw(std::function<void()> redraw) { m_redraw = std::move(redraw); }
    static constexpr int RedrawInterval = 100;

private:
    void followRun(bool now = false);
    WindowWidgets w;
    std::function<void()> m_redraw;
    QElapsedTimer m_sinceRedraw; // valid while a run holds the views
    int m_listIndex = -1;
    Mover m_mover = Mover::User;
};
