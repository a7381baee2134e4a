#include "app/control_skin_win.h"

#include "app/button_painter_win.h"

namespace {

ControlSkin* theSkin = nullptr;

ButtonState StateOf(HWND button, bool hot) {
  if (IsWindowEnabled(button) == FALSE) return ButtonState::Disabled;
  if ((SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0) return ButtonState::Pressed;
  return hot ? ButtonState::Hot : ButtonState::Normal;
}

bool IsDefaultButton(HWND button) { return (GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON; }

void RepaintNow(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }

}  // namespace

ControlSkin::ControlSkin() { theSkin = this; }

ControlSkin::~ControlSkin() {
  Remove();
  if (theSkin == this) theSkin = nullptr;
}

void ControlSkin::SetControlSkin(std::int32_t scheme) {
  scheme_ = scheme;
  Remove();
  if (!SchemeHasSkin(scheme)) return;
  EnumThreadWindows(GetCurrentThreadId(), SubclassTree, reinterpret_cast<LPARAM>(this));
  hook_.Reset(SetWindowsHookExA(WH_CALLWNDPROC, HookProcedure, nullptr, GetCurrentThreadId()));
}

void ControlSkin::Remove() {
  hook_.Reset();
  std::map<HWND, Subclassed> taken;
  taken.swap(subclassed_);
  for (const auto& [window, entry] : taken) {
    if (IsWindow(window) == FALSE) continue;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.original));
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
  }
}

void ControlSkin::Subclass(HWND window) {
  if (subclassed_.count(window) != 0) return;
  char className[64] = {0};
  const int length = GetClassNameA(window, className, sizeof className);
  const SkinKind kind = SkinKindFor(TextView(className, length > 0 ? static_cast<std::size_t>(length) : 0),
                                    static_cast<std::uint32_t>(GetWindowLongA(window, GWL_STYLE)));
  if (kind == SkinKind::None) return;
  const auto original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ControlSkin::WindowProcedure)));
  if (original == nullptr) return;
  subclassed_[window] = Subclassed{original, kind, false};
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

BOOL CALLBACK ControlSkin::SubclassTree(HWND window, LPARAM skin) {
  SubclassOne(window, skin);
  EnumChildWindows(window, SubclassOne, skin);  // visits grandchildren too
  return TRUE;
}

BOOL CALLBACK ControlSkin::SubclassOne(HWND window, LPARAM skin) {
  reinterpret_cast<ControlSkin*>(skin)->Subclass(window);
  return TRUE;
}

LRESULT CALLBACK ControlSkin::HookProcedure(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && theSkin != nullptr) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (call->message == WM_CREATE) theSkin->Subclass(call->hwnd);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ControlSkin::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (theSkin == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return theSkin->Dispatch(window, message, wParam, lParam);
}

LRESULT ControlSkin::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto found = subclassed_.find(window);
  if (found == subclassed_.end()) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    // The window goes: hand it back to its own procedure for its last message.
    const WNDPROC original = found->second.original;
    subclassed_.erase(found);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    return CallWindowProcA(original, window, message, wParam, lParam);
  }
  switch (found->second.kind) {
    case SkinKind::PushButton:
      return ButtonMessage(window, found->second, message, wParam, lParam);
    case SkinKind::Edit:
    case SkinKind::ComboBox:
    case SkinKind::ComboList:
      return FramedMessage(window, found->second, message, wParam, lParam);
    default:
      return CallWindowProcA(found->second.original, window, message, wParam, lParam);
  }
}

LRESULT ControlSkin::ButtonMessage(HWND window, Subclassed& entry, UINT message, WPARAM wParam, LPARAM lParam) {
  const WNDPROC original = entry.original;
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(window, &paint);
      if (dc != nullptr)
        PaintPushButton(window, dc, scheme_,
                        {StateOf(window, entry.hot), GetFocus() == window, IsDefaultButton(window)});
      EndPaint(window, &paint);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintPushButton(window, reinterpret_cast<HDC>(wParam), scheme_,
                      {StateOf(window, entry.hot), GetFocus() == window, IsDefaultButton(window)});
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the face covers everything
    case WM_MOUSEMOVE:
      if (!entry.hot) {
        entry.hot = true;
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        RepaintNow(window);
      }
      break;
    case WM_MOUSELEAVE:
      entry.hot = false;
      RepaintNow(window);
      break;
    // The system's button procedure paints some state changes itself, at
    // once; painting again right after keeps the skin's look.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CAPTURECHANGED:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case BM_CLICK: {
      const LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
      if (IsWindow(window) != FALSE) RepaintNow(window);
      return result;
    }
    default:
      break;
  }
  return CallWindowProcA(original, window, message, wParam, lParam);
}

LRESULT ControlSkin::FramedMessage(HWND window, const Subclassed& entry, UINT message, WPARAM wParam,
                                   LPARAM lParam) {
  const WNDPROC original = entry.original;
  const SkinKind kind = entry.kind;
  const LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
  const bool framePainted = message == WM_NCPAINT || message == WM_SETFOCUS || message == WM_KILLFOCUS ||
                            message == WM_ENABLE || (kind != SkinKind::Edit && message == WM_PAINT);
  if (framePainted && IsWindow(window) != FALSE) {
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    const bool whiteFace = IsWindowEnabled(window) != FALSE && (kind != SkinKind::Edit || (style & ES_READONLY) == 0);
    PaintControlFrame(window, scheme_, whiteFace);
  }
  return result;
}
