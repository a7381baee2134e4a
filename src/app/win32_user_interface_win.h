// The five user-interface operations on the real MainWindow.
#pragma once

#include <windows.h>

#include "app/main_window_win.h"
#include "app/user_interface.h"

class Win32UserInterface final : public UserInterface {
 public:
  explicit Win32UserInterface(MainWindow& window) : window_(window) {}

  // MessageBoxA, task-modal unless the flags ask for system-modal.
  std::int32_t ShowMessage(TextView text, std::int32_t flags, TextView caption, NativeHandle owner) override;
  // Shows the wait pointer and remembers the pointer before the first call.
  void SetWaitCursor() override;
  // Brings back the remembered pointer, then moves the mouse on the spot so
  // that the window under it sets its own pointer again.
  void RestoreCursor() override;
  void SetTimerPeriod(TimerId timer, std::int32_t period) override;
  void SetStatusText(TextView text) override;

 private:
  MainWindow& window_;
  HCURSOR remembered_ = nullptr;
};
