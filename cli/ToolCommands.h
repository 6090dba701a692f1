#pragma once
// The command chosen by the options: an import, or one of the tools around it.
#include "CliOptions.h"
#include "ImportCommand.h"

// Gives the exit status, as runImportCommand does.
int runChosenCommand(const CliOptions& options, InterruptSignals& interrupts);
