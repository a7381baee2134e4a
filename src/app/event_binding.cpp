#include "app/event_binding.h"

#include <array>

#include "app/main_window_created.h"
#include "listener/listener_repair.h"
#include "services/deferred_database_start.h"
#include "services/service_commands.h"
#include "services/status_report.h"

namespace {

std::array<EventHandler, kShellEventCount> handlers{};
std::int32_t loadingGuard = 0;

}  // namespace

void BindHandler(ShellEvent event, EventHandler handler) { handlers[static_cast<int>(event)] = handler; }

EventHandler BoundHandler(ShellEvent event) { return handlers[static_cast<int>(event)]; }

void BindProgramHandlers() {
  BindHandler(ShellEvent::MainWindowCreated, MainWindowCreated);
  BindHandler(ShellEvent::Clock1Tick, RefreshStatusReport);
  BindHandler(ShellEvent::Clock2Tick, StartDatabaseWhenStopped);
  BindHandler(ShellEvent::Button1Clicked, StartSqlServices);
  BindHandler(ShellEvent::Button2Clicked, StartOracleServices);
  BindHandler(ShellEvent::Button3Clicked, StopSqlServices);
  BindHandler(ShellEvent::Button4Clicked, StopOracleServices);
  BindHandler(ShellEvent::Button5Clicked, RepairListener);
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
