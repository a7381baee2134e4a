// The benchmark's yardstick (scripts/bench.sh): the least a program can do
// to show what korvane.exe shows. One window with an edit box; every 100 ms
// it asks the service manager for the same four services the same way (a
// manager handle and a service handle opened and closed per query) and
// writes a status text of the same length class into the box.
#include <windows.h>

#include <cstdio>

namespace {

const char* const kNames[] = {"MSSQLSERVER", "MSSQL$SQLEXPRESS", "OracleOraDb11g_home1TNSListener",
                              "OracleServiceORCL"};
constexpr UINT_PTR kTimerId = 1000;

HWND statusBox = nullptr;

DWORD Query(const char* name) {
  DWORD state = 0;
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (manager == nullptr) return state;
  SC_HANDLE service = OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
  if (service != nullptr) {
    SERVICE_STATUS status{};
    if (QueryServiceStatus(service, &status)) state = status.dwCurrentState;
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  return state;
}

void Refresh() {
  char text[512];
  int length = 0;
  for (const char* name : kNames)
    length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), "\r\n%s - %lu\r\n", name,
                            static_cast<unsigned long>(Query(name)));
  SetWindowTextA(statusBox, text);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kTimerId) Refresh();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = "KorvaneBareWindow";
  if (RegisterClassA(&windowClass) == 0) return 1;
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Bare", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                CW_USEDEFAULT, CW_USEDEFAULT, 713, 200, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  statusBox = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY | ES_CENTER, -8, 60,
                              696, 112, window, nullptr, instance, nullptr);
  SetTimer(window, kTimerId, 100, nullptr);
  ShowWindow(window, SW_SHOW);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
