// Entry point of korvane.exe.
#include <windows.h>

#include "platform/platform_win.h"
#include "runtime/system_operations.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  static Win32Platform platform;
  InstallPlatform(&platform);
  SetUpProcess();
  ReleaseSystemResources();
  return 0;
}
