#pragma once
// The CPU time this process has used so far, every thread included (an embedded database
// engine's too): on a machine shared with other work it is a steadier measure than the wall
// clock. ProcessClock_posix.cpp implements it here; a Windows build adds ProcessClock_win.cpp
// (GetProcessTimes).

namespace platform {

// User and system time, in seconds.
double processCpuSeconds();
// Of which in the kernel (system time), in seconds.
double processSystemSeconds();

} // namespace platform
