#include "XlsReader.h"
#include <QCoreApplication>

#include "BiffSheet.h"
#include "CompoundFile.h"
#include "GridFill.h"
#include "InputFile.h"
#include "TextGrid.h"
#include "XlsLoad.h"

namespace xls {

namespace {

// First pass: the used area and the first error cell in reading order, so that the grid
// can be sized before anything is written and the fill can stop where the error is.
class ExtentPass : public SheetVisitor {
public:
    void dimensions(quint64 rows, quint64 cols) override { area.declare(rows, cols); }
    void row(quint64 row, quint64 spanCols) override { area.includeRow(row, spanCols); }
    void columns(quint64 cols) override { area.includeColumns(cols); }
    void cell(const Cell& c) override
    {
        area.includeCell(quint64(c.col), quint64(c.row));
        if (c.kind == Cell::Kind::Error)
            error.offer(quint32(c.col), quint32(c.row), errorText(c.error));
    }
    gridfill::UsedArea area;
    gridfill::FirstError error;
};

// Second pass: the text of every cell before the stop.
class FillPass : public SheetVisitor {
public:
    FillPass(gridfill::GridFill& fill, const Workbook& wb, const RegionalSettings& settings)
        : m_fill(fill), m_wb(wb), m_settings(settings)
    {
    }
    void cell(const Cell& c) override
    {
        const auto col = quint32(c.col);
        const auto row = quint32(c.row);
        if (!m_fill.reaches(col, row))
            return;
        switch (c.kind) {
        case Cell::Kind::Blank:
        case Cell::Kind::Error: return;
        case Cell::Kind::Text: m_fill.put(col, row, c.text); return;
        case Cell::Kind::Boolean: m_fill.put(col, row, celltext::boolean(c.boolean)); return;
        case Cell::Kind::Number: m_fill.put(col, row, numberText(c)); return;
        }
    }

private:
    QString numberText(const Cell& c) const
    {
        switch (m_wb.kindOfXf(c.xf)) {
        case celltext::FormatKind::Date: return celltext::dateTime(c.number, m_wb.date1904, m_settings);
        case celltext::FormatKind::Currency: return celltext::currency(c.number, m_settings);
        case celltext::FormatKind::Number: break;
        }
        return celltext::number(c.number, m_settings);
    }

    gridfill::GridFill& m_fill;
    const Workbook& m_wb;
    const RegionalSettings& m_settings;
};

QByteArray workbookStream(const CompoundFile& file)
{
    if (auto biff8 = file.stream(QStringLiteral("Workbook")))
        return std::move(*biff8);
    if (auto biff5 = file.stream(QStringLiteral("Book")))
        return std::move(*biff5);
    // A password-protected .xlsx is a compound file holding the encrypted package.
    if (file.stream(QStringLiteral("EncryptedPackage")))
        throw Error(QCoreApplication::translate("Readers", "the workbook is password-protected"));
    throw Error(QCoreApplication::translate("Readers", "the file holds no Workbook stream"));
}

[[noreturn]] void rethrowFor(const QString& fileName, const Error& e)
{
    throw Error(QCoreApplication::translate("Readers", "Cannot read \"%1\": %2").arg(fileName, e.message()));
}

struct Sheet {
    QByteArray stream;
    Workbook wb;
    ExtentPass extent;
};

// Excel 2.1 to 4.0 stored a worksheet as its bare stream of records, and some writers still
// store a later workbook so: such a file starts with a BOF record, not with the container.
bool isBareStream(QByteArrayView data)
{
    if (data.size() < 4)
        return false;
    const quint16 id = quint16(quint8(data[0]) | (quint8(data[1]) << 8));
    const quint16 length = quint16(quint8(data[2]) | (quint8(data[3]) << 8));
    return rec::isBof(id) && length >= 4 && length <= 32;
}

void readSheet(QByteArrayView data, Sheet& sheet)
{
    if (isBareStream(data)) {
        sheet.stream = data.toByteArray();
    } else {
        const CompoundFile file(ByteView(data.data(), data.size(), QT_TRANSLATE_NOOP("Readers", "the compound file is truncated")));
        sheet.stream = workbookStream(file);
    }
    sheet.wb = readWorkbook(sheet.stream);
    walkSheet(sheet.wb, sheet.stream, sheet.wb.firstWorksheet, sheet.extent);
}

} // namespace

void loadXlsData(TextGrid& grid, QByteArrayView data, const RegionalSettings& settings,
                 const QString& fileName, qint64 maxCells)
{
    Sheet sheet;
    try {
        readSheet(data, sheet);
    } catch (const Error& e) {
        rethrowFor(fileName, e);
    }
    gridfill::GridFill fill(grid, fileName, sheet.extent.area, sheet.extent.error, quint64(maxCells));
    FillPass pass(fill, sheet.wb, settings);
    try {
        walkSheet(sheet.wb, sheet.stream, sheet.wb.firstWorksheet, pass);
    } catch (const Error& e) {
        rethrowFor(fileName, e);
    }
    fill.finish();
}

} // namespace xls

namespace {

// The one place where this reader touches the file system. The file is held once; the
// container reader copies only the workbook stream out of it.
QByteArray readWorkbookFile(const QString& fileName)
{
    return InputFile(fileName, kMaxSourceFileBytes, QCoreApplication::translate("Readers", "a workbook")).readAll();
}

} // namespace

void LoadXls(TextGrid& grid, const QString& fileName, const RegionalSettings& settings)
{
    const QByteArray bytes = readWorkbookFile(fileName);
    xls::loadXlsData(grid, bytes, settings, fileName);
}
