#include "services/deferred_database_start.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "runtime/program_values.h"
#include "services/service_control.h"
#include "support/recording_ui.h"
#include "support/simulated_windows.h"

namespace {

const std::string kListener = "OracleOraDb11g_home1TNSListener";
const std::string kDatabase = "OracleServiceORCL";
const std::string kStartListener = "start " + kListener;
const std::string kStartDatabase = "start " + kDatabase;

using Strings = std::vector<std::string>;

// The tool's window reduced to what the poll sees: 100 ms pass, then the
// tick comes if 时钟2 runs. Returns how many ticks ran.
int RunPeriods(SimulatedWindows& windows, RecordingUi& ui, int periods) {
  int ticks = 0;
  for (int i = 0; i < periods; ++i) {
    windows.serviceManager.AdvanceTime(100);
    if (!ui.clock2.running) continue;
    ++ticks;
    StartDatabaseWhenStopped();
  }
  return ticks;
}

bool Armed(const RecordingUi& ui) { return ui.clock2.running && ui.clock2.period == 100; }

class Poll : public ::testing::Test {
 protected:
  Poll() { listenerServiceName = kListener; }

  void Add(const std::string& name, std::int32_t state, int pendingDelay = 300) {
    windows.serviceManager.AddService(name, state).pendingDelay = pendingDelay;
  }
  int Run(int periods) { return RunPeriods(windows, ui, periods); }

