// A service that can be paused, for the one scenario that needs a service
// really in the paused state (the test service program accepts only stop).
//
// Command line: pausable_service.exe [<log file>]
// It reports RUNNING at once and accepts stop, pause and continue; pause
// reports PAUSED, continue RUNNING, stop STOPPED. Every control code is
// appended to the log file as a "control N" line.
#include <windows.h>

#include <cstdio>

namespace {

SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopped = nullptr;
const char* logPath = nullptr;
DWORD current = SERVICE_STOPPED;

void Report(DWORD state) {
  current = state;
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwControlsAccepted = state == SERVICE_STOPPED ? 0 : SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PAUSE_CONTINUE;
  SetServiceStatus(statusHandle, &status);
}

void LogControl(DWORD control) {
  if (logPath == nullptr) return;
  FILE* log = std::fopen(logPath, "a");
  if (log == nullptr) return;
  std::fprintf(log, "control %lu\n", static_cast<unsigned long>(control));
  std::fclose(log);
}

DWORD WINAPI Handler(DWORD control, DWORD, void*, void*) {
  LogControl(control);
  switch (control) {
    case SERVICE_CONTROL_PAUSE:
      Report(SERVICE_PAUSED);
      return NO_ERROR;
    case SERVICE_CONTROL_CONTINUE:
      Report(SERVICE_RUNNING);
      return NO_ERROR;
    case SERVICE_CONTROL_STOP:
      SetEvent(stopped);
      return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
      Report(current);
      return NO_ERROR;
    default:
      return ERROR_CALL_NOT_IMPLEMENTED;
  }
}

void WINAPI ServiceMain(DWORD argc, char** argv) {
  statusHandle = RegisterServiceCtrlHandlerExA(argc > 0 ? argv[0] : "", Handler, nullptr);
  if (statusHandle == nullptr) return;
  Report(SERVICE_RUNNING);
  WaitForSingleObject(stopped, INFINITE);
  Report(SERVICE_STOPPED);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) logPath = argv[1];
  stopped = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  char noName[] = "";
  SERVICE_TABLE_ENTRYA table[] = {{noName, ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
