#pragma once
// The workbook globals substream: what the cells of a sheet need to become text.
#include "BiffRecords.h"
#include "CellText.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace xls {

struct Workbook {
    int version = 8; // BIFF version: 2, 3, 4, 5 or 8
    bool biff8() const { return version == 8; }
    bool date1904 = false;
    CodePage codePage;
    std::vector<QString> sharedStrings;
    std::vector<celltext::FormatKind> xfKinds; // by XF index (BIFF2: by format index)
    qsizetype firstWorksheet = -1;             // stream offset of its BOF

    celltext::FormatKind kindOfXf(quint16 xf) const
    {
        return xf < xfKinds.size() ? xfKinds[xf] : celltext::FormatKind::Number;
    }
};

// Reads the globals at the start of the stream: the workbook globals of BIFF5 and BIFF8, or
// the records before the cells of a BIFF2 to BIFF4 worksheet, which is its own first
// worksheet. Fails on an encrypted workbook, a stream of another kind, and a workbook
// without a worksheet.
Workbook readWorkbook(const QByteArray& stream);

} // namespace xls
