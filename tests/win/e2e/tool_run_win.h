// One run of the real korvane.exe, worked from outside as the administrator
// works it: the start-up notice answered, buttons clicked, message boxes
// read and answered, the status box read, the window closed.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "driver_win.h"
#include "status_text.h"

namespace e2e {

// Wine is slow to start a program the first time; later steps are quick.
constexpr DWORD kAppearTimeoutMs = 120000;
constexpr DWORD kBoxTimeoutMs = 30000;

// The distinct texts the status box showed while it was watched, in order.
struct StatusTrail {
  std::vector<std::string> texts;
  std::vector<States> states;       // of each text that is a status text
  std::vector<std::string> malformed;  // texts that are not
  bool reached = false;             // the awaited states were shown

  // The distinct states service `which` went through.
  std::vector<int> PathOf(int which) const;
};

class ToolRun {
 public:
  // Starts `exe` (a Windows path) in its own folder; the tool is ended when
  // the object goes, if it still runs.
  ToolRun(const std::string& exe, const std::string& listenerName);

  bool Started() const { return process_->Started(); }
  bool Running() { return process_->Running(); }
  DWORD Id() const { return process_->Id(); }

  // Answers the start-up notice with OK and waits for MainWindow. False, with
  // `problem` saying what was missing, on timeout.
  bool OpenMainWindow(std::string* problem);
  HWND Window() const { return window_; }
  HWND StatusBox() const { return statusBox_; }
  std::string Status() const;

  // Clicks the button with this caption; false when there is none.
  bool Click(const std::string& caption);

  // The next message box of the tool; `box` is null when none came.
  gui::MessageBoxView WaitForBox(DWORD timeoutMs = kBoxTimeoutMs);
  // Presses the button with this id (IDOK, IDCANCEL) and waits until the
  // box has gone. False when it has no such button or stays.
  bool Answer(const gui::MessageBoxView& box, int buttonId);

  // Watches the status box (every 25 ms) until it shows states for which
  // `done` holds, or `timeoutMs` is up.
  StatusTrail WatchStatus(const std::function<bool(const States&)>& done, DWORD timeoutMs);
  // The states the box shows now; false when it shows no status text.
  bool ShownStates(States* states) const;

  // Closes MainWindow as its close box does and waits for the process end.
  bool Close(DWORD timeoutMs, DWORD* exitCode);

 private:
  std::unique_ptr<gui::Process> process_;
  std::string listenerName_;
  HWND window_ = nullptr;
  HWND statusBox_ = nullptr;
};

// Whether a path of states is one restart: (running,) stopping, (stopped,)
// starting, running. The stopped state lasts only until the next tick of the
// tool's poll, so a watcher may not see it.
bool IsOneRestart(const std::vector<int>& path);
// Watches the status box until each service in `which` (demo::ServiceIndex)
// has been stopped and runs again, or a minute is up.
StatusTrail AwaitRestart(ToolRun& tool, const std::vector<int>& which);

// A message box as it should look: caption, text, whether it shows an icon
// and which buttons (by id) it has.
struct ExpectedBox {
  std::string caption;
  std::string text;
  bool icon;
  std::vector<int> buttons;
};
// Empty when `box` is the expected one, else what differs.
std::string DifferencesFrom(const gui::MessageBoxView& box, const ExpectedBox& expected);

}  // namespace e2e
