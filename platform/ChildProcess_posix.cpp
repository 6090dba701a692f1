#include "platform/ChildProcess.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

namespace platform {

namespace {

double seconds(const timeval& t)
{
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

// In the child, between fork and exec: only async-signal-safe calls.
[[noreturn]] void execChild(const std::vector<QByteArray>& argv, int outputFd)
{
    std::vector<char*> args;
    for (const QByteArray& a : argv)
        args.push_back(const_cast<char*>(a.constData()));
    args.push_back(nullptr);
    const int devNull = ::open("/dev/null", O_RDONLY);
    if (devNull >= 0)
        ::dup2(devNull, 0);
    ::dup2(outputFd, 1);
    ::dup2(outputFd, 2);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

} // namespace

ChildUsage runAndMeasure(const QString& program, const QStringList& arguments, const QString& outputFile)
{
    ChildUsage usage;
    const int output = ::open(QFile::encodeName(outputFile).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (output < 0)
        return usage;
    std::vector<QByteArray> argv{QFile::encodeName(program)};
    for (const QString& a : arguments)
        argv.push_back(QFile::encodeName(a));
    std::fflush(nullptr); // nothing buffered may be written twice, by the child too
    const pid_t pid = ::fork();
    if (pid == 0)
        execChild(argv, output);
    ::close(output);
    if (pid < 0)
        return usage;
    usage.started = true;
    int status = 0;
    struct rusage r {};
    while (::wait4(pid, &status, 0, &r) < 0)
        if (errno != EINTR)
            return usage;
    usage.exited = WIFEXITED(status);
    usage.exitCode = usage.exited ? WEXITSTATUS(status) : -1;
    usage.cpuSeconds = seconds(r.ru_utime) + seconds(r.ru_stime);
    usage.systemSeconds = seconds(r.ru_stime);
    usage.peakKiB = r.ru_maxrss;
    return usage;
}

bool sendSignal(qint64 processId, int signal)
{
    return processId > 0 && ::kill(pid_t(processId), signal) == 0;
}

void killThisProcess()
{
    ::raise(SIGKILL);
    ::_exit(137); // not reached
}

} // namespace platform
