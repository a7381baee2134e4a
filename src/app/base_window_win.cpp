#include "app/base_window_win.h"

BaseWindow::~BaseWindow() {
  if (handle_ != nullptr) DestroyWindow(handle_);
}

bool BaseWindow::CreateWindowOf(const char* className, const ClassLook& look, DWORD style, const char* title, int x,
                                int y, int width, int height, HWND parent, int childId) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, className, &existing) == FALSE) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = look.icon;
    windowClass.hIconSm = look.smallIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = look.background;
    windowClass.lpszClassName = className;
    if (RegisterClassExA(&windowClass) == 0) return false;
  }
  HMENU menuOrId = parent != nullptr ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(childId)) : nullptr;
  return CreateWindowExA(0, className, title, style, x, y, width, height, parent, menuOrId, instance, this) !=
         nullptr;
}

LRESULT BaseWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK BaseWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<BaseWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<BaseWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_COMMAND:
      self->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_TIMER:
      self->OnTimer(wParam);
      return 0;
    case WM_DESTROY:
      self->OnDestroy();
      return 0;
    case WM_NCDESTROY: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      self->handle_ = nullptr;
      return result;
    }
    default:
      return self->OnMessage(message, wParam, lParam);
  }
}
