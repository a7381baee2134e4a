// The run's window steps on Win32: OLE, MainWindow and the message loop.
#pragma once

#include "app/main_window_win.h"
#include "app/program.h"

class Win32WindowSystem final : public WindowSystem {
 public:
  explicit Win32WindowSystem(MainWindow& window) : window_(window) {}

  void InitializeOle() override;
  bool LoadMainWindow() override;
  bool MainWindowExists() override;
  void ShowMainWindow() override;
  void RunMessageLoop() override;
  void UninitializeOle() override;

 private:
  MainWindow& window_;
};
