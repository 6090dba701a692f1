#pragma once
// One line on stderr, rewritten in place ("\r"), with the rows done out of the total and the
// rate so far. Only on a terminal: in a pipe or a file the rewrites would be clutter.
#include <QElapsedTimer>

#include <cstdio>

class ProgressLine {
public:
    // Shows nothing unless enabled and `to` is a terminal.
    ProgressLine(std::FILE* to, bool enabled);
    ~ProgressLine() { finish(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    bool shown() const { return m_to != nullptr; }
    void update(int done, int total);
    void finish(); // ends the line, so what follows starts on a fresh one

private:
    std::FILE* m_to;
    QElapsedTimer m_clock;
    qint64 m_lastDrawn = -1;
    bool m_open = false;
    bool m_ended = false; // the last row was shown; later calls repeat it
};
