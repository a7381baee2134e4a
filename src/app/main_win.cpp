// Entry point of korvane.exe: puts the Win32 pieces behind the shell's
// interfaces and runs the tool.
#include <windows.h>

#include "app/control_skin_win.h"
#include "app/main_window_win.h"
#include "app/program.h"
#include "app/shell.h"
#include "app/win32_user_interface_win.h"
#include "app/window_system_win.h"
#include "platform/platform_win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  static Win32Platform platform;
  InstallPlatform(&platform);
  static MainWindow window;
  static Win32UserInterface ui(window);
  InstallUserInterface(&ui);
  static ControlSkin skin;
  InstallShell(&skin);
  Win32WindowSystem windows(window);
  return RunProgram(windows);
}
