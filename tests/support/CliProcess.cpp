#include "CliProcess.h"

#include "CliEnvironment.h"
#include "platform/ChildProcess.h"

#include <QDeadlineTimer>
#include <QFile>

namespace {

QProcessEnvironment environmentFor(const CliLaunch& launch, const QString& pauseAt)
{
    QProcessEnvironment env = cliEnvironment();
    if (!launch.locale.isEmpty()) {
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("LANG"), launch.locale);
    }
    env.remove(QStringLiteral("CB_TEST_PAUSE_AT"));
    if (!pauseAt.isEmpty())
        env.insert(QStringLiteral("CB_TEST_PAUSE_AT"), pauseAt);
    return env;
}

// The program and arguments that start the command as the launch asks.
QStringList commandLine(const CliLaunch& launch, const QStringList& arguments)
{
    QStringList line{cliProgram()};
    line += arguments;
    if (launch.onTerminal) {
        QString command;
        for (const QString& a : line)
            command += QStringLiteral(" '") + a + u'\'';
        return {QStringLiteral("script"), QStringLiteral("-qec"), command, QStringLiteral("/dev/null")};
    }
    if (launch.fileSizeLimit > 0)
        return QStringList{QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                           QStringLiteral("ulimit -f %1; exec \"$0\" \"$@\"").arg(launch.fileSizeLimit)}
             + line;
    return line;
}

} // namespace

CliProcess::CliProcess(CliLaunch launch) : m_launch(std::move(launch)) {}

CliProcess::~CliProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

bool CliProcess::built()
{
    return QFile::exists(cliProgram());
}

void CliProcess::start(const QStringList& arguments, const QString& workDir, const QString& pauseAt,
                       std::function<void()> childSetup)
{
    m_process.setWorkingDirectory(workDir);
    m_process.setProcessEnvironment(environmentFor(m_launch, pauseAt));
    if (childSetup) {
#ifdef Q_OS_UNIX
        m_process.setChildProcessModifier(childSetup);
#else
        qFatal("a child set-up between fork and exec needs a POSIX system");
#endif
    }
    const QStringList line = commandLine(m_launch, arguments);
    m_process.start(line.first(), line.mid(1));
    m_process.waitForStarted(30000);
}

bool CliProcess::waitForPause(const QString& point)
{
    const QByteArray mark = "cb-test: at " + point.toUtf8() + '\n';
    const QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
        m_err += m_process.readAllStandardError();
        if (m_err.contains(mark))
            return true;
        if (m_process.state() == QProcess::NotRunning)
            return false;
        m_process.waitForReadyRead(100);
    }
    return false;
}

void CliProcess::signal(int signal)
{
    platform::sendSignal(m_process.processId(), signal);
}

void CliProcess::kill()
{
    m_process.kill();
    m_process.waitForFinished(30000);
}

void CliProcess::resume()
{
    m_process.closeWriteChannel();
}

CliOutcome CliProcess::finish()
{
    CliOutcome outcome;
    outcome.ended = m_process.waitForFinished(300000) || m_process.state() == QProcess::NotRunning;
    if (!outcome.ended)
        return outcome;
    outcome.crashed = m_process.exitStatus() != QProcess::NormalExit;
    outcome.exitCode = m_process.exitCode();
    outcome.out = QString::fromUtf8(m_process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(m_err + m_process.readAllStandardError());
    return outcome;
}
