// The service manager of the simulated Windows.
//
// Services are kept by name (letter case ignored) with a state 1 to 7, or
// any other value a test wants reported. Requests behave as on Windows: a
// start moves a stopped service to START_PENDING, a stop moves a running or
// paused one to STOP_PENDING, pause and continue likewise; a pending state
// ends after the service's delay, when the test advances time. A request the
// service cannot take now fails and changes nothing.
//
// Without elevation the manager opens only with read rights, so the full
// access the tool asks for is denied. Every call is logged into
// `windows.calls` with its arguments and result; the handles are labelled
// h1, h2 ... in the order they were given out (a null handle shows as 0).
// A handle that is not open, of the wrong kind, or a status block that is
// not zero-filled fails the test.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

class SimulatedWindows;

// Windows' service states.
constexpr std::int32_t kSimStopped = 1;
constexpr std::int32_t kSimStartPending = 2;
constexpr std::int32_t kSimStopPending = 3;
constexpr std::int32_t kSimRunning = 4;
constexpr std::int32_t kSimContinuePending = 5;
constexpr std::int32_t kSimPausePending = 6;
constexpr std::int32_t kSimPaused = 7;

// A delay long enough that a pending state never ends in a test.
constexpr int kSimForever = 1 << 30;

struct SimulatedService {
  std::int32_t state = kSimStopped;
  int pendingDelay = 300;         // milliseconds a pending state lasts
  bool statusUnreadable = false;  // QueryServiceStatus fails
  bool refusesStop = false;       // does not accept the stop control
  // What reached the service.
  int startRequests = 0;                // StartServiceA calls that started it
  std::vector<std::uint32_t> controls;  // control codes it accepted
  int msInState = 0;
};

class SimulatedServiceManager {
 public:
  explicit SimulatedServiceManager(SimulatedWindows& windows) : windows_(windows) {}

  // --- what the test sets up and observes ------------------------------
  SimulatedService& AddService(const std::string& name, std::int32_t state = kSimStopped);
  // The service of that name; fails the test when there is none.
  SimulatedService& Service(const std::string& name);
  std::int32_t StateOf(const std::string& name) { return Service(name).state; }
  // Lets `ms` milliseconds pass: pending states that have lasted their
  // delay end.
  void AdvanceTime(int ms);
  // Requests that reached any service: starts and accepted controls.
  int RequestsMade() const;
  // The manager's own lines of `windows.calls`, in order.
  std::vector<std::string> calls;
  // The same, by service name: every name asked of OpenServiceA, and every
  // request made on an open service, whatever Windows answered ("start
  // MSSQLSERVER", "control 1 OracleServiceORCL").
  std::vector<std::string> namesOpened;
  std::vector<std::string> requests;

  // --- the Windows functions -------------------------------------------
  NativeHandle OpenSCManagerA(const char* machine, const char* database, std::uint32_t access);
  NativeHandle OpenServiceA(NativeHandle manager, const char* name, std::uint32_t access);
  std::int32_t ControlService(NativeHandle service, std::uint32_t control, ServiceStatusWords* status);
  std::int32_t CloseServiceHandle(NativeHandle handle);
  std::int32_t StartServiceA(NativeHandle service, std::uint32_t argumentCount, const char** arguments);
  std::int32_t QueryServiceStatus(NativeHandle service, ServiceStatusWords* status);

 private:
  struct OpenedHandle {
    std::string label;
    bool isManager = false;
    std::string service;  // FoldCase(name) for a service handle
    std::string name;     // as the caller wrote it
    std::uint32_t access = 0;
  };
  void Log(const std::string& line);
  NativeHandle Give(OpenedHandle opened);
  std::string Label(NativeHandle handle) const;
  // The service behind an open service handle; null after a failure.
  SimulatedService* ServiceBehind(NativeHandle handle, const char* function);
  void WriteStatus(const SimulatedService& service, ServiceStatusWords* status) const;

  SimulatedWindows& windows_;
  std::map<std::string, SimulatedService> services_;  // key: FoldCase(name)
  std::map<NativeHandle, OpenedHandle> handles_;
  int handlesGiven_ = 0;
};
