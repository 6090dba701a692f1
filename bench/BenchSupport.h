#pragma once
// What every bench shares: goals checked and printed as PASS or FAIL, and a child process
// measured on its own (wall time and peak resident memory), so that one measurement is
// never coloured by what the bench process loaded before it.
#include "ProductRow.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <vector>

class Goals {
public:
    // Prints "PASS" or "FAIL", the goal and the figure that decided it.
    void check(bool met, const QString& goal, const QString& figure);
    bool allMet() const { return m_failed == 0; }
    int exitCode() const { return m_failed == 0 ? 0 : 1; }

private:
    int m_failed = 0;
};

// Wall time and the CPU time of the whole process (every thread, the embedded engine's too)
// over the same stretch. On a machine shared with other work the CPU time is the steadier.
struct Elapsed {
    double wall = 0;
    double cpu = 0; // user and system
    double sys = 0; // of which in the kernel
};

class Stopwatch {
public:
    Stopwatch() { restart(); }
    void restart();
    Elapsed elapsed() const;

private:
    QElapsedTimer m_wall;
    double m_cpu0 = 0;
    double m_sys0 = 0;
};

struct ChildRun {
    bool ok = false;      // started and exited with status 0
    Elapsed time;         // wall from start to exit; CPU of the child, user and system
    long peakKiB = 0;     // ru_maxrss of the child alone
    QString output;       // standard output and error, merged
};

// The median of the values; 0 for none.
double median(std::vector<double> values);

// Runs program with arguments, standard input from the null device, and waits for it.
ChildRun runChild(const QString& program, const QStringList& arguments);

// This bench's own executable, for measuring a step in a fresh copy of the process.
QString selfPath();

// The lines of a file written in the ANSI code page, each ended by CR LF, as an export
// program writes them. False when the file cannot be written.
bool writeAnsiLines(const QString& fileName, const QStringList& lines);

// The bench catalogue, type 3 (fixed width): line i has barcode 0..12, name 13..92 and
// cost 93..97; catalogueRow is the row the type-3 layout makes of it over the text defaults.
QString catalogueLine(int i);
ProductRow catalogueRow(int i, const QString& line);
