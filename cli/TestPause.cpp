#include "TestPause.h"

#include "platform/InterruptSignals.h"

#include <QDeadlineTimer>

#include <cstdio>

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
        if (platform::standardInputReadable())
            return; // the test wrote a line, or closed the command's stdin
    }
}
