#include "PrivateServer.h"

#include "LocalPort.h"
#include "TestDatabase.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QThread>

namespace {

const QString FirebirdHome = QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0");
const QString ServerProgram = QStringLiteral("/usr/sbin/firebird");
constexpr int FirstPort = 3061;
constexpr int LastPort = 3079;

bool portAnswers(int port)
{
    return localPortAnswers(quint16(port));
}

// Whether this process runs as root: a file it makes belongs to user 0.
bool runningAsRoot()
{
    QTemporaryFile probe;
    return probe.open() && QFileInfo(probe.fileName()).ownerId() == 0;
}

bool runTool(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    return tool.waitForFinished(30000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// The server drops to the firebird user when the test runs as root, as the packaged
// server does; files it creates then belong to that user.
bool runAsServerUser()
{
    static const bool asFirebird = runningAsRoot() && runTool(QStringLiteral("id"), {QStringLiteral("-u"),
                                                                                     QStringLiteral("firebird")});
    return asFirebird;
}

void handOver(const QStringList& files)
{
    if (runAsServerUser())
        runTool(QStringLiteral("chown"), QStringList{QStringLiteral("firebird:firebird")} + files);
}

bool runIsql(const QProcessEnvironment& env, const QByteArray& script, QString* output)
{
    QProcess isql;
    isql.setProcessEnvironment(env);
    isql.setProcessChannelMode(QProcess::MergedChannels);
    isql.start(QStringLiteral("isql-fb"), {QStringLiteral("-q"), QStringLiteral("-user"),
                                           TestDatabase::user()});
    if (!isql.waitForStarted(10000))
        return false;
    isql.write(script);
    isql.closeWriteChannel();
    isql.waitForFinished(60000);
    *output = QString::fromLocal8Bit(isql.readAll());
    return isql.exitCode() == 0 && !output->contains(QLatin1String("SQLSTATE"));
}

} // namespace

QString PrivateServer::unavailableReason()
{
    if (!QFile::exists(ServerProgram))
        return QStringLiteral("no Firebird server program (Debian package firebird3.0-server)");
    if (!QFile::exists(FirebirdHome + QStringLiteral("/plugins/libEngine12.so")))
        return QStringLiteral("no Firebird engine (Debian package firebird3.0-server-core)");
    if (QStandardPaths::findExecutable(QStringLiteral("isql-fb")).isEmpty())
        return QStringLiteral("no isql-fb (Debian package firebird3.0-utils)");
    if (runningAsRoot() && !runAsServerUser())
        return QStringLiteral("no firebird user to run the server as");
    return {};
}

PrivateServer::PrivateServer()
{
    m_dir.setAutoRemove(true);
}

PrivateServer::~PrivateServer()
{
    kill();
}

QString PrivateServer::address() const
{
    return QStringLiteral("127.0.0.1/%1").arg(m_port);
}

// A root folder of links to the packaged plugins and messages, with a configuration and a
// security database of its own: the shared server's security database is never opened.
bool PrivateServer::prepareRoot()
{
    QDir().mkpath(path(QStringLiteral("root")));
    for (const char* name : {"plugins", "intl", "UDF", "lib", "firebird.msg", "plugins.conf"})
        QFile::link(FirebirdHome + u'/' + QLatin1String(name), path(QStringLiteral("root/")) + QLatin1String(name));
    QFile(path(QStringLiteral("root/databases.conf"))).open(QIODevice::WriteOnly);
    for (const char* folder : {"lock", "setup-lock", "security"})
        QDir().mkpath(path(QLatin1String(folder)));
    const QString security = path(QStringLiteral("security/security3.fdb"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), path(QStringLiteral("root")));
    env.insert(QStringLiteral("FIREBIRD_LOCK"), path(QStringLiteral("setup-lock")));
    writeConfig();
    // Embedded, before the server runs: the engine makes the Srp tables on the first user.
    const QByteArray script = QStringLiteral("create database '%1';\ncommit;\n"
                                             "create user %2 password '%3' using plugin Srp;\n"
                                             "commit;\n")
                                  .arg(security, TestDatabase::user(), TestDatabase::password())
                                  .toLocal8Bit();
    if (!runIsql(env, script, &m_error))
        return false;
    QFile::setPermissions(m_dir.path(), QFileDevice::Permissions(0x7755));
    QStringList owned;
    for (const char* name : {"root", "lock", "security", "security/security3.fdb"})
        owned.append(path(QLatin1String(name)));
    handOver(owned);
    m_prepared = true;
    return true;
}

void PrivateServer::writeConfig() const
{
    QFile conf(path(QStringLiteral("root/firebird.conf")));
    conf.open(QIODevice::WriteOnly | QIODevice::Truncate);
    conf.write(QStringLiteral("RemoteServicePort = %1\n"
                              "RemoteBindAddress = 127.0.0.1\n"
                              "SecurityDatabase = %2\n"
                              "UdfAccess = None\n")
                   .arg(m_port > 0 ? m_port : FirstPort)
                   .arg(path(QStringLiteral("security/security3.fdb")))
                   .toLocal8Bit());
}

bool PrivateServer::start()
{
    if (running())
        return true;
    if (!m_prepared && !prepareRoot())
        return false;
    if (m_port > 0)
        return launchOn(m_port);
    for (int port = FirstPort; port <= LastPort; ++port) {
        if (portAnswers(port))
            continue; // someone else's
        if (launchOn(port))
            return true;
    }
    m_port = 0;
    return false;
}

bool PrivateServer::launchOn(int port)
{
    m_port = port;
    writeConfig();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FIREBIRD"), path(QStringLiteral("root")));
    env.insert(QStringLiteral("FIREBIRD_LOCK"), path(QStringLiteral("lock")));
    m_process.setProcessEnvironment(env);
    m_process.setWorkingDirectory(m_dir.path());
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // setpriv replaces itself with the server, so the process id is the server's own.
    if (runAsServerUser())
        m_process.start(QStringLiteral("setpriv"),
                        {QStringLiteral("--reuid=firebird"), QStringLiteral("--regid=firebird"),
                         QStringLiteral("--init-groups"), ServerProgram});
    else
        m_process.start(ServerProgram, {});
    if (!m_process.waitForStarted(10000)) {
        m_error = QStringLiteral("the server did not start: ") + m_process.errorString();
        return false;
    }
    const QDeadlineTimer deadline(15000);
    while (!deadline.hasExpired()) {
        if (m_process.state() == QProcess::NotRunning)
            break;
        if (portAnswers(port))
            return true;
        QThread::msleep(50);
    }
    m_error = QStringLiteral("the server does not answer on port %1: %2")
                  .arg(port)
                  .arg(QString::fromLocal8Bit(m_process.readAll()));
    kill();
    return false;
}

void PrivateServer::kill()
{
    if (!running())
        return;
    m_process.kill();
    m_process.waitForFinished(10000);
}
