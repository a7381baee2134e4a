// The control skin on Win32: the standard controls of the GUI thread are
// subclassed (SetWindowLongPtrA with GWLP_WNDPROC, which is SetWindowLongA
// with GWL_WNDPROC in the 32-bit build) and painted by the skin, and a
// WH_CALLWNDPROC hook subclasses every such control created later, so the
// buttons of each message box get the look too.
//
// Push buttons are drawn whole (gradient face, hot, pressed, focus and
// default looks); bordered edit and combo boxes get a one-pixel frame in the
// scheme's colour. Check boxes, radio buttons, group boxes and up-down
// controls are taken over but keep their system drawing.
//
// One skin per process: the window and hook procedures are shared.
#pragma once

#include <windows.h>

#include <map>

#include "app/shell.h"
#include "app/skin_rules.h"
#include "platform/scoped_handles_win.h"

class ControlSkin final : public Shell {
 public:
  ControlSkin();
  ~ControlSkin() override;
  ControlSkin(const ControlSkin&) = delete;
  ControlSkin& operator=(const ControlSkin&) = delete;

  void SetControlSkin(std::int32_t scheme) override;

 private:
  struct Subclassed {
    WNDPROC original;
    SkinKind kind;
    bool hot;  // the mouse is over it
  };

  void Remove();
  void Subclass(HWND window);
  LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT ButtonMessage(HWND window, Subclassed& entry, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT FramedMessage(HWND window, const Subclassed& entry, UINT message, WPARAM wParam, LPARAM lParam);

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam);
  static BOOL CALLBACK SubclassTree(HWND window, LPARAM skin);
  static BOOL CALLBACK SubclassOne(HWND window, LPARAM skin);

  std::int32_t scheme_ = 0;
  std::map<HWND, Subclassed> subclassed_;
  ScopedHook hook_;
};
