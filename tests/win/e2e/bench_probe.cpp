// Starts a window program for the benchmark (scripts/bench.sh) and times its
// start-up as a user sees it, then lets it run idle and closes it.
//
//   korvane_bench_probe <program> <idle seconds>
//
// Prints, each on its own line and flushed at once:
//   first-window <ms>   first top-level window of the program on screen
//                       (korvane.exe: its start-up notice)
//   answered <ms>       a message box that came first (korvane.exe's
//                       notice) was answered with OK, at once
//   main-window <ms>    its main window on screen
//   idle-begin          the program runs idle from here ...
//   idle-end            ... to here, <idle seconds> later; it is closed a
//                       second after this line
//   exit <code>         after the main window was asked to close
// Times count from just before CreateProcess. Exit code 0 when all went.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
  DWORD processId;
  HWND box = nullptr;
  HWND main = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || IsWindowVisible(window) == FALSE) return TRUE;
  char name[64] = {0};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) == "#32770") {
    search->box = window;
  } else {
    search->main = window;
  }
  return TRUE;
}

double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Line(const char* format, double value) {
  std::printf(format, value);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: korvane_bench_probe <program> <idle seconds>\n");
    return 2;
  }
  std::string program = argv[1];
  const DWORD idleMs = static_cast<DWORD>(std::atof(argv[2]) * 1000.0);
  std::string folder = program.substr(0, program.find_last_of('\\'));
  std::string commandLine = "\"" + program + "\"";

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double begin = Now();
  if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                     &process) == FALSE) {
    std::fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(), GetLastError());
    return 1;
  }
  bool firstSeen = false;
  HWND answered = nullptr;
  bool boxGone = false;
  HWND main = nullptr;
  while (Now() - begin < 120000.0 && main == nullptr) {
    Search search{process.dwProcessId};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    if (!firstSeen && (search.box != nullptr || search.main != nullptr)) {
      firstSeen = true;
      Line("first-window %.0f\n", Now() - begin);
    }
    if (search.box != nullptr && search.box != answered) {
      PostMessageA(GetDlgItem(search.box, IDOK), BM_CLICK, 0, 0);
      answered = search.box;
      Line("answered %.0f\n", Now() - begin);
    }
    if (answered != nullptr && search.box == nullptr && !boxGone) {
      boxGone = true;
      Line("box-gone %.0f\n", Now() - begin);
    }
    if (search.box == nullptr && search.main != nullptr) main = search.main;
    if (main == nullptr) Sleep(2);
  }
  int result = 0;
  if (main == nullptr) {
    std::fprintf(stderr, "no main window within 120 s\n");
    result = 1;
  } else {
    Line("main-window %.0f\n", Now() - begin);
    std::printf("idle-begin\n");
    std::fflush(stdout);
    Sleep(idleMs);
    std::printf("idle-end\n");
    std::fflush(stdout);
    // The benchmark reads the process's figures now, while it still runs.
    Sleep(1000);
    PostMessageA(main, WM_CLOSE, 0, 0);
  }
  DWORD exitCode = 1;
  if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(process.hProcess, 1);
    result = 1;
  }
  GetExitCodeProcess(process.hProcess, &exitCode);
  std::printf("exit %lu\n", static_cast<unsigned long>(exitCode));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return result;
}
