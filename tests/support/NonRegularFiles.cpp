#include "NonRegularFiles.h"

#include <QFileInfo>
#include <QProcess>

bool makeNamedPipe(const QString& path)
{
    QProcess tool;
    tool.start(QStringLiteral("mkfifo"), {QStringLiteral("-m"), QStringLiteral("600"), path});
    return tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

bool isNonRegularFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}
