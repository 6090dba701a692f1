#pragma once
// The unattended import itself: load SOURCE as the window does, connect, drive the one
// import engine through console dialogs and print the summary.
#include "CliOptions.h"

#include <cstdio>

namespace platform {
class InterruptSignals;
}
using platform::InterruptSignals;

// A run stopped by a signal ends with 128 + the signal's number (130, 143, 129).
enum ExitCode { AllImported = 0, SomeRowsFailed = 1, Failure = 2 };

// Raises on errors outside the rows (load, connection, commit, log) and when the run stopped
// with nothing changed (nothing to import, a run error, a log over a file the run uses); the
// caller prints them and ends with Failure. What the run did up to such an error is printed
// first. A run of which every row failed was rolled back and also ends with Failure.
// Gives the exit status: an ExitCode, or the status of the signal that stopped the run.
int runImportCommand(const CliOptions& options, InterruptSignals& interrupts);

// Loads SOURCE as the window does, by its extension: a sheet into the grid, a text file
// into the lines. Raises when it cannot.
class PlainViews;
struct RegionalSettings;
void loadSource(PlainViews& views, const QString& fileName, const RegionalSettings& settings);

// Connects with the command's connection settings; raises when it cannot.
class DatabaseConnection;
struct AppSettings;
void connectTo(DatabaseConnection& connection, const AppSettings& settings);

// Text for stdout/stderr in the terminal's encoding, flushed at once.
void printText(std::FILE* to, const QString& text);
