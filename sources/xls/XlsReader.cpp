#include "XlsReader.h"
#include <QCoreApplication>

#include "BiffSheet.h"
#include "CompoundFile.h"
#include "TextGrid.h"
#include "XlsLoad.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace xls {

namespace {

struct Position {
    int row = 0;
    int col = 0;
    bool operator<(const Position& o) const
    {
        return row < o.row || (row == o.row && col < o.col);
    }
};

// First pass: the used area and the first error cell in reading order, so that the grid
// can be sized before anything is written and the fill can stop where the error is.
class ExtentPass : public SheetVisitor {
public:
    void dimensions(qint64 rows, qint64 cols) override
    {
        m_rows = std::max(m_rows, rows);
        m_cols = std::max(m_cols, cols);
    }
    void cell(const Cell& c) override
    {
        m_rows = std::max<qint64>(m_rows, qint64(c.row) + 1);
        m_cols = std::max<qint64>(m_cols, qint64(c.col) + 1);
        const Position at{c.row, c.col};
        if (c.kind == Cell::Kind::Error && (!m_error || at < m_error->first))
            m_error = {at, c.error};
    }
    qint64 rows() const { return m_rows; }
    qint64 cols() const { return m_cols; }
    const std::optional<std::pair<Position, quint8>>& error() const { return m_error; }

private:
    qint64 m_rows = 0;
    qint64 m_cols = 0;
    std::optional<std::pair<Position, quint8>> m_error;
};

// Before the epoch or past 31 December 9999 a serial names no day: such a value under a
// date format is handed over as the plain number it is.
bool isDateSerial(double serial, bool date1904)
{
    return serial >= 0 && serial < (date1904 ? 2957004.0 : 2958466.0);
}

// Second pass: the text of every cell before the stop position.
class FillPass : public SheetVisitor {
public:
    FillPass(TextGrid& grid, const Workbook& wb, const RegionalSettings& settings,
             std::optional<Position> stop)
        : m_grid(grid), m_wb(wb), m_settings(settings), m_stop(stop)
    {
    }
    void dimensions(qint64, qint64) override {}
    void cell(const Cell& c) override
    {
        if (m_stop && !(Position{c.row, c.col} < *m_stop))
            return;
        switch (c.kind) {
        case Cell::Kind::Blank:
        case Cell::Kind::Error: return;
        case Cell::Kind::Text: m_grid.setCell(c.col, c.row, c.text); return;
        case Cell::Kind::Boolean: m_grid.setCell(c.col, c.row, celltext::boolean(c.boolean)); return;
        case Cell::Kind::Number: m_grid.setCell(c.col, c.row, numberText(c)); return;
        }
    }

private:
    QString numberText(const Cell& c) const
    {
        switch (m_wb.kindOfXf(c.xf)) {
        case celltext::FormatKind::Date:
            if (!isDateSerial(c.number, m_wb.date1904))
                break;
            return celltext::dateTime(c.number, m_wb.date1904, m_settings);
        case celltext::FormatKind::Currency: return celltext::currency(c.number, m_settings);
        case celltext::FormatKind::Number: break;
        }
        return celltext::number(c.number, m_settings);
    }

    TextGrid& m_grid;
    const Workbook& m_wb;
    const RegionalSettings& m_settings;
    std::optional<Position> m_stop;
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

// Cells without a record read as empty: clear what an earlier load may have left, up to
// where the fill will stop.
void clearBefore(TextGrid& grid, std::optional<Position> stop)
{
    for (int r = 0; r < grid.RowCount(); ++r)
        for (int c = 0; c < grid.ColCount(); ++c) {
            if (stop && !(Position{r, c} < *stop))
                return;
            if (!grid.cell(c, r).isEmpty())
                grid.setCell(c, r, QString());
        }
}

[[noreturn]] void rethrowFor(const QString& fileName, const Error& e)
{
    throw Error(QCoreApplication::translate("Readers", "Cannot read \"%1\": %2").arg(fileName, e.message()));
}

struct Sheet {
    QByteArray stream;
    Workbook wb;
    ExtentPass extent;
    qint64 rows = 0;
    qint64 cols = 0;
};

void readSheet(QByteArrayView data, qint64 maxCells, Sheet& sheet)
{
    const CompoundFile file(ByteView(data.data(), data.size(), "the compound file is truncated"));
    sheet.stream = workbookStream(file);
    sheet.wb = readWorkbook(sheet.stream);
    walkSheet(sheet.wb, sheet.stream, sheet.wb.firstWorksheet, sheet.extent);
    sheet.rows = std::max<qint64>(sheet.extent.rows(), 1);
    sheet.cols = std::max<qint64>(sheet.extent.cols(), 1);
    if (sheet.rows * sheet.cols > maxCells)
        throw Error(QCoreApplication::translate("Readers", "the used area of the first worksheet (%1 rows, %2 columns) "
                                   "is larger than a worksheet can be")
                        .arg(sheet.rows)
                        .arg(sheet.cols));
}

} // namespace

void loadXlsData(TextGrid& grid, QByteArrayView data, const RegionalSettings& settings,
                 const QString& fileName, qint64 maxCells)
{
    Sheet sheet;
    try {
        readSheet(data, maxCells, sheet);
    } catch (const Error& e) {
        rethrowFor(fileName, e);
    }
    grid.resize(int(sheet.rows), int(sheet.cols));
    // A used area of one cell gives no table of values to read: the grid's one cell stays
    // without text, whatever an earlier load left there.
    if (sheet.rows == 1 && sheet.cols == 1) {
        grid.setCell(0, 0, QString());
        throw Error(QCoreApplication::translate("Readers", "The first worksheet of \"%1\" has no cell beyond A1, so it "
                                   "holds no table to load")
                        .arg(fileName));
    }

    const auto& error = sheet.extent.error();
    const std::optional<Position> stop =
        error ? std::optional<Position>(error->first) : std::nullopt;
    clearBefore(grid, stop);
    FillPass fill(grid, sheet.wb, settings, stop);
    try {
        walkSheet(sheet.wb, sheet.stream, sheet.wb.firstWorksheet, fill);
    } catch (const Error& e) {
        rethrowFor(fileName, e);
    }
    if (error)
        throw Error(QCoreApplication::translate("Readers", "Cell %1 holds the error value %2")
                        .arg(cellName(stop->col, stop->row), errorText(error->second)));
}

} // namespace xls

void LoadXls(TextGrid& grid, const QString& fileName, const RegionalSettings& settings)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    // Mapped when the file system allows it: the container reader copies only the
    // workbook stream out of it.
    QByteArray copy;
    QByteArrayView bytes;
    if (const uchar* mapped = file.size() > 0 ? file.map(0, file.size()) : nullptr) {
        bytes = QByteArrayView(mapped, file.size());
    } else {
        copy = file.readAll();
        bytes = copy;
    }
    xls::loadXlsData(grid, bytes, settings, fileName);
}
