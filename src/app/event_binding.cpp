#include "app/event_binding.h"

#include <array>

#include "app/main_window_created.h"

namespace {

std::array<EventHandler, kShellEventCount> handlers{};
std::int32_t loadingGuard = 0;

}  // namespace

void BindHandler(ShellEvent event, EventHandler handler) { handlers[static_cast<int>(event)] = handler; }

EventHandler BoundHandler(ShellEvent event) { return handlers[static_cast<int>(event)]; }

void BindProgramHandlers() {
  BindHandler(ShellEvent::MainWindowCreated, MainWindowCreated);
}

void DeliverEvent(ShellEvent event) {
  if (loadingGuard > 0) return;
  const EventHandler handler = BoundHandler(event);
  if (handler != nullptr) handler();
}

void RaiseLoadingGuard() { ++loadingGuard; }

void LowerLoadingGuard() {
  if (loadingGuard > 0) --loadingGuard;
}

bool LoadingGuardUp() { return loadingGuard > 0; }

void ResetEventBinding() {
  handlers.fill(nullptr);
  loadingGuard = 0;
}
