#include "app/timer_window_win.h"

bool TimerWindow::Create(HWND parent, const ControlLayout& layout, std::int32_t period) {
  state_ = TimerState{};
  if (!CreateWindowOf("KorvaneTimer", ClassLook{}, WS_CHILD, "", layout.x, layout.y, layout.width, layout.height,
                      parent, layout.id))
    return false;
  SetPeriod(period);
  return true;
}

void TimerWindow::SetPeriod(std::int32_t period) {
  if (Handle() == nullptr) {
    state_.period = period < 0 ? 0 : period;
    return;
  }
  const TimerChange change = ApplyTimerPeriod(state_, period);
  if (change.kill) KillTimer(Handle(), kTimerId);
  // A SetTimer that fails goes unnoticed: the timer counts as running and
  // simply never ticks.
  if (change.start) SetTimer(Handle(), kTimerId, static_cast<UINT>(state_.period), nullptr);
}

void TimerWindow::OnTimer(UINT_PTR id) {
  if (id == kTimerId) DeliverEvent(tick_);
}

void TimerWindow::OnDestroy() {
  if (state_.running) KillTimer(Handle(), kTimerId);
  state_.running = false;
}
