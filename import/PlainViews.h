#pragma once
// ImportViews over plain data, without widgets: the command-line import and tests that do
// not need a window use it.
#include "ImportViews.h"
#include "TextGrid.h"
#include "TextLines.h"

#include <functional>

class PlainViews : public ImportViews {
public:
    int type = -1;
    QString mode;
    TextGrid gridData;
    TextLines lineData;
    int currentRow = 0;
    int currentIndex = -1;
    bool enabled = true;
    QStringList errors;
    std::function<void()> onGridRowChanged; // the grid preview hook

    int sourceType() const override { return type; }
    QString sourceMode() const override { return mode; }
    const TextGrid& grid() const override { return gridData; }
    int gridCurrentRow() const override { return currentRow; }
    void setGridCurrentRow(int row) override;
    const TextLines& lines() const override { return lineData; }
    int listIndex() const override { return currentIndex; }
    void setListIndex(int index) override { currentIndex = index; }
    void setViewsEnabled(bool on) override { enabled = on; }
    void addErrorLine(const QString& line) override { errors.append(line); }
    QStringList errorLines() const override { return errors; }
};
