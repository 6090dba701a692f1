#include "CliProcess.h"

#include "TestDatabase.h"
#include "platform/ChildProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>

namespace {

QProcessEnvironment cliEnvironment(const QString& pauseAt)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ISC_PASSWORD"), TestDatabase::password());
    env.insert(QStringLiteral("LANG"), QStringLiteral("pt_BR.UTF-8"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("pt_BR.UTF-8"));
    env.remove(QStringLiteral("CB_TEST_PAUSE_AT"));
    if (!pauseAt.isEmpty())
        env.insert(QStringLiteral("CB_TEST_PAUSE_AT"), pauseAt);
    return env;
}

} // namespace

CliProcess::CliProcess() = default;

CliProcess::~CliProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

QString CliProcess::program()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../cli/converter-banco-import");
}

bool CliProcess::built()
{
    return QFile::exists(program());
}

void CliProcess::start(const QStringList& arguments, const QString& workDir, const QString& pauseAt,
                       std::function<void()> childSetup)
{
    m_process.setWorkingDirectory(workDir);
    m_process.setProcessEnvironment(cliEnvironment(pauseAt));
    if (childSetup) {
#ifdef Q_OS_UNIX
        m_process.setChildProcessModifier(childSetup);
#else
        qFatal("a child set-up between fork and exec needs a POSIX system");
#endif
    }
    m_process.start(program(), arguments);
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
    outcome.ended = m_process.waitForFinished(120000) || m_process.state() == QProcess::NotRunning;
    if (!outcome.ended)
        return outcome;
    outcome.crashed = m_process.exitStatus() != QProcess::NormalExit;
    outcome.exitCode = m_process.exitCode();
    outcome.out = QString::fromUtf8(m_process.readAllStandardOutput());
    outcome.err = QString::fromUtf8(m_err + m_process.readAllStandardError());
    return outcome;
}

CliOutcome runCliToEnd(const QStringList& arguments, const QString& workDir)
{
    CliProcess cli;
    cli.start(arguments, workDir);
    return cli.finish();
}
