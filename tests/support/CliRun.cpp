#include "CliRun.h"

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
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ISC_PASSWORD"), TestDatabase::password());
    // Brazilian regional settings; the command's own words in English, which these tests read.
    env.insert(QStringLiteral("LANG"), QStringLiteral("pt_BR.UTF-8"));
    env.remove(QStringLiteral("LC_ALL"));
    env.remove(QStringLiteral("LANGUAGE"));
    env.insert(QStringLiteral("LC_MESSAGES"), QStringLiteral("C.UTF-8"));
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
