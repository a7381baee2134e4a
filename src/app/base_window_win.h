// The small base of the tool's own windows (MainWindow and the timers):
// registers the window class, keeps the object with its window handle and
// routes WM_COMMAND and WM_TIMER to handlers.
#pragma once

#include <windows.h>

class BaseWindow {
 public:
  BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;
  // Destroys the window if it still exists.
  virtual ~BaseWindow();

  // Null before creation and after the window has been destroyed.
  HWND Handle() const { return handle_; }

 protected:
  struct ClassLook {
    HICON icon = nullptr;
    HICON smallIcon = nullptr;
    HBRUSH background = nullptr;
  };
  // Registers `className` with this base's window procedure (once per
  // process) and creates the window. False when it cannot be created.
  bool CreateWindowOf(const char* className, const ClassLook& look, DWORD style, const char* title, int x, int y,
                      int width, int height, HWND parent, int childId);

  virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
  virtual void OnTimer(UINT_PTR /*id*/) {}
  virtual void OnDestroy() {}
  // Every other message; the default is DefWindowProcA.
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;
};
