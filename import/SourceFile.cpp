#include "SourceFile.h"

QString FileExtension(const QString& fileName)
{
    const qsizetype separator = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0 || dot < separator)
        return {};
    return fileName.mid(dot);
}

SourceKind SourceKindOf(const QString& fileName)
{
    const QString ext = FileExtension(fileName);
    if (ext == QLatin1String(".XLS") || ext == QLatin1String(".xls")
        || ext == QLatin1String(".xlsx"))
        return SourceKind::Spreadsheet;
    if (ext == QLatin1String(".TXT") || ext == QLatin1String(".txt"))
        return SourceKind::Text;
    return SourceKind::None;
}
