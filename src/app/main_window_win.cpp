#include "app/main_window_win.h"

namespace {

constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kButtonStyle =
    BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE | WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP;
// No border, no scroll bars, no ES_AUTOHSCROLL (long lines wrap), not a tab
// stop, no ES_NOHIDESEL.
constexpr DWORD kStatusBoxStyle =
    ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_READONLY | ES_CENTER | WS_CHILD | WS_CLIPSIBLINGS;
constexpr COLORREF kStatusText = RGB(255, 255, 0);
constexpr COLORREF kStatusBackground = RGB(0, 136, 255);

HICON LoadToolIcon(int sizeMetric) {
  const int size = GetSystemMetrics(sizeMetric);
  return static_cast<HICON>(
      LoadImageA(GetModuleHandleA(nullptr), "DEFAULT_ICON", IMAGE_ICON, size, size, LR_SHARED));
}

HFONT StatusFont() {
  LOGFONTA font{};
  font.lfHeight = -12;
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfQuality = PROOF_QUALITY;
  font.lfPitchAndFamily = DEFAULT_PITCH;
  return CreateFontIndirectA(&font);  // empty face name: the system picks one
}

void SetFont(HWND window, HGDIOBJ font) { SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

}  // namespace

bool MainWindow::Load() {
  const WindowOrigin origin = CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  ClassLook look;
  look.icon = LoadToolIcon(SM_CXICON);
  look.smallIcon = LoadToolIcon(SM_CXSMICON);
  look.background = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  if (!CreateWindowOf("KorvaneMainWindow", look, kWindowStyle, kMainWindowTitle, origin.left, origin.top,
                      kMainWindowWidth, kMainWindowHeight, nullptr, 0))
    return false;

  // The outer size is what counts, whatever frame this system draws.
  RECT outer{};
  GetWindowRect(Handle(), &outer);
  if (outer.right - outer.left != kMainWindowWidth || outer.bottom - outer.top != kMainWindowHeight)
    MoveWindow(Handle(), outer.left, outer.top, kMainWindowWidth, kMainWindowHeight, FALSE);
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(look.icon));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(look.smallIcon));
  SetFont(Handle(), GetStockObject(DEFAULT_GUI_FONT));

  statusFont_.Reset(StatusFont());
  statusBrush_.Reset(CreateSolidBrush(kStatusBackground));

  // Created from the last row up, then restacked into the layout's order.
  for (std::size_t row = kControlLayout.size(); row-- > 0;)
    if (!CreateControl(kControlLayout[row])) return false;
  HWND above = HWND_TOP;
  for (HWND control : controls_) {
    SetWindowPos(control, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    above = control;
  }
  for (std::size_t row = 0; row < kControlLayout.size(); ++row)
    if (kControlLayout[row].kind != ControlKind::Timer) ShowWindow(controls_[row], SW_SHOWNA);
  return true;
}

bool MainWindow::CreateControl(const ControlLayout& layout) {
  const std::size_t row = static_cast<std::size_t>(&layout - kControlLayout.data());
  HINSTANCE instance = GetModuleHandleA(nullptr);
  HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id));
  HWND control = nullptr;
  switch (layout.kind) {
    case ControlKind::Timer: {
      const bool first = layout.event == ShellEvent::Clock1Tick;
      TimerWindow& timer = first ? clock1_ : clock2_;
      if (!timer.Create(Handle(), layout, first ? kClock1Period : kClock2Period)) return false;
      control = timer.Handle();
      break;
    }
    case ControlKind::PushButton:
      control = CreateWindowExA(0, "BUTTON", layout.caption, kButtonStyle, layout.x, layout.y, layout.width,
                                layout.height, Handle(), id, instance, nullptr);
      if (control != nullptr) SetFont(control, GetStockObject(DEFAULT_GUI_FONT));
      break;
    case ControlKind::EditBox:
      control = CreateWindowExA(0, "EDIT", "", kStatusBoxStyle, layout.x, layout.y, layout.width, layout.height,
                                Handle(), id, instance, nullptr);
      if (control != nullptr) {
        statusBox_ = control;
        SendMessageA(control, EM_LIMITTEXT, 0, 0);  // the system's maximum
        SetFont(control, statusFont_.Get());
        SendMessageA(control, EM_SETSEL, 0, 0);
        SendMessageA(control, EM_SCROLLCARET, 0, 0);
      }
      break;
  }
  controls_[row] = control;
  return control != nullptr;
}

void MainWindow::Show() {
  if (Handle() != nullptr) ShowWindow(Handle(), SW_SHOW);
}

bool MainWindow::IsOwnButton(HWND window) const {
  for (std::size_t row = 0; row < kControlLayout.size(); ++row)
    if (controls_[row] == window && kControlLayout[row].kind == ControlKind::PushButton) return true;
  return false;
}

void MainWindow::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return;
  for (const ControlLayout& layout : kControlLayout)
    if (layout.kind == ControlKind::PushButton && layout.id == id) DeliverEvent(*layout.event);
}

void MainWindow::OnDestroy() {
  statusBox_ = nullptr;
  if (loopStarted_) PostQuitMessage(0);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORSTATIC:  // a read-only edit box asks with this one
    case WM_CTLCOLOREDIT:
      if (reinterpret_cast<HWND>(lParam) == statusBox_ && statusBox_ != nullptr) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kStatusText);
        SetBkColor(dc, kStatusBackground);
        return reinterpret_cast<LRESULT>(statusBrush_.Get());
      }
      break;
    case WM_SETCURSOR:
      if (IsOwnButton(reinterpret_cast<HWND>(wParam)) && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorA(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return BaseWindow::OnMessage(message, wParam, lParam);
}
