#pragma once
// --restore FILE: plays a backup script into the product table, all of it or nothing.
#include "CliOptions.h"
#include "ImportCommand.h"

// AllImported when the script was played and committed (or, with --dry-run, rolled back);
// raises otherwise, with nothing changed (the caller prints it, exit 2).
ExitCode runRestoreCommand(const CliOptions& options);
