#pragma once
// converter-banco-import as a separate process, as a technician or a script runs it, for
// tests that send it signals or take its output away. CB_TEST_PAUSE_AT makes it stop at a
// named point of the run (see cli/TestPause.h), so a signal meets that point whatever the
// machine's speed.
#include "CliRun.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

struct CliOutcome {
    bool ended = false;     // the process ended (normally or by a signal) in time
    bool crashed = false;   // it ended by a signal of its own (SIGPIPE, SIGSEGV...)
    int exitCode = -1;
    QString out;
    QString err;
};

class CliProcess {
public:
    explicit CliProcess(CliLaunch launch = {});
    ~CliProcess(); // kills the command if it still runs
    CliProcess(const CliProcess&) = delete;
    CliProcess& operator=(const CliProcess&) = delete;

    static bool built(); // whether cliProgram() is there

    // Where given, pauseAt becomes CB_TEST_PAUSE_AT. childSetup runs in the child before exec
    // (to close or replace its stdout, say); only a POSIX system has that moment.
    void start(const QStringList& arguments, const QString& workDir, const QString& pauseAt = QString(),
               std::function<void()> childSetup = nullptr);
    // Waits until the command announces the point; false when it ended or took a minute.
    bool waitForPause(const QString& point);
    void signal(int signal); // SIGINT, SIGTERM... of <csignal>
    void kill();        // SIGKILL, as a crash or a pulled cable would end it
    void resume();      // ends a pause that waits, without a signal (closes its stdin)
    // Waits (five minutes at most: a busy machine, a sanitized build) and collects the output.
    CliOutcome finish();
    qint64 pid() const { return m_process.processId(); }

private:
    CliLaunch m_launch;
    QProcess m_process;
    QByteArray m_err; // stderr read so far
};
