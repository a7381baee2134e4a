// The simulated manager stands in for Windows in every service test, so its
// requests and pending states must behave as Windows' do.
#include <gtest/gtest.h>

#include <string>

#include "services/service_control.h"
#include "support/simulated_windows.h"

namespace {

struct Transition {
  const char* what;
  std::int32_t before;
  std::int32_t control;  // 0: a start request
  std::int32_t pending;  // state right after the request
  std::int32_t after;    // once the delay has passed
  bool reached;          // Windows took the request
};

TEST(SimulatedServiceManager, RequestsMoveServicesThroughPendingStates) {
  const Transition cases[] = {
      {"start", kSimStopped, 0, kSimStartPending, kSimRunning, true},
      {"start while running", kSimRunning, 0, kSimRunning, kSimRunning, false},
      {"start while stopping", kSimStopPending, 0, kSimStopPending, kSimStopped, false},
      {"stop", kSimRunning, 1, kSimStopPending, kSimStopped, true},
      {"stop while paused", kSimPaused, 1, kSimStopPending, kSimStopped, true},
      {"stop while stopped", kSimStopped, 1, kSimStopped, kSimStopped, false},
      {"stop while starting", kSimStartPending, 1, kSimStartPending, kSimRunning, false},
      {"pause", kSimRunning, 2, kSimPausePending, kSimPaused, true},
      {"continue", kSimPaused, 3, kSimContinuePending, kSimRunning, true},
      {"shutdown is not for programs", kSimRunning, 5, kSimRunning, kSimRunning, false},
  };
  for (const Transition& c : cases) {
    SCOPED_TRACE(c.what);
    SimulatedWindows windows;
    SimulatedService& service = windows.serviceManager.AddService("MSSQLSERVER", c.before);
    service.pendingDelay = 250;
    if (c.control == 0) {
      StartServiceByName("MSSQLSERVER");
    } else {
      SendServiceControl("MSSQLSERVER", c.control);
    }
    EXPECT_EQ(QueryServiceState("MSSQLSERVER"), c.pending);
    windows.serviceManager.AdvanceTime(200);
    EXPECT_EQ(QueryServiceState("MSSQLSERVER"), c.pending) << "before the delay";
    windows.serviceManager.AdvanceTime(100);
    EXPECT_EQ(QueryServiceState("MSSQLSERVER"), c.after);
    EXPECT_EQ(windows.serviceManager.RequestsMade(), c.reached ? 1 : 0);
  }
}

TEST(SimulatedServiceManager, AServiceThatRefusesToStopKeepsRunning) {
  SimulatedWindows windows;
  windows.serviceManager.AddService("OracleServiceORCL", kSimRunning).refusesStop = true;
  EXPECT_EQ(SendServiceControl("OracleServiceORCL", 1), 1);
  windows.serviceManager.AdvanceTime(10000);
  EXPECT_EQ(QueryServiceState("OracleServiceORCL"), kSimRunning);
  EXPECT_EQ(windows.serviceManager.calls[2], "ControlService(h2, 1) = 0");
}

TEST(SimulatedServiceManager, NamesIgnoreLetterCase) {
  SimulatedWindows windows;
  windows.serviceManager.AddService("MSSQL$SQLEXPRESS", kSimRunning);
  EXPECT_EQ(QueryServiceState("mssql$sqlexpress"), kSimRunning);
}

}  // namespace
