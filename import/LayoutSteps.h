#pragma once
// The building blocks of the source layouts. A layout is a list of steps, applied in order;
// each step writes one ProductRow field from one place of the source (a grid column, a
// window of the current line, a delimited field, a fixed text, another field of the row),
// through an optional conversion. Fields written before a failing step keep their values,
// which the error log then shows.
#include "ProductRow.h"
#include "RegionalSettings.h"

#include <QString>
#include <QStringList>

#include <vector>

class ImportViews;
struct RunState;

namespace layout {

using Field = QString ProductRow::*;
using Conversion = QString (*)(const QString& text, const RegionalSettings& settings);

enum class From {
    Column,      // a cell of the current grid row
    RowNumber,   // the current grid row + 1, the sheet's own row number
    Window,      // CutField(at, length) of the current line
    BarcodeLine, // the BarcodeListFile line of the current list index becomes the current
                 // line, then CutField(at, length) of it
    Delimited,   // field number at of the split line
    Fixed,       // the step's text
    Copy,        // the current value of another field of the row
};

enum class When {
    Always,
    SourceNotEmpty,    // the field keeps its value when the source text is empty
    KeepSourceBarcode, // only when the type-1 barcode question was answered Yes
};

struct Step {
    Field field = nullptr;
    From from = From::Fixed;
    int at = 0;
    int length = 0;
    QString text;           // From::Fixed
    Field source = nullptr; // From::Copy
    Conversion convert = nullptr;
    When when = When::Always;

    Step then(Conversion c) const { Step s = *this; s.convert = c; return s; }
    Step only(When w) const { Step s = *this; s.when = w; return s; }
};

inline Step column(Field f, int col) { Step s; s.field = f; s.from = From::Column; s.at = col; return s; }
inline Step rowNumber(Field f) { Step s; s.field = f; s.from = From::RowNumber; return s; }
inline Step window(Field f, int start, int length)
{
    Step s; s.field = f; s.from = From::Window; s.at = start; s.length = length; return s;
}
inline Step barcodeLine(Field f, int start, int length)
{
    Step s = window(f, start, length); s.from = From::BarcodeLine; return s;
}
inline Step delimited(Field f, int number) { Step s; s.field = f; s.from = From::Delimited; s.at = number; return s; }
inline Step fixed(Field f, const QString& text) { Step s; s.field = f; s.from = From::Fixed; s.text = text; return s; }
inline Step copy(Field f, Field source) { Step s; s.field = f; s.from = From::Copy; s.source = source; return s; }

// What the steps read. fields holds the split line of a delimited layout; a Delimited step
// whose number the line does not reach is skipped.
struct Input {
    const ImportViews& views;
    RunState& state;
    QStringList fields;
};

void applySteps(const std::vector<Step>& steps, Input& input);

// Conversions shared by the tables.
namespace convert {
QString wholeNumber(const QString& text, const RegionalSettings& settings);
QString centsPrice(const QString& text, const RegionalSettings& settings);
QString withoutBlanks(const QString& text, const RegionalSettings& settings);
QString collapsedSpaces(const QString& text, const RegionalSettings& settings);
QString ncm(const QString& text, const RegionalSettings& settings);
QString barcode(const QString& text, const RegionalSettings& settings);
QString zeroWhenEmpty(const QString& text, const RegionalSettings& settings);
} // namespace convert

} // namespace layout
