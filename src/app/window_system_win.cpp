#include "app/window_system_win.h"

#include <ole2.h>

void Win32WindowSystem::InitializeOle() { OleInitialize(nullptr); }

bool Win32WindowSystem::LoadMainWindow() { return window_.Load(); }

bool Win32WindowSystem::MainWindowExists() { return window_.Handle() != nullptr && IsWindow(window_.Handle()); }

void Win32WindowSystem::ShowMainWindow() { window_.Show(); }

void Win32WindowSystem::RunMessageLoop() {
  window_.MessageLoopStarted();
  MSG message{};
  // GetMessageA gives 0 for WM_QUIT and -1 when it fails; both end the loop.
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void Win32WindowSystem::UninitializeOle() { OleUninitialize(); }
