#include "VersionText.h"

#include "CbVersion.h"
#include "ClientLibrary.h"
#include "platform/DynamicLibrary.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// Where the loader finds the library, with the file its links end at; or why it cannot.
QString whereLoaded(const QString& configured)
{
    const QString name = configured.trimmed().isEmpty() ? ClientLibrary::defaultName()
                                                        : configured.trimmed();
    QString reason;
    const auto library = platform::DynamicLibrary::load(name, &reason);
    if (!library)
        return QCoreApplication::translate("VersionText", "%1 (cannot be loaded: %2)").arg(name, reason);
    const QString path = library->path();
    const QString real = QFileInfo(path).canonicalFilePath();
    if (real.isEmpty() || real == path)
        return path;
    return QStringLiteral("%1 -> %2").arg(path, real);
}

} // namespace

QString versionText(const QString& program, const QString& clientLibrary)
{
    return QCoreApplication::translate("VersionText", "%1 %2\nFirebird client library: %3\n")
        .arg(program, QStringLiteral(CB_VERSION), whereLoaded(clientLibrary));
}
