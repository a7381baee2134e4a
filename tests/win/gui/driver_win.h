// A small driver that works another program's windows as a user would: it
// finds the windows of a process, reads their texts, classes, places and
// styles, finds message boxes and presses buttons.
//
// It runs in a process of its own under the same Wine (or Windows) session
// as the program. Texts are read with WM_GETTEXT, which asks the control
// itself, so a control's current text is seen; they come back as bytes of
// the ANSI code page (GBK under code page 936) and compare with the
// project's GBK literals. Presses are posted (BM_CLICK), so a press whose
// handler opens a message box does not block the driver.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gui {

// A program started by the driver; ended (TerminateProcess) if it is still
// running when the object goes.
class Process {
 public:
  // Starts `commandLine` in `folder` (empty: the driver's own folder).
  // Check Started() for the outcome.
  Process(const std::string& commandLine, const std::string& folder);
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  // Waits for the end; true and the exit code when it ended in time.
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
  bool Running();

 private:
  PROCESS_INFORMATION info_{};
};

// Calls `condition` every `pollMs` until it gives true or `timeoutMs` is up.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 200);

// Top-level windows of a process, in z-order; only the visible ones when
// `visibleOnly`.
std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly);
// The direct children of a window, in z-order (the topmost first).
std::vector<HWND> Children(HWND parent);

std::string ClassOf(HWND window);
// The window's current text by WM_GETTEXT; empty when it does not answer.
std::string TextOf(HWND window);
LONG StyleOf(HWND window);
LONG ExStyleOf(HWND window);
bool IsShown(HWND window);
// Outer rectangle on the screen.
RECT OuterRect(HWND window);
// Outer rectangle of a child in its parent's client coordinates.
RECT RectInParent(HWND child);

// The first visible top-level window of the process with this class and
// (when given) this title, or null.
HWND FindTopLevel(DWORD processId, const std::string& className, const std::string* title = nullptr);

// A message box as the user sees it.
struct MessageBoxView {
  HWND box = nullptr;
  std::string caption;
  std::string text;  // the message static's text
  bool iconShown = false;
  struct Button {
    HWND handle;
    std::string caption;
  };
  std::vector<Button> buttons;  // visible push buttons, in z-order
};
// The visible message box (dialog class "#32770") of the process, if any.
HWND FindMessageBox(DWORD processId);
MessageBoxView ReadMessageBox(HWND box);

// The colour the screen shows at a point.
COLORREF ScreenPixel(POINT at);
// Moves the mouse pointer, as the user's hand would.
void MoveMouse(POINT to);

// Presses a button without waiting for its handler (PostMessageA BM_CLICK).
void Press(HWND button);
// Asks the window to close, as its close box does.
void Close(HWND window);

// The widths of the images of an executable's icon group resource, read
// from the file without running it; empty when it has no such resource.
std::vector<int> IconSizesInExecutable(const std::string& exePath, const char* iconName);
// Loads an icon of the given size from an executable's resources (as data).
HICON LoadIconFromExecutable(const std::string& exePath, const char* iconName, int size);

// True when the screen shows `icon`, drawn at `size` pixels, somewhere in
// `area`: every fully opaque pixel of the icon must be on screen as it is.
// For windows of other processes, whose icon handles cannot be read.
bool ScreenShowsIcon(HICON icon, int size, const RECT& area);

// Asks the test environment (scripts/wine-gui.sh) for a PNG of the screen,
// cropped to `area` grown by `margin` pixels, named `name`.png in the
// folder of KORVANE_SCREENSHOT_DIR; waits for it. False when no
// environment answers in time or the variable is not set.
bool TakeScreenshot(const std::string& name, const RECT& area, int margin, DWORD timeoutMs);

}  // namespace gui