  SimulatedWindows windows;
  RecordingUi ui;
};

TEST_F(Poll, ArmingSetsTheOwedStartsAndThePeriod) {
  ArmDeferredStart(true);
  EXPECT_TRUE(databaseStartOwed);
  EXPECT_TRUE(listenerStartOwed);
  EXPECT_EQ(ui.events, Strings{"timer2 100"});
  EXPECT_TRUE(Armed(ui));
  EXPECT_TRUE(windows.serviceManager.calls.empty()) << "arming asks Windows nothing";
}

TEST_F(Poll, AlreadyStoppedDatabaseStartsOnTheFirstTickAndThePollEnds) {
  Add(kDatabase, kSimStopped);
  ArmDeferredStart(false);
  EXPECT_EQ(Run(10), 1);
  EXPECT_EQ(windows.serviceManager.requests, Strings{kStartDatabase});
  EXPECT_EQ(ui.events, (Strings{"timer2 100", "timer2 0"}));
  EXPECT_FALSE(databaseStartOwed);
  EXPECT_EQ(windows.serviceManager.StateOf(kDatabase), kSimRunning);
}

TEST_F(Poll, WaitsWhileTheDatabaseIsStopping) {
  Add(kDatabase, kSimStopPending, 450);
  ArmDeferredStart(false);
  EXPECT_EQ(Run(4), 4);
  EXPECT_TRUE(windows.serviceManager.requests.empty());
  EXPECT_EQ(windows.CallsStartingWith("QueryServiceStatus").size(), 4u);
  EXPECT_TRUE(Armed(ui));
  EXPECT_EQ(Run(1), 1);  // 500 ms: stopped
  EXPECT_EQ(windows.serviceManager.requests, Strings{kStartDatabase});
  EXPECT_FALSE(ui.clock2.running);
}

TEST(DeferredStart, ADatabaseThatNeverStopsIsWaitedForWithoutEnd) {
  struct Case {
    const char* what;
    bool present;
    std::int32_t state;
    bool unreadable;
  };
  const Case cases[] = {
      {"stop refused, still running", true, kSimRunning, false},
      {"paused", true, kSimPaused, false},
      {"stuck stopping", true, kSimStopPending, false},
      {"stopped, but its status cannot be read", true, kSimStopped, true},
      {"no such service", false, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimulatedWindows windows;
    RecordingUi ui;
    if (c.present) {
      SimulatedService& service = windows.serviceManager.AddService(kDatabase, c.state);
      service.pendingDelay = kSimForever;
      service.statusUnreadable = c.unreadable;
    }
    ArmDeferredStart(false);
    EXPECT_EQ(RunPeriods(windows, ui, 50), 50);
    EXPECT_TRUE(windows.serviceManager.requests.empty());
    EXPECT_EQ(ui.events, Strings{"timer2 100"});
  }
}

TEST_F(Poll, AfterItsStartThePollStaysOffUntilArmedAgain) {
  Add(kDatabase, kSimStopped, 200);
  ArmDeferredStart(false);
  Run(3);
  ASSERT_EQ(windows.serviceManager.StateOf(kDatabase), kSimRunning);
  ASSERT_EQ(SendServiceControl(kDatabase, 1), 1);
  EXPECT_EQ(Run(20), 0) << "no tick while the period is 0";
  EXPECT_EQ(windows.serviceManager.StateOf(kDatabase), kSimStopped);
  ArmDeferredStart(false);
  EXPECT_EQ(Run(20), 1);
  EXPECT_EQ(windows.serviceManager.requests, (Strings{kStartDatabase, "control 1 " + kDatabase, kStartDatabase}));
}

TEST_F(Poll, ATickWithNothingOwedOnlySwitchesThePollOff) {
  Add(kDatabase, kSimStopped);
  Add(kListener, kSimStopped);
  ui.SetTimerPeriod(TimerId::Clock2, 100);
  EXPECT_EQ(Run(5), 1);
  EXPECT_FALSE(ui.clock2.running);
  EXPECT_TRUE(windows.serviceManager.calls.empty());
}

TEST_F(Poll, AListenerNotOwedIsNotLookedAt) {
  Add(kListener, kSimStopped);
  Add(kDatabase, kSimStopped);
  ArmDeferredStart(false);
  Run(3);
  EXPECT_EQ(windows.serviceManager.namesOpened, (Strings{kDatabase, kDatabase}));  // its query, its start
  EXPECT_EQ(windows.serviceManager.requests, Strings{kStartDatabase});
}

// The repair found its listener still stopping, so the listener's start is
// owed as well as the database's.
TEST(DeferredStart, AnOwedListenerStartsOnceStoppedAndThePollWaitsForBoth) {
  struct Case {
    const char* what;
    int listenerStops;  // ms until each reports stopped
    int databaseStops;
    Strings requests;
    int offAtTick;  // 0: still polling after 30 ticks
  };
  const Case cases[] = {
      {"listener first", 250, 450, {kStartListener, kStartDatabase}, 5},
      {"database first", 450, 250, {kStartDatabase, kStartListener}, 5},
      {"same tick", 250, 250, {kStartDatabase, kStartListener}, 3},
      {"listener stuck stopping", kSimForever, 150, {kStartDatabase}, 0},
      {"database stuck stopping", 150, kSimForever, {kStartListener}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimulatedWindows windows;
    RecordingUi ui;
    listenerServiceName = kListener;
    windows.serviceManager.AddService(kListener, kSimStopPending).pendingDelay = c.listenerStops;
    windows.serviceManager.AddService(kDatabase, kSimStopPending).pendingDelay = c.databaseStops;
    ArmDeferredStart(true);
    int offAt = 0;
    for (int tick = 1; tick <= 30 && offAt == 0; ++tick)
      if (RunPeriods(windows, ui, 1) == 1 && !ui.clock2.running) offAt = tick;
    EXPECT_EQ(offAt, c.offAtTick);
    EXPECT_EQ(windows.serviceManager.requests, c.requests);
    EXPECT_EQ(databaseStartOwed, c.databaseStops == kSimForever);
    EXPECT_EQ(listenerStartOwed, c.listenerStops == kSimForever);
    // Once started (tick 2), a service is not looked at again: one query
    // on tick 1, a query and the start on tick 2.
    const Strings& opened = windows.serviceManager.namesOpened;
    const auto opens = [&](const std::string& name) { return std::count(opened.begin(), opened.end(), name); };
    if (c.listenerStops == kSimForever) {
      EXPECT_EQ(opens(kDatabase), 3);
    }
    if (c.databaseStops == kSimForever) {
      EXPECT_EQ(opens(kListener), 3);
    }
  }
}

TEST_F(Poll, ArmingAgainWithoutTheListenerDropsItsOwedStart) {
  Add(kListener, kSimStopPending, kSimForever);
  Add(kDatabase, kSimStopPending, kSimForever);
  ArmDeferredStart(true);
  Run(2);
  ArmDeferredStart(false);  // a later repair found the listener stopped and started it itself
  EXPECT_FALSE(listenerStartOwed);
  EXPECT_TRUE(databaseStartOwed);
  EXPECT_EQ(ui.events, (Strings{"timer2 100", "timer2 100"}));
  EXPECT_TRUE(Armed(ui));
}

}  // namespace
