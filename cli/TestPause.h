#pragma once
// A pause at a named point of the command, so that a test can send a signal at an exact
// moment of the run without depending on the machine's speed. The environment variable
// CB_TEST_PAUSE_AT names the point; when the command reaches it, it writes the line
// "cb-test: at POINT" to stderr, and then:
//   connect  goes on at once into the attach, which is what the signal must meet;
//   wipe     goes on at once into the wipe (announced before its first attempt);
//   rows     (the first progress report after some rows) waits for a signal;
//   commit   (the commit has begun and can no longer be stopped) waits for a signal.
// A wait also ends when stdin becomes readable (the test writes a line or closes it), and
// after a minute at most. Without the variable nothing happens.
#include <QByteArray>

namespace platform {
class InterruptSignals;
}
using platform::InterruptSignals;

class TestPause {
public:
    explicit TestPause(InterruptSignals& interrupts);
    void at(const char* point);

private:
    InterruptSignals& m_interrupts;
    QByteArray m_point;
    bool m_done = false;
};
