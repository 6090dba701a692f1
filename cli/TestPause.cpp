#include "TestPause.h"

#include "InterruptSignals.h"

#include <QDeadlineTimer>

#include <cstdio>
#include <poll.h>
#include <unistd.h>

namespace {
constexpr int LongestWaitMilliseconds = 60000;
}

TestPause::TestPause(InterruptSignals& interrupts)
    : m_interrupts(interrupts), m_point(qgetenv("CB_TEST_PAUSE_AT"))
{
}

void TestPause::at(const char* point)
{
    if (m_done || m_point != point)
        return;
    m_done = true;
    std::fprintf(stderr, "cb-test: at %s\n", point);
    std::fflush(stderr);
    if (m_point != "rows" && m_point != "commit")
        return;
    const QDeadlineTimer deadline(LongestWaitMilliseconds);
    while (!deadline.hasExpired()) {
        if (m_interrupts.waitForSignal(50))
            return;
        pollfd input{STDIN_FILENO, POLLIN, 0};
        if (::poll(&input, 1, 0) > 0)
            return; // the test wrote a line, or closed the command's stdin
    }
}
