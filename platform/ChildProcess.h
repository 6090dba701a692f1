#pragma once
// Another program run and measured on its own, and signals sent to a process: what the
// benches and the tests need beyond QProcess, which tells neither a child's CPU time nor its
// peak memory. ChildProcess_posix.cpp implements it here (fork, exec, wait4, kill); a Windows
// build adds ChildProcess_win.cpp (CreateProcessW, GetProcessTimes and the peak working set
// of GetProcessMemoryInfo; GenerateConsoleCtrlEvent for an interrupt).
#include <QString>
#include <QStringList>

namespace platform {

struct ChildUsage {
    bool started = false;
    bool exited = false;     // ended by itself, not by a signal
    int exitCode = -1;
    double cpuSeconds = 0;    // user and system time of the child alone
    double systemSeconds = 0; // of which in the kernel
    long peakKiB = 0;         // the child's peak resident memory
};

// Runs program with arguments (found on the search path when it has no folder), standard
// input from the null device, standard output and error both into outputFile (created or
// emptied), and waits for it to end.
ChildUsage runAndMeasure(const QString& program, const QStringList& arguments, const QString& outputFile);

// Sends a signal (SIGINT, SIGTERM, SIGHUP... of <csignal>) to a process; false when it
// cannot be sent.
bool sendSignal(qint64 processId, int signal);

// Ends this process at once, as a crash or a pulled plug would: no destructor, no handler,
// no exit status of its own.
[[noreturn]] void killThisProcess();

} // namespace platform
