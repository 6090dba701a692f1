#pragma once
// What the full import run sees of the window: the chosen source type and mode, the two
// views with their cursor, and the error list. The window implements it over its widgets;
// the command line over plain data.
#include <QString>
#include <QStringList>

class TextGrid;
class TextLines;

class ImportViews {
public:
    virtual ~ImportViews() = default;

    virtual int sourceType() const = 0;   // ComboBox1's index: -1 or 0..13
    virtual QString sourceMode() const = 0; // a SourceKindDescriptor's mode, or empty

    // StringGrid1. Setting the current row to a different row runs the grid preview.
    // Setting a row outside the grid raises an error.
    virtual const TextGrid& grid() const = 0;
    virtual int gridCurrentRow() const = 0;
    virtual void setGridCurrentRow(int row) = 0;

    // ListaProdutosTxt. Setting the index never runs the list preview.
    virtual const TextLines& lines() const = 0;
    virtual int listIndex() const = 0;
    virtual void setListIndex(int index) = 0;

    virtual void setViewsEnabled(bool enabled) = 0;

    // ListBox1, the error log: lines are only ever added.
    virtual void addErrorLine(const QString& line) = 0;
    virtual QStringList errorLines() const = 0;
};
