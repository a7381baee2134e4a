#include "app/exit_handlers.h"

#include <vector>

#include "runtime/program_values.h"

namespace {
std::vector<ExitHandler> exitHandlers;
}  // namespace

void RegisterExitHandler(ExitHandler handler) { exitHandlers.push_back(handler); }

void RunExitHandlers() {
  std::vector<ExitHandler> toRun;
  toRun.swap(exitHandlers);
  for (const ExitHandler handler : toRun) handler();
}

void ForgetExitHandlers() { exitHandlers.clear(); }

void ReleaseListenerTexts() {
  // Swapping with an empty text gives the memory back; clear() would keep it.
  if (!listenerServiceName.empty()) Text().swap(listenerServiceName);
  if (!listenerImagePath.empty()) Text().swap(listenerImagePath);
}
