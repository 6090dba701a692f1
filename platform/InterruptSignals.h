#pragma once
// The command owns SIGINT, SIGTERM and SIGHUP, and SIGPIPE never ends it.
//
// Until work is guarded, nothing has been changed: a signal prints one line and ends the
// process at once (a connect to a server that never answers included). Once the run's work
// is guarded, a signal stops it: the running statement is cancelled and the run rolls back,
// unless the commit has already begun; then the signal changes nothing and is only reported.
//
// The handlers only write the signal's number into a pipe; a thread of this class reads it
// and does the rest, so nothing unsafe runs inside a handler. InterruptSignals_posix.cpp
// implements it here; a Windows build would add a console control handler in a _win twin.
#include <QString>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

class InterruptSignals {
public:
    InterruptSignals(); // installs the handlers and starts the watcher
    ~InterruptSignals();
    InterruptSignals(const InterruptSignals&) = delete;
    InterruptSignals& operator=(const InterruptSignals&) = delete;

    // Installs the handlers again (the client library puts its own in place at its first
    // attach) and tells whether each of the three is ours afterwards.
    bool reinstall();
    static bool handlersAreOurs();

    // From now on a signal calls stopWork instead of ending the process. stopWork runs on the
    // watcher's thread; it answers false when it is too late to stop (a commit has begun).
    void guard(std::function<bool()> stopWork);
    // The run is over (its work is no longer guarded): a signal from now on is only reported.
    void finish();

    // The signal that stopped the work (0 when none), and one that came too late to.
    int stopSignal() const { return m_stop.load(); }
    int lateSignal() const { return m_late.load(); }
    // Waits until a signal has been handled, or the time is up; true when one was.
    bool waitForSignal(int milliseconds);

    static QString signalName(int signal);
    // The line printed when a signal stops the import, and the exit status it ends with.
    static QString interruptedLine(int signal);
    static QString lateLine(int signal);
    static int exitStatus(int signal) { return 128 + signal; }

private:
    void watch();
    void handle(int signal);

    int m_pipe[2] = {-1, -1};
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_handled;
    std::function<bool()> m_stopWork;     // under m_mutex
    bool m_finished = false;              // under m_mutex
    int m_handledCount = 0;               // under m_mutex
    std::atomic<int> m_stop{0};
    std::atomic<int> m_late{0};
};

// Gives SIGINT, SIGTERM and SIGHUP back their default action, for the window: the client
// library's handlers, put in place at its first attach, only begin its own shutdown and
// leave the process running, so a window told to end by the session or a kill would stay.
// Ending at once is safe at any point: the database drops work that was never committed.
void endOnSignals();

// Keeps fds 0, 1 and 2 open (on /dev/null when the caller closed them), so no file the
// command opens later (the database, the log) can take their place and receive its output.
void keepStandardDescriptorsOpen();
// True when a read of stdin would not wait: a line is there, or it was closed.
bool standardInputReadable();

} // namespace platform
