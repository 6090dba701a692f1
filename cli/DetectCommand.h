#pragma once
// --detect: rank the source types for SOURCE, without a database.
#include "CliOptions.h"
#include "ImportCommand.h"

// AllImported (0) when one type clearly leads, SomeRowsFailed (1) when none does; raises on
// a load error (the caller prints it, exit 2).
ExitCode runDetectCommand(const CliOptions& options);
