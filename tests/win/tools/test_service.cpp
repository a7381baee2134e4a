// A Windows service for the Wine tests: it stands in for SQL Server, the
// Oracle listener and the Oracle database under any service name.
//
// Command line (from the service's image path):
//   test_service.exe <start ms> <stop ms> [<log file>]
// It reports START_PENDING, waits <start ms>, reports RUNNING; on the stop
// control it reports STOP_PENDING, waits <stop ms>, reports STOPPED. The
// delays let a test see each pending state. Every control code it receives
// is appended to the log file, one "control N" line each, so that a test can
// tell what reached the service.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

DWORD startDelay = 0;
DWORD stopDelay = 0;
const char* logPath = nullptr;

SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopRequested = nullptr;
CRITICAL_SECTION statusLock;
SERVICE_STATUS status;
DWORD checkPoint = 0;

void Report(DWORD state, DWORD waitHint) {
  EnterCriticalSection(&statusLock);
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
  status.dwWin32ExitCode = NO_ERROR;
  status.dwServiceSpecificExitCode = 0;
  const bool pending = state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING;
  status.dwCheckPoint = pending ? ++checkPoint : 0;
  status.dwWaitHint = pending ? waitHint + 1000 : 0;
  SetServiceStatus(statusHandle, &status);
  LeaveCriticalSection(&statusLock);
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
    case SERVICE_CONTROL_STOP:
      if (status.dwCurrentState != SERVICE_RUNNING) return ERROR_SERVICE_CANNOT_ACCEPT_CTRL;
      Report(SERVICE_STOP_PENDING, stopDelay);
      SetEvent(stopRequested);
      return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
      Report(status.dwCurrentState, 0);
      return NO_ERROR;
    default:
      return ERROR_CALL_NOT_IMPLEMENTED;
  }
}

void WINAPI ServiceMain(DWORD argc, char** argv) {
  statusHandle = RegisterServiceCtrlHandlerExA(argc > 0 ? argv[0] : "", Handler, nullptr);
  if (statusHandle == nullptr) return;
  Report(SERVICE_START_PENDING, startDelay);
  Sleep(startDelay);
  Report(SERVICE_RUNNING, 0);
  WaitForSingleObject(stopRequested, INFINITE);
  Sleep(stopDelay);
  Report(SERVICE_STOPPED, 0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: test_service <start ms> <stop ms> [<log file>]\n");
    return 2;
  }
  startDelay = static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10));
  stopDelay = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
  if (argc > 3) logPath = argv[3];
  InitializeCriticalSection(&statusLock);
  stopRequested = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  // An own-process service: the dispatcher ignores the name, so one
  // program serves under whatever name it was installed.
  char noName[] = "";
  SERVICE_TABLE_ENTRYA table[] = {{noName, ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
