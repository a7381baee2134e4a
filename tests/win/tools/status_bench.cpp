// What one status refresh costs against the real service manager, beside a
// bare window making the same four queries (scripts/bench_status.sh).
//
//   status_bench install <service program>  installs the four services
//   status_bench remove                     removes them
//   status_bench time <rounds>              ms per RefreshStatusReport and
//                                           per bare round of four queries
//   status_bench tool <seconds>             a window refreshing the report
//   status_bench bare <seconds>             a window making the bare queries
//                                           every 100 ms; both print
//                                           "<mode> <ticks> <wall s> <own CPU s>"
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/user_interface.h"
#include "platform/platform_win.h"
#include "runtime/function_binding.h"
#include "runtime/program_values.h"
#include "services/status_report.h"

namespace {

const char* const kNames[] = {"MSSQLSERVER", "MSSQL$SQLEXPRESS", "OracleOraDb11g_home1TNSListener",
                              "OracleServiceORCL"};

HWND statusBox = nullptr;

// Only the status box is used: the text goes there as the shell puts it.
class BoxUi final : public UserInterface {
 public:
  std::int32_t ShowMessage(TextView, std::int32_t, TextView, NativeHandle) override { return 0; }
  void SetWaitCursor() override {}
  void RestoreCursor() override {}
  void SetTimerPeriod(TimerId, std::int32_t) override {}
  void SetStatusText(TextView text) override { SetWindowTextA(statusBox, Text(text).c_str()); }
};

// The same four queries, straight to advapi32: the floor of any refresh.
void BareQueries() {
  for (const char* name : kNames) {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
    if (service != nullptr) {
      SERVICE_STATUS status{};
      QueryServiceStatus(service, &status);
      CloseServiceHandle(service);
    }
    if (manager != nullptr) CloseServiceHandle(manager);
  }
}

double Seconds(const FILETIME& time) {
  ULARGE_INTEGER value;
  value.LowPart = time.dwLowDateTime;
  value.HighPart = time.dwHighDateTime;
  return static_cast<double>(value.QuadPart) / 1e7;
}

double OwnCpuSeconds() {
  FILETIME created, ended, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
  return Seconds(kernel) + Seconds(user);
}

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool runTool = true;
int ticks = 0;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

HWND MakeWindow() {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "KorvaneBench";
  if (RegisterClassA(&windowClass) == 0) std::fprintf(stderr, "no class: %lu\n", GetLastError());
  HWND window = CreateWindowExA(0, "KorvaneBench", "bench", WS_OVERLAPPEDWINDOW, 0, 0, 713, 200, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  statusBox = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE | ES_READONLY | ES_CENTER, -8, 60, 696, 112,
                              window, nullptr, windowClass.hInstance, nullptr);
  return window;
}

constexpr UINT_PTR kTickTimer = 1000;
constexpr UINT_PTR kEndTimer = 1001;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && wParam == kEndTimer) {
    PostQuitMessage(0);
    return 0;
  }
  if (message == WM_TIMER && wParam == kTickTimer) {
    ++ticks;
    if (runTool) {
      RefreshStatusReport();
    } else {
      BareQueries();
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

int RunWindow(bool tool, double seconds) {
  runTool = tool;
  HWND window = MakeWindow();
  if (window == nullptr) {
    std::fprintf(stderr, "no window: %lu\n", GetLastError());
    return 1;
  }
  SetTimer(window, kTickTimer, 100, nullptr);
  SetTimer(window, kEndTimer, static_cast<UINT>(seconds * 1000), nullptr);
  const double wallStart = Now();
  const double cpuStart = OwnCpuSeconds();
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  const double wall = Now() - wallStart;
  const double cpu = OwnCpuSeconds() - cpuStart;
  // Ticks that fall due while one runs are merged, so a slower refresh
  // also means fewer ticks: the CPU per tick is shown beside the share.
  std::printf("%s %d %.3f %.3f\n", tool ? "tool" : "bare", ticks, wall, cpu);
  return 0;
}

int Time(int rounds) {
  MakeWindow();
  RefreshStatusReport();  // binds the functions first, as the tool's first tick does
  // Blocks of each, taken in turn, so that a change in the machine's load
  // falls on both alike.
  constexpr int kBlocks = 10;
  double tool = 0;
  double bare = 0;
  for (int block = 0; block < kBlocks; ++block) {
    double start = Now();
    for (int i = 0; i < rounds / kBlocks; ++i) RefreshStatusReport();
    tool += Now() - start;
    start = Now();
    for (int i = 0; i < rounds / kBlocks; ++i) BareQueries();
    bare += Now() - start;
  }
  const int done = rounds / kBlocks * kBlocks;
  // The part of a refresh that is not a query: writing the status box.
  char text[512];
  GetWindowTextA(statusBox, text, sizeof text);
  const double writeStart = Now();
  for (int i = 0; i < done; ++i) SetWindowTextA(statusBox, text);
  const double write = Now() - writeStart;
  std::printf("RefreshStatusReport: %.3f ms per call; bare four queries: %.3f ms; ratio %.2f; "
              "writing the status box alone: %.3f ms\n",
              tool * 1000.0 / done, bare * 1000.0 / done, tool / bare, write * 1000.0 / done);
  return 0;
}

int Install(const char* program) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (manager == nullptr) return 1;
  const std::string imagePath = std::string("\"") + program + "\" 0 0";
  for (int i = 0; i < 4; ++i) {
    const char* name = kNames[i];
    SC_HANDLE service = CreateServiceA(manager, name, name, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                       SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, imagePath.c_str(), nullptr,
                                       nullptr, nullptr, nullptr, nullptr);
    if (service == nullptr) service = OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
    // A real mix: the SQL Server and the listener run, the others stand.
    if (service != nullptr && (i == 0 || i == 2)) StartServiceA(service, 0, nullptr);
    if (service != nullptr) CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  return 0;
}

int Remove() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (manager == nullptr) return 1;
  for (const char* name : kNames) {
    SC_HANDLE service = OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
    if (service == nullptr) continue;
    SERVICE_STATUS status{};
    ControlService(service, SERVICE_CONTROL_STOP, &status);
    for (int i = 0; i < 100 && QueryServiceStatus(service, &status) && status.dwCurrentState != SERVICE_STOPPED; ++i)
      Sleep(50);
    DeleteService(service);
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  static Win32Platform platform;
  InstallPlatform(&platform);
  static BoxUi ui;
  InstallUserInterface(&ui);
  listenerServiceName = kNames[2];
  const std::string mode = argc > 1 ? argv[1] : "";
  int result = 2;
  if (mode == "install" && argc > 2) result = Install(argv[2]);
  if (mode == "remove") result = Remove();
  if (mode == "time") result = Time(argc > 2 ? std::atoi(argv[2]) : 200);
  if (mode == "tool" || mode == "bare") result = RunWindow(mode == "tool", argc > 2 ? std::atof(argv[2]) : 10.0);
  if (result == 2) std::fprintf(stderr, "usage: status_bench install <program> | remove | time <n> | tool|bare <s>\n");
  std::fflush(stdout);
  ReleaseBoundLibraries();
  listenerServiceName.clear();
  return result;
}
