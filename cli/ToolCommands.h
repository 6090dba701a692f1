#pragma once
// The command chosen by the options: an import, or one of the tools around it.
#include "CliOptions.h"
#include "ImportCommand.h"

ExitCode runChosenCommand(const CliOptions& options);
