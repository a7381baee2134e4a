// The event binding: which handler each event of MainWindow runs, and the
// loading guard that holds events back while the window is being built or
// the process is ending.
//
// Every handler takes no arguments and gives no result; it runs on the GUI
// thread. An event without a handler does nothing. While the guard is up an
// event is dropped, not kept for later.
#pragma once

#include <cstdint>

enum class ShellEvent {
  MainWindowCreated,
  Clock1Tick,      // 时钟1
  Clock2Tick,      // 时钟2
  Button1Clicked,  // 按钮1
  Button2Clicked,
  Button3Clicked,
  Button4Clicked,
  Button5Clicked,
};
constexpr int kShellEventCount = 8;

using EventHandler = void (*)();

// Binds `handler` to `event`; nullptr unbinds it.
void BindHandler(ShellEvent event, EventHandler handler);
EventHandler BoundHandler(ShellEvent event);

// Binds every event to the tool's own handler.
void BindProgramHandlers();

// Runs the handler bound to `event`, unless the loading guard is up.
void DeliverEvent(ShellEvent event);

// The loading guard is a counter: events are dropped while it is above 0.
void RaiseLoadingGuard();
void LowerLoadingGuard();
bool LoadingGuardUp();

// A fresh run: no handler bound, guard down. For tests, which run the shell
// many times in one process.
void ResetEventBinding();
