#pragma once
// The cell records of one worksheet substream, decoded into cells.
#include "BiffGlobals.h"

#include <QString>

namespace xls {

struct Cell {
    enum class Kind { Blank, Number, Text, Boolean, Error };
    int row = 0;
    int col = 0;
    Kind kind = Kind::Blank;
    quint16 xf = 0;
    double number = 0;
    bool boolean = false;
    quint8 error = 0;
    QString text;
};

class SheetVisitor {
public:
    virtual ~SheetVisitor() = default;
    virtual void cell(const Cell& cell) = 0;
    // What the used area is made of besides the cells (see gridfill::UsedArea).
    // DIMENSIONS: the declared row and column counts from A1 (last row/column + 1).
    virtual void dimensions(quint64 /*rows*/, quint64 /*cols*/) {}
    // ROW: a row record and the columns from A its cells span.
    virtual void row(quint64 /*row*/, quint64 /*spanCols*/) {}
    // COLINFO: a column record reaching this many columns from A.
    virtual void columns(quint64 /*cols*/) {}
};

// Walks the worksheet whose BOF is at the offset, up to its EOF; embedded chart substreams
// are passed over. Formula results are reported as the cells they show.
void walkSheet(Workbook& wb, const QByteArray& stream, qsizetype offset,
               SheetVisitor& visitor);

// "#N/A", "#DIV/0!", ... for a BIFF error code.
QString errorText(quint8 code);

} // namespace xls
