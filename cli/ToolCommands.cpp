#include "ToolCommands.h"

#include "DetectCommand.h"
#include "PreviewCommand.h"
#include "RestoreCommand.h"

int runChosenCommand(const CliOptions& options, InterruptSignals& interrupts)
{
    if (options.tools.detect)
        return runDetectCommand(options);
    if (options.tools.preview > 0)
        return runPreviewCommand(options);
    if (!options.tools.restore.isEmpty())
        return runRestoreCommand(options);
    return runImportCommand(options, interrupts);
}
