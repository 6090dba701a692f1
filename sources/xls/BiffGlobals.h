#pragma once
// The workbook globals substream: what the cells of a sheet need to become text.
#include "BiffRecords.h"
#include "CellText.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace xls {

struct Workbook {
    bool biff8 = true;
    bool date1904 = false;
    CodePage codePage;
    std::vector<QString> sharedStrings;
    std::vector<celltext::FormatKind> xfKinds; // by XF index
    qsizetype firstWorksheet = -1;             // stream offset of its BOF

    celltext::FormatKind kindOfXf(quint16 xf) const
    {
        return xf < xfKinds.size() ? xfKinds[xf] : celltext::FormatKind::Number;
    }
};

// Reads the globals at the start of the stream. Fails on an encrypted workbook, a stream
// that is not BIFF5 or BIFF8, and a workbook without a worksheet.
Workbook readWorkbook(const QByteArray& stream);

} // namespace xls
