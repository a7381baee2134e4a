// MainWindow: the tool's one window with its five buttons, the status box
// 编辑框1 and the two timers, exactly as the layout gives them.
#pragma once

#include <array>

#include "app/base_window_win.h"
#include "app/timer_window_win.h"
#include "platform/scoped_handles_win.h"

class MainWindow final : public BaseWindow {
 public:
  MainWindow() = default;

  // Creates the window and its controls, all hidden, centred on the primary
  // screen at exactly the outer size; 时钟1 runs from its creation. False
  // when the window cannot be created.
  bool Load();
  void Show();

  TimerWindow& Timer(TimerId timer) { return timer == TimerId::Clock1 ? clock1_ : clock2_; }
  // Null until loaded.
  HWND StatusBox() const { return statusBox_; }

  // From now on closing the window ends the message loop.
  void MessageLoopStarted() { loopStarted_ = true; }

 private:
  bool CreateControl(const ControlLayout& layout);
  bool IsOwnButton(HWND window) const;

  void OnCommand(int id, int code, HWND control) override;
  void OnDestroy() override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  TimerWindow clock1_{ShellEvent::Clock1Tick};
  TimerWindow clock2_{ShellEvent::Clock2Tick};
  std::array<HWND, kControlLayout.size()> controls_{};  // in layout order
  HWND statusBox_ = nullptr;
  ScopedGdiObject statusFont_;
  ScopedGdiObject statusBrush_;
  bool loopStarted_ = false;
};
