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
    // DIMENSIONS: the used area's row and column counts from A1 (last row/column + 1).
    virtual void dimensions(qint64 rows, qint64 cols) = 0;
    virtual void cell(const Cell& cell) = 0;
};

// Walks the worksheet whose BOF is at the offset, up to its EOF; embedded chart substreams
// are passed over. Formula results are reported as the cells they show.
void walkSheet(Workbook& wb, const QByteArray& stream, qsizetype offset,
               SheetVisitor& visitor);

// "#N/A", "#DIV/0!", ... for a BIFF error code.
QString errorText(quint8 code);

} // namespace xls
