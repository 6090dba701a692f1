#include "CliRun.h"

#include "CliEnvironment.h"

#include "TestDatabase.h"

#include <QCoreApplication>
#include <QProcess>

QString cliProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/converter-banco-import");
}

QString fixturePath(const QString& relative)
{
    return QStringLiteral(CB_SOURCE_DIR "/tests/fixtures/") + relative;
}

CliRun runCli(const QStringList& arguments, const QString& workDir, int fileSizeLimit)
{
    const QProcessEnvironment env = cliEnvironment();
    QProcess cli;
    cli.setWorkingDirectory(workDir);
    cli.setProcessEnvironment(env);
    if (fileSizeLimit > 0)
        cli.start(QStringLiteral("/bin/sh"),
                  QStringList{QStringLiteral("-c"),
                              QStringLiteral("ulimit -f %1; exec \"$0\" \"$@\"").arg(fileSizeLimit),
                              cliProgram()} + arguments);
    else
        cli.start(cliProgram(), arguments);
    CliRun run;
    if (!cli.waitForFinished(120000) || cli.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = cli.exitCode();
    run.out = QString::fromUtf8(cli.readAllStandardOutput());
    run.err = QString::fromUtf8(cli.readAllStandardError());
    return run;
}
