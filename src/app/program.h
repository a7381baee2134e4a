// The run of the tool from start to end: set-up, loading of MainWindow, the
// message loop and shutdown, in that order.
//
// The window itself lies behind `WindowSystem`, so that the order of the run
// is the same on Windows and in the Linux tests.
#pragma once

#include <cstdint>

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  virtual void InitializeOle() = 0;
  // Creates MainWindow and its controls, all hidden, with 时钟1 running;
  // false when the window cannot be created.
  virtual bool LoadMainWindow() = 0;
  virtual bool MainWindowExists() = 0;
  virtual void ShowMainWindow() = 0;
  // Takes and dispatches messages until WM_QUIT.
  virtual void RunMessageLoop() = 0;
  virtual void UninitializeOle() = 0;
};

// The message of the fatal report when MainWindow cannot be created.
constexpr const char* kWindowLoadFailedMessage = "载入启动窗口失败";

// Runs the tool and gives its exit code (0). Binds the tool's handlers; a
// window that cannot be created ends the process through the fatal report.
std::int32_t RunProgram(WindowSystem& windows);
