#include "TahomaFont.h"

#include <QDir>
#include <QFontDatabase>

namespace {

const QString Family = QStringLiteral("Tahoma");

} // namespace

QString wineFontFolder() { return QStringLiteral("/usr/share/wine/fonts"); }

bool registerTahoma(const QString& folder)
{
    if (QFontDatabase::hasFamily(Family))
        return true;
    const QDir dir(folder);
    for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
        const QString path = dir.filePath(QString::fromLatin1(file));
        if (QFile::exists(path))
            QFontDatabase::addApplicationFont(path);
    }
    return QFontDatabase::hasFamily(Family);
}
