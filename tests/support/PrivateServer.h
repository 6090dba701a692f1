#pragma once
// A Firebird server of the test's own, on a loopback port of its own, that a test may kill
// and start again without touching the shared server on 3050. It has its own root folder
// (firebird.conf, security database with SYSDBA and the test password) and its own lock
// folder, and runs as the firebird user when the test runs as root.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class PrivateServer {
public:
    PrivateServer();
    ~PrivateServer(); // kills the server if it runs
    PrivateServer(const PrivateServer&) = delete;
    PrivateServer& operator=(const PrivateServer&) = delete;

    // Empty when the server can run here; else why not (for QSKIP).
    static QString unavailableReason();

    // Starts the server (again) and waits until it answers; false with the reason in error().
    // The first start picks a free port from 3061 on; later starts keep it.
    bool start();
    // SIGKILL, as a crash or a pulled cable would end it; waits until the process is gone.
    void kill();
    bool running() const { return m_process.state() != QProcess::NotRunning; }

    int port() const { return m_port; }
    QString address() const; // "127.0.0.1/port", the server part of an attach string
    QString error() const { return m_error; }

private:
    bool prepareRoot();
    void writeConfig() const;
    bool launchOn(int port);
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QProcess m_process;
    bool m_prepared = false;
    int m_port = 0;
    QString m_error;
};
