#pragma once
// The local time for the registration date of every inserted row. Reading the local time
// costs a time-zone lookup each call (the C library checks the zone file every time); with
// one call per row that is a visible share of a large import. So the local time is read
// once a second, at the zone's offset of that moment, and the monotonic clock, which costs
// next to nothing, adds what has passed since. The date has minute resolution; only the
// zone offset is ever up to a second old.
#include <QDateTime>
#include <QElapsedTimer>

class LocalClock {
public:
    QDateTime now();

private:
    static constexpr qint64 RefreshMs = 1000;
    QDateTime m_base;
    QElapsedTimer m_sinceBase;
};
