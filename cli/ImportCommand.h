#pragma once
// The unattended import itself: load SOURCE as the window does, connect, drive the one
// import engine through console dialogs and print the summary.
#include "CliOptions.h"

#include <cstdio>

enum ExitCode { AllImported = 0, SomeRowsFailed = 1, Failure = 2 };

// Raises on errors outside the rows (load, connection, commit, log) and when the run stopped
// with nothing changed (nothing to import, a run error, a log over a file the run uses); the
// caller prints them and ends with Failure. What the run did up to such an error is printed
// first. A run of which every row failed was rolled back and also ends with Failure.
ExitCode runImportCommand(const CliOptions& options);

// Text for stdout/stderr in the terminal's encoding, flushed at once.
void printText(std::FILE* to, const QString& text);
