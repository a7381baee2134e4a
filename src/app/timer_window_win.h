// 时钟1 and 时钟2: each an invisible child window of MainWindow that owns
// one Windows timer, id 1000, set on its own handle. Every WM_TIMER of that
// id is one tick and delivers the timer's event.
#pragma once

#include "app/base_window_win.h"
#include "app/event_binding.h"
#include "app/user_interface.h"
#include "app/window_layout.h"

class TimerWindow final : public BaseWindow {
 public:
  explicit TimerWindow(ShellEvent tick) : tick_(tick) {}

  // Creates the hidden window at its layout place and starts the timer when
  // `period` is above 0. False when the window cannot be created.
  bool Create(HWND parent, const ControlLayout& layout, std::int32_t period);

  // The rules of SetTimerPeriod; a timer without a window only keeps the
  // period.
  void SetPeriod(std::int32_t period);

  const TimerState& State() const { return state_; }

 private:
  static constexpr UINT_PTR kTimerId = 1000;
  void OnTimer(UINT_PTR id) override;
  // A timer destroyed while running kills its timer: no tick comes after.
  void OnDestroy() override;

  ShellEvent tick_;
  TimerState state_;
};
