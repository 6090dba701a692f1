#include "CliRun.h"

#include "CliProcess.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

QString cliProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/converter-banco-import");
}

QString fixturePath(const QString& relative)
{
    return QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/") + relative;
}

QString sourceFile(const QTemporaryDir& dir, const QString& name, const QStringList& lines)
{
    if (lines.isEmpty())
        return fixturePath(name);
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(lines.join(QStringLiteral("\r\n")).toLatin1());
    return path;
}

CliRun runCli(const QStringList& arguments, const QString& workDir, const CliLaunch& launch)
{
    CliProcess cli(launch);
    cli.start(arguments, workDir);
    const CliOutcome outcome = cli.finish();
    CliRun run;
    if (!outcome.ended || outcome.crashed)
        return run;
    run.exitCode = outcome.exitCode;
    run.out = outcome.out;
    run.err = outcome.err;
    return run;
}
