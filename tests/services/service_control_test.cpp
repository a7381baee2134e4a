#include "services/service_control.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/simulated_windows.h"

namespace {

using Calls = std::vector<std::string>;

const std::string kOpenManager = "OpenSCManagerA(NULL, NULL, 0xF003F) = h1";

// Both handles opened, the request lines, both closed: service first.
Calls Opened(const std::string& name, const Calls& requests) {
  Calls calls = {kOpenManager, "OpenServiceA(h1, \"" + name + "\", 0xF01FF) = h2"};
  calls.insert(calls.end(), requests.begin(), requests.end());
  calls.push_back("CloseServiceHandle(h2) = 1");
  calls.push_back("CloseServiceHandle(h1) = 1");
  return calls;
}

// The service cannot be opened: only the manager is closed.
Calls ServiceMissing(const std::string& name) {
  return {kOpenManager, "OpenServiceA(h1, \"" + name + "\", 0xF01FF) = 0", "CloseServiceHandle(h1) = 1"};
}

// The manager cannot be opened: the service open still comes right after
// it, and fails; nothing is closed.
Calls ManagerDenied(const std::string& name) {
  return {"OpenSCManagerA(NULL, NULL, 0xF003F) = 0", "OpenServiceA(0, \"" + name + "\", 0xF01FF) = 0"};
}

struct OperationCase {
  const char* what;
  std::function<void(SimulatedWindows&)> setUp;
  std::function<std::int32_t()> operation;
  std::int32_t result;
  Calls calls;
  std::int32_t stateAfter;  // of MSSQLSERVER
};

void Present(SimulatedWindows& w, std::int32_t state) { w.serviceManager.AddService("MSSQLSERVER", state); }

const OperationCase kCases[] = {
    {"query of a running service", [](auto& w) { Present(w, kSimRunning); },
     [] { return QueryServiceState("MSSQLSERVER"); }, 4, Opened("MSSQLSERVER", {"QueryServiceStatus(h2) = 1"}), 4},
    {"query of a stopping service", [](auto& w) { Present(w, kSimStopPending); },
     [] { return QueryServiceState("MSSQLSERVER"); }, 3, Opened("MSSQLSERVER", {"QueryServiceStatus(h2) = 1"}), 3},
    {"query of a paused service", [](auto& w) { Present(w, kSimPaused); },
     [] { return QueryServiceState("MSSQLSERVER"); }, 7, Opened("MSSQLSERVER", {"QueryServiceStatus(h2) = 1"}), 7},
    {"query passes an unknown state on unchecked", [](auto& w) { Present(w, 9); },
     [] { return QueryServiceState("MSSQLSERVER"); }, 9, Opened("MSSQLSERVER", {"QueryServiceStatus(h2) = 1"}), 9},
    {"query of a status that cannot be read",
     [](auto& w) { w.serviceManager.AddService("MSSQLSERVER", kSimRunning).statusUnreadable = true; },
     [] { return QueryServiceState("MSSQLSERVER"); }, 0, Opened("MSSQLSERVER", {"QueryServiceStatus(h2) = 0"}), 4},
    {"query of a missing service", [](auto& w) { Present(w, kSimRunning); },
     [] { return QueryServiceState("MSSQL$SQLEXPRESS"); }, 0, ServiceMissing("MSSQL$SQLEXPRESS"), 4},
    {"query of the empty name", [](auto& w) { Present(w, kSimRunning); }, [] { return QueryServiceState(""); }, 0,
     ServiceMissing(""), 4},
    {"query without elevation",
     [](auto& w) {
       Present(w, kSimRunning);
       w.elevated = false;
     },
     [] { return QueryServiceState("MSSQLSERVER"); }, 0, ManagerDenied("MSSQLSERVER"), 4},

    {"start of a stopped service", [](auto& w) { Present(w, kSimStopped); },
     [] { return StartServiceByName("MSSQLSERVER"); }, 1, Opened("MSSQLSERVER", {"StartServiceA(h2, 0, NULL) = 1"}),
     2},
    {"start of a running service still gives 1", [](auto& w) { Present(w, kSimRunning); },
     [] { return StartServiceByName("MSSQLSERVER"); }, 1, Opened("MSSQLSERVER", {"StartServiceA(h2, 0, NULL) = 0"}),
     4},
    {"start of a missing service", [](auto& w) { Present(w, kSimStopped); },
     [] { return StartServiceByName("MSSQL$SQLEXPRESS"); }, 0, ServiceMissing("MSSQL$SQLEXPRESS"), 1},
    {"start of the empty name", [](auto& w) { Present(w, kSimStopped); }, [] { return StartServiceByName(""); }, 0,
     ServiceMissing(""), 1},
    {"start without elevation",
     [](auto& w) {
       Present(w, kSimStopped);
       w.elevated = false;
     },
     [] { return StartServiceByName("MSSQLSERVER"); }, 0, ManagerDenied("MSSQLSERVER"), 1},

    {"stop of a running service", [](auto& w) { Present(w, kSimRunning); },
     [] { return SendServiceControl("MSSQLSERVER", 1); }, 1, Opened("MSSQLSERVER", {"ControlService(h2, 1) = 1"}), 3},
    {"stop of a stopped service still gives 1", [](auto& w) { Present(w, kSimStopped); },
     [] { return SendServiceControl("MSSQLSERVER", 1); }, 1, Opened("MSSQLSERVER", {"ControlService(h2, 1) = 0"}), 1},
    {"pause is handed on", [](auto& w) { Present(w, kSimRunning); },
     [] { return SendServiceControl("MSSQLSERVER", 2); }, 1, Opened("MSSQLSERVER", {"ControlService(h2, 2) = 1"}), 6},
    {"continue is handed on", [](auto& w) { Present(w, kSimPaused); },
     [] { return SendServiceControl("MSSQLSERVER", 3); }, 1, Opened("MSSQLSERVER", {"ControlService(h2, 3) = 1"}), 5},
    {"shutdown is handed on, and Windows refuses it", [](auto& w) { Present(w, kSimRunning); },
     [] { return SendServiceControl("MSSQLSERVER", 5); }, 1, Opened("MSSQLSERVER", {"ControlService(h2, 5) = 0"}), 4},
    {"interrogate is refused before any request", [](auto& w) { Present(w, kSimRunning); },
     [] { return SendServiceControl("MSSQLSERVER", 4); }, 0, Opened("MSSQLSERVER", {}), 4},
    {"code 0 is refused", [](auto& w) { Present(w, kSimRunning); },
     [] { return SendServiceControl("MSSQLSERVER", 0); }, 0, Opened("MSSQLSERVER", {}), 4},
    {"code 6 is refused", [](auto& w) { Present(w, kSimRunning); },
     [] { return SendServiceControl("MSSQLSERVER", 6); }, 0, Opened("MSSQLSERVER", {}), 4},
    {"a negative code is refused", [](auto& w) { Present(w, kSimRunning); },
     [] { return SendServiceControl("MSSQLSERVER", -1); }, 0, Opened("MSSQLSERVER", {}), 4},
    {"a user-defined code is refused", [](auto& w) { Present(w, kSimRunning); },
     [] { return SendServiceControl("MSSQLSERVER", 128); }, 0, Opened("MSSQLSERVER", {}), 4},
    {"refused code on a missing service", [](auto& w) { Present(w, kSimRunning); },
     [] { return SendServiceControl("MSSQL$SQLEXPRESS", 4); }, 0, ServiceMissing("MSSQL$SQLEXPRESS"), 4},
    {"stop of a missing service", [](auto& w) { Present(w, kSimRunning); },
     [] { return SendServiceControl("MSSQL$SQLEXPRESS", 1); }, 0, ServiceMissing("MSSQL$SQLEXPRESS"), 4},
    {"stop of the empty name", [](auto& w) { Present(w, kSimRunning); }, [] { return SendServiceControl("", 1); }, 0,
     ServiceMissing(""), 4},
    {"stop without elevation",
     [](auto& w) {
       Present(w, kSimRunning);
       w.elevated = false;
     },
     [] { return SendServiceControl("MSSQLSERVER", 1); }, 0, ManagerDenied("MSSQLSERVER"), 4},
};

TEST(ServiceOperations, ResultsCallsAndHandles) {
  for (const OperationCase& c : kCases) {
    SCOPED_TRACE(c.what);
    SimulatedWindows windows;  // its end fails the case if a handle is left open
    c.setUp(windows);
    EXPECT_EQ(c.operation(), c.result);
    EXPECT_EQ(windows.serviceManager.calls, c.calls);
    EXPECT_EQ(windows.serviceManager.StateOf("MSSQLSERVER"), c.stateAfter);
  }
}

TEST(ServiceOperations, NameGoesToWindowsAsItsBytes) {
  SimulatedWindows windows;
  const std::string name = "Oracle监听";  // GBK bytes, not converted
  windows.serviceManager.AddService(name, kSimRunning);
  EXPECT_EQ(QueryServiceState(name), 4);
  EXPECT_EQ(windows.serviceManager.calls[1], "OpenServiceA(h1, \"" + name + "\", 0xF01FF) = h2");
}

TEST(ServiceOperations, EachCallOpensItsOwnHandles) {
  SimulatedWindows windows;
  windows.serviceManager.AddService("MSSQLSERVER", kSimRunning);
  QueryServiceState("MSSQLSERVER");
  QueryServiceState("MSSQLSERVER");
  EXPECT_EQ(windows.serviceManager.calls.size(), 10u);
  EXPECT_EQ(windows.serviceManager.calls[5], "OpenSCManagerA(NULL, NULL, 0xF003F) = h3");
}

}  // namespace
