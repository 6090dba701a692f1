#include "ProgressLine.h"

#include "platform/Terminal.h"

#include <QCoreApplication>

namespace {

// A terminal line redrawn more often than this only flickers.
constexpr qint64 RedrawMilliseconds = 100;

} // namespace

ProgressLine::ProgressLine(std::FILE* to, bool enabled)
    : m_to(enabled && platform::isTerminal(to) ? to : nullptr)
{
    m_clock.start();
}

void ProgressLine::update(int done, int total)
{
    if (!m_to || m_ended)
        return;
    if (m_lastDrawn < 0)
        m_clock.restart(); // the rate counts from the loop's start, not from the connect
    const qint64 now = m_clock.elapsed();
    const bool last = done >= total;
    if (!last && m_lastDrawn >= 0 && now - m_lastDrawn < RedrawMilliseconds)
        return;
    m_lastDrawn = now;
    const double seconds = double(now) / 1000.0;
    const double rate = seconds > 0 ? double(done) / seconds : 0.0;
    // Trailing blanks wipe what a longer earlier text left on the line.
    const QString text = QCoreApplication::translate("ProgressLine", "%1/%2 rows, %3 rows/s")
                             .arg(done)
                             .arg(total)
                             .arg(rate, 0, 'f', 0);
    std::fprintf(m_to, "\r%s   ", text.toLocal8Bit().constData());
    std::fflush(m_to);
    m_open = true;
    if (last) {
        m_ended = true;
        finish();
    }
}

void ProgressLine::finish()
{
    if (!m_open)
        return;
    std::fputc('\n', m_to);
    std::fflush(m_to);
    m_open = false;
}
