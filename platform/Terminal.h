#pragma once
// Whether a standard stream is a terminal, where a line may be redrawn in place. Terminal_posix.cpp
// implements it here; a Windows build adds Terminal_win.cpp (_isatty on _fileno).
#include <cstdio>

namespace platform {

bool isTerminal(std::FILE* stream);

} // namespace platform
