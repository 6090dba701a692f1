#pragma once
// --preview N: the first N rows of SOURCE as the import would write them, and the rows that
// would fail, without a database.
#include "CliOptions.h"
#include "ImportCommand.h"

// Raises on a load error (the caller prints it, exit 2). SomeRowsFailed when a row shown
// would fail, else AllImported.
ExitCode runPreviewCommand(const CliOptions& options);
