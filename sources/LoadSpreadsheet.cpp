#include "LoadSpreadsheet.h"
#include <QCoreApplication>

#include "TextGrid.h"
#include "platform/Error.h"
#include "xls/XlsReader.h"
#include "xlsx/XlsxReader.h"

namespace {

// Views learn about the new cells once, whether the load succeeded or not: what a failed
// load had already written stays in the grid and must be shown as it is.
class AnnounceWhenDone {
public:
    explicit AnnounceWhenDone(TextGrid& grid) : m_grid(grid) {}
    ~AnnounceWhenDone() { m_grid.announceAll(); }
    AnnounceWhenDone(const AnnounceWhenDone&) = delete;
    AnnounceWhenDone& operator=(const AnnounceWhenDone&) = delete;

private:
    TextGrid& m_grid;
};

// The extension counts from the last dot after the last path separator, case included.
QString extensionOf(const QString& fileName)
{
    const qsizetype slash = fileName.lastIndexOf(u'/');
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot > slash ? fileName.mid(dot) : QString();
}

} // namespace

void LoadSpreadsheet(TextGrid& grid, const QString& fileName, const RegionalSettings& settings)
{
    const AnnounceWhenDone announce(grid);
    const QString extension = extensionOf(fileName);
    if (extension == QLatin1String(".xlsx"))
        LoadXlsx(grid, fileName, settings);
    else if (extension == QLatin1String(".xls") || extension == QLatin1String(".XLS"))
        LoadXls(grid, fileName, settings);
    else
        throw Error(QCoreApplication::translate("Readers", "Cannot load \"%1\" as a spreadsheet: only .xlsx, .xls and "
                                   ".XLS workbooks can be read")
                        .arg(fileName));
}
