#include "XlsReader.h"

#include "platform/Error.h"

void LoadXls(TextGrid&, const QString& fileName, const RegionalSettings&)
{
    throw Error(QStringLiteral("Cannot read \"%1\": .xls workbooks are not supported yet")
                    .arg(fileName));
}
