// The file calls in a simulated Windows' log, without the binding's own
// library look-ups.
#pragma once

#include <string>
#include <vector>

#include "support/simulated_windows.h"

inline std::vector<std::string> FileCalls(const SimulatedWindows& windows) {
  static const char* const kFileFunctions[] = {"_lopen(",     "ReadFile(",   "CloseHandle(",      "CreateFileA(",
                                               "RtlMoveMemory(", "WriteFile(", "FlushFileBuffers(", "MoveFileExA(",
                                               "DeleteFileA(", "CreateDirectoryA("};
  std::vector<std::string> calls;
  for (const std::string& call : windows.calls)
    for (const char* function : kFileFunctions)
      if (call.rfind(function, 0) == 0) calls.push_back(call);
  return calls;
}
