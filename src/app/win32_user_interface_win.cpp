#include "app/win32_user_interface_win.h"

std::int32_t Win32UserInterface::ShowMessage(TextView text, std::int32_t flags, TextView caption,
                                             NativeHandle owner) {
  const Text shown(text);
  const Text title(caption);
  const int result = MessageBoxA(reinterpret_cast<HWND>(owner), shown.c_str(), title.c_str(), MessageBoxStyleFor(flags));
  return AnswerForMessageBoxResult(result);
}

void Win32UserInterface::SetWaitCursor() {
  HCURSOR before = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (remembered_ == nullptr) remembered_ = before;
}

void Win32UserInterface::RestoreCursor() {
  if (remembered_ != nullptr) {
    SetCursor(remembered_);
    remembered_ = nullptr;
  }
  POINT point{};
  if (GetCursorPos(&point) != FALSE) SetCursorPos(point.x, point.y);
}

void Win32UserInterface::SetTimerPeriod(TimerId timer, std::int32_t period) { window_.Timer(timer).SetPeriod(period); }

void Win32UserInterface::SetStatusText(TextView text) {
  // Every call rewrites the box, also with the text it already shows.
  if (window_.StatusBox() != nullptr) SetWindowTextA(window_.StatusBox(), Text(text).c_str());
}
