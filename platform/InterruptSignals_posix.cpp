#include "platform/InterruptSignals.h"

#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int OwnedSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::atomic<int> g_writeEnd{-1};

void onSignal(int signal)
{
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    const int fd = g_writeEnd.load();
    if (fd >= 0)
        (void)!::write(fd, &number, 1);
    errno = saved;
}

void install(int signal)
{
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
}

void writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n <= 0 && errno != EINTR)
            return; // a closed stderr: the exit status still tells
        if (n > 0)
            done += n;
    }
}

} // namespace

void endOnSignals()
{
    for (int signal : OwnedSignals)
        std::signal(signal, SIG_DFL);
}

bool standardInputReadable()
{
    pollfd input{STDIN_FILENO, POLLIN, 0};
    return ::poll(&input, 1, 0) > 0;
}

void keepStandardDescriptorsOpen()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int null = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (null >= 0 && null != fd) {
            ::dup2(null, fd);
            ::close(null);
        }
    }
}

InterruptSignals::InterruptSignals()
{
    // A reader that went away (| head, a closed ssh channel) must not end the command
    // between its commit and its log: writes fail with EPIPE instead, and are ignored.
    std::signal(SIGPIPE, SIG_IGN);
    if (::pipe2(m_pipe, O_CLOEXEC) != 0)
        m_pipe[0] = m_pipe[1] = -1;
    g_writeEnd.store(m_pipe[1]);
    m_thread = std::thread([this] { watch(); });
    reinstall();
}

InterruptSignals::~InterruptSignals()
{
    for (int signal : OwnedSignals)
        std::signal(signal, SIG_IGN); // the command is ending: late signals change nothing
    g_writeEnd.store(-1);
    if (m_pipe[1] >= 0)
        ::close(m_pipe[1]); // the watcher reads the end of the pipe and returns
    if (m_thread.joinable())
        m_thread.join();
    if (m_pipe[0] >= 0)
        ::close(m_pipe[0]);
}

bool InterruptSignals::reinstall()
{
    std::signal(SIGPIPE, SIG_IGN);
    for (int signal : OwnedSignals)
        install(signal);
    return handlersAreOurs();
}

bool InterruptSignals::handlersAreOurs()
{
    for (int signal : OwnedSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != onSignal)
            return false;
    }
    struct sigaction pipe {};
    return ::sigaction(SIGPIPE, nullptr, &pipe) == 0 && pipe.sa_handler == SIG_IGN;
}

void InterruptSignals::guard(std::function<bool()> stopWork)
{
    std::lock_guard lock(m_mutex);
    m_stopWork = std::move(stopWork);
}

void InterruptSignals::finish()
{
    std::lock_guard lock(m_mutex);
    m_stopWork = nullptr;
    m_finished = true;
}

void InterruptSignals::watch()
{
    unsigned char number = 0;
    for (;;) {
        const ssize_t n = ::read(m_pipe[0], &number, 1);
        if (n == 0)
            return;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        handle(number);
    }
}

void InterruptSignals::handle(int signal)
{
    std::unique_lock lock(m_mutex);
    if (!m_stopWork && !m_finished) {
        // Nothing has been changed yet: the process may end on the spot, whatever it waits for.
        writeAll(STDERR_FILENO, (interruptedLine(signal) + u'\n').toLocal8Bit());
        ::_exit(exitStatus(signal));
    }
    if (m_stop.load() == 0 && m_late.load() == 0) {
        // Told before the cancel, so the run, woken by its cancelled statement, already sees it.
        m_stop.store(signal);
        if (!m_stopWork || !m_stopWork()) {
            m_stop.store(0);
            m_late.store(signal);
        }
    }
    ++m_handledCount;
    lock.unlock();
    m_handled.notify_all();
}

bool InterruptSignals::waitForSignal(int milliseconds)
{
    std::unique_lock lock(m_mutex);
    return m_handled.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_handledCount > 0; });
}

QString InterruptSignals::signalName(int signal)
{
    switch (signal) {
    case SIGINT: return QStringLiteral("SIGINT");
    case SIGTERM: return QStringLiteral("SIGTERM");
    case SIGHUP: return QStringLiteral("SIGHUP");
    }
    return QCoreApplication::translate("InterruptSignals", "signal %1").arg(signal);
}

QString InterruptSignals::interruptedLine(int signal)
{
    return QCoreApplication::translate("InterruptSignals", "The import was interrupted (%1): nothing was changed in the database.")
        .arg(signalName(signal));
}

QString InterruptSignals::lateLine(int signal)
{
    return QCoreApplication::translate("InterruptSignals", "%1 arrived after the commit had begun: the import was not "
                                                          "interrupted and the result above stands.")
        .arg(signalName(signal));
}

} // namespace platform
