#include "platform/AnsiCodePage.h"

namespace platform {

// What a Western-European Windows machine, where the exports come from, calls its ANSI
// code page.
const char* ansiCodePageName() { return "windows-1252"; }

} // namespace platform
