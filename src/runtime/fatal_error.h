// The fatal runtime error report: the one way the process ends abnormally.
//
// Shows an unowned message box (caption "错误", MB_ICONERROR) whose text names
// the code when it is non-zero and the message when there is one, then ends
// the process with exit code -1. Exit handlers do not run on this path.
#pragma once

#include <cstdint>
#include <string>

[[noreturn]] void FatalRuntimeError(std::int32_t code, const char* message);

// The box text for a code and a message, as the report shows it.
// Returned as a plain std::string so that building it needs no runtime
// allocator (the report may be about its failure).
std::string FatalErrorText(std::int32_t code, const char* message);
