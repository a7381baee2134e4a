#include "services/service_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/program_values.h"
#include "support/recording_ui.h"
#include "support/simulated_windows.h"

namespace {

const std::string kListener = "OracleOraDb11g_home1TNSListener";

struct Command {
  const char* button;
  void (*run)();
  std::string first;
  std::string second;
  bool starts;  // else stops
};

const Command kCommands[] = {
    {"按钮1", StartSqlServices, "MSSQLSERVER", "MSSQL$SQLEXPRESS", true},
    {"按钮3", StopSqlServices, "MSSQLSERVER", "MSSQL$SQLEXPRESS", false},
    {"按钮2", StartOracleServices, kListener, "OracleServiceORCL", true},
    {"按钮4", StopOracleServices, kListener, "OracleServiceORCL", false},
};

// The state in which the command's request changes the service.
std::int32_t Actionable(const Command& command) { return command.starts ? kSimStopped : kSimRunning; }
std::int32_t AlreadyThere(const Command& command) { return command.starts ? kSimRunning : kSimStopped; }

struct Scenario {
  const char* what;
  bool firstPresent;
  bool secondPresent;
  bool alreadyThere;  // the services are already in the state asked for
  bool elevated;
  bool restored;
};

const Scenario kScenarios[] = {
    {"both handed to Windows", true, true, false, true, true},
    {"both already there: still handed over", true, true, true, true, true},
    {"first missing: second still asked", false, true, false, true, false},
    {"second missing", true, false, false, true, false},
    {"not elevated", true, true, false, false, false},
};

TEST(ServiceCommands, EveryCommandInEveryScenario) {
  for (const Command& command : kCommands) {
    for (const Scenario& s : kScenarios) {
      SCOPED_TRACE(std::string(command.button) + ": " + s.what);
      SimulatedWindows windows;
      RecordingUi ui;
      listenerServiceName = kListener;
      windows.elevated = s.elevated;
      const std::int32_t before = s.alreadyThere ? AlreadyThere(command) : Actionable(command);
      if (s.firstPresent) windows.serviceManager.AddService(command.first, before);
      if (s.secondPresent) windows.serviceManager.AddService(command.second, before);

      command.run();

      const SimulatedServiceManager& manager = windows.serviceManager;
      EXPECT_EQ(manager.namesOpened, (std::vector<std::string>{command.first, command.second}));
      const std::string request = command.starts ? "start " : "control 1 ";
      std::vector<std::string> expected;
      if (s.elevated && s.firstPresent) expected.push_back(request + command.first);
      if (s.elevated && s.secondPresent) expected.push_back(request + command.second);
      EXPECT_EQ(manager.requests, expected);
      const std::int32_t after = s.alreadyThere || !s.elevated ? before
                                 : command.starts              ? kSimStartPending
                                                               : kSimStopPending;
      if (s.firstPresent) {
        EXPECT_EQ(windows.serviceManager.StateOf(command.first), after);
      }
      if (s.secondPresent) {
        EXPECT_EQ(windows.serviceManager.StateOf(command.second), after);
      }
      const std::vector<std::string> cursor =
          s.restored ? std::vector<std::string>{"wait cursor", "restore cursor"} : std::vector<std::string>{"wait cursor"};
      EXPECT_EQ(ui.events, cursor);
    }
  }
}

TEST(ServiceCommands, BeforeDiscoveryTheOracleCommandsStillReachTheDatabase) {
  const Command* oracle[] = {&kCommands[2], &kCommands[3]};
  for (const Command* command : oracle) {
    SCOPED_TRACE(command->button);
    SimulatedWindows windows;
    RecordingUi ui;
    windows.serviceManager.AddService("OracleServiceORCL", Actionable(*command));
    command->run();
    EXPECT_EQ(windows.serviceManager.namesOpened, (std::vector<std::string>{"", "OracleServiceORCL"}));
    EXPECT_EQ(windows.serviceManager.requests,
              std::vector<std::string>{(command->starts ? "start " : "control 1 ") + std::string("OracleServiceORCL")});
    EXPECT_EQ(ui.events, std::vector<std::string>{"wait cursor"});
  }
}

TEST(ServiceCommands, TheListenerNameIsReadAtTheClick) {
  SimulatedWindows windows;
  RecordingUi ui;
  windows.serviceManager.AddService("OracleServiceORCL", kSimStopped);
  windows.serviceManager.AddService(kListener, kSimStopped);
  StartOracleServices();
  listenerServiceName = kListener;
  StartOracleServices();
  EXPECT_EQ(windows.serviceManager.requests,
            (std::vector<std::string>{"start OracleServiceORCL", "start " + kListener, "start OracleServiceORCL"}));
  EXPECT_EQ(ui.events, (std::vector<std::string>{"wait cursor", "wait cursor", "restore cursor"}));
}

}  // namespace
