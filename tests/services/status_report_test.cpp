#include "services/status_report.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "runtime/program_values.h"
#include "services/service_control.h"
#include "support/recording_ui.h"
#include "support/simulated_windows.h"

namespace {

const std::string kListener = "OracleOraDb11g_home1TNSListener";
const std::string kServices[4] = {"MSSQLSERVER", "MSSQL$SQLEXPRESS", kListener, "OracleServiceORCL"};

// The entries as the user has always seen them, for states 0 to 6.
const std::string kEntries[4][7] = {
    {"\r\nSQL——MSSQLSERVER-无服务\r\n\r\n", "\r\nSQL——MSSQLSERVER-已停止\r\n\r\n",
     "\r\nSQL——MSSQLSERVER-正在启动中，请稍后...\r\n\r\n", "\r\nSQL——MSSQLSERVER正在停止中，请稍后...\r\n\r\n",
     "\r\nSQL——MSSQLSERVER-已启动\r\n\r\n", "\r\nSQL——MSSQLSERVER-发送继续命令中\r\n\r\n",
     "\r\nSQL——MSSQLSERVER-发送暂停命令中\r\n\r\n"},
    {"SQL——MSSQL$SQLEXPRESS-无服务\r\n\r\n", "SQL——MSSQL$SQLEXPRESS-已停止\r\n\r\n",
     "SQL——MSSQL$SQLEXPRESS-正在启动中，请稍后...\r\n\r\n", "SQL——MSSQL$SQLEXPRESS-正在停止中，请稍后...\r\n\r\n",
     "SQL——MSSQL$SQLEXPRESS-已启动\r\n\r\n", "SQL——MSSQL$SQLEXPRESS-发送继续命令中\r\n\r\n",
     "SQL——MSSQL$SQLEXPRESS-发送暂停命令中\r\n\r\n"},
    {"Oracle——" + kListener + "-无服务\r\n\r\n", "Oracle——" + kListener + "-已停止\r\n\r\n",
     "Oracle——" + kListener + "-正在启动中，请稍后...\r\n\r\n",
     "Oracle——" + kListener + "-正在停止中，请稍后...\r\n\r\n", "Oracle——" + kListener + "-已启动\r\n\r\n",
     "Oracle——" + kListener + "-发送继续命令中\r\n\r\n", "Oracle——" + kListener + "-发送暂停命令中\r\n\r\n"},
    {"Oracle——OracleServiceORCL-无服务\r\n\r\n", "Oracle——OracleServiceORCL-已停止\r\n\r\n",
     "Oracle——OracleServiceORCL-正在启动中，请稍后...\r\n\r\n",
     "Oracle——OracleServiceORCL-正在停止中，请稍后...\r\n\r\n", "Oracle——OracleServiceORCL-已启动\r\n\r\n",
     "Oracle——OracleServiceORCL-发送继续命令中\r\n\r\n", "Oracle——OracleServiceORCL-发送暂停命令中\r\n\r\n"},
};

// Installs the four services in the given states; 0 leaves one out.
void InstallServices(SimulatedWindows& windows, const std::int32_t (&states)[4]) {
  for (int i = 0; i < 4; ++i)
    if (states[i] != 0) windows.serviceManager.AddService(kServices[i], states[i]);
}

std::string OnlyStatusText(const RecordingUi& ui) {
  EXPECT_EQ(ui.statusTexts.size(), 1u);
  return ui.statusTexts.empty() ? std::string() : ui.statusTexts.back();
}

TEST(StatusReport, EveryStateOfEveryEntry) {
  struct Shown {
    std::int32_t state;
    int entry;  // the state whose entry shows
  };
  // Paused, the values above it and those below 0 show as stopped.
  const Shown cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 1}, {8, 1}, {255, 1},
                         {INT_MAX, 1}, {-1, 1}, {INT_MIN, 1}};
  const std::int32_t others = kSimRunning;
  for (int service = 0; service < 4; ++service) {
    for (const Shown& c : cases) {
      SCOPED_TRACE(kServices[service] + " in state " + std::to_string(c.state));
      SimulatedWindows windows;
      RecordingUi ui;
      listenerServiceName = kListener;
      std::int32_t states[4] = {others, others, others, others};
      states[service] = c.state;
      InstallServices(windows, states);
      RefreshStatusReport();
      std::string expected;
      for (int i = 0; i < 4; ++i) expected += kEntries[i][i == service ? c.entry : others];
      EXPECT_EQ(OnlyStatusText(ui), expected);
    }
  }
}

TEST(StatusReport, ServicesThatCannotBeSeenShowNoService) {
  struct Case {
    const char* what;
    bool elevated;
    bool unreadable;
  };
  const Case cases[] = {{"missing", true, false}, {"status unreadable", true, true}, {"not elevated", false, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SimulatedWindows windows;
    RecordingUi ui;
    listenerServiceName = kListener;
    windows.elevated = c.elevated;
    if (c.elevated) {
      for (const std::string& name : kServices) {
        if (c.unreadable) windows.serviceManager.AddService(name, kSimRunning).statusUnreadable = true;
      }
    } else {
      InstallServices(windows, {kSimRunning, kSimRunning, kSimRunning, kSimRunning});
    }
    RefreshStatusReport();
    EXPECT_EQ(OnlyStatusText(ui), kEntries[0][0] + kEntries[1][0] + kEntries[2][0] + kEntries[3][0]);
  }
}

TEST(StatusReport, TypicalServerMix) {
  SimulatedWindows windows;
  RecordingUi ui;
  listenerServiceName = kListener;
  InstallServices(windows, {kSimRunning, 0, kSimRunning, kSimStopped});
  RefreshStatusReport();
  EXPECT_EQ(OnlyStatusText(ui),
            "\r\nSQL——MSSQLSERVER-已启动\r\n\r\nSQL——MSSQL$SQLEXPRESS-无服务\r\n\r\n"
            "Oracle——OracleOraDb11g_home1TNSListener-已启动\r\n\r\nOracle——OracleServiceORCL-已停止\r\n\r\n");
}

TEST(StatusReport, BeforeDiscoveryTheListenerEntryHasTheEmptyName) {
  SimulatedWindows windows;
  RecordingUi ui;
  InstallServices(windows, {kSimRunning, kSimRunning, kSimRunning, kSimRunning});
  RefreshStatusReport();
  EXPECT_EQ(OnlyStatusText(ui), kEntries[0][4] + kEntries[1][4] + "Oracle——-无服务\r\n\r\n" + kEntries[3][4]);
  EXPECT_EQ(windows.serviceManager.calls[11], "OpenServiceA(h5, \"\", 0xF01FF) = 0");
}

TEST(StatusReport, QueriesInOrderAndWritesOnEveryTick) {
  SimulatedWindows windows;
  RecordingUi ui;
  listenerServiceName = kListener;
  InstallServices(windows, {kSimRunning, kSimStopped, kSimRunning, kSimRunning});
  RefreshStatusReport();
  RefreshStatusReport();
  std::vector<std::string> opened;
  for (const std::string& call : windows.serviceManager.calls)
    if (call.rfind("OpenServiceA(", 0) == 0) opened.push_back(call.substr(call.find('"')));
  const std::vector<std::string> order = {"\"MSSQLSERVER\"", "\"MSSQL$SQLEXPRESS\"", "\"" + kListener + "\"",
                                          "\"OracleServiceORCL\""};
  std::vector<std::string> twice = order;
  twice.insert(twice.end(), order.begin(), order.end());
  for (std::string& name : twice) name += ", 0xF01FF) = h";
  ASSERT_EQ(opened.size(), 8u);
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(opened[i].rfind(twice[i], 0), 0u) << opened[i];
  EXPECT_EQ(windows.serviceManager.RequestsMade(), 0) << "the report only reads";
  ASSERT_EQ(ui.statusTexts.size(), 2u) << "unchanged states are written again";
  EXPECT_EQ(ui.statusTexts[0], ui.statusTexts[1]);
}

TEST(StatusReport, FollowsAServiceThroughItsStart) {
  SimulatedWindows windows;
  RecordingUi ui;
  listenerServiceName = kListener;
  InstallServices(windows, {kSimStopped, kSimStopped, kSimStopped, kSimStopped});
  windows.serviceManager.Service("OracleServiceORCL").pendingDelay = 150;
  ASSERT_EQ(StartServiceByName("OracleServiceORCL"), 1);
  for (int tick = 0; tick < 3; ++tick) {
    RefreshStatusReport();
    windows.serviceManager.AdvanceTime(100);
  }
  ASSERT_EQ(ui.statusTexts.size(), 3u);
  const std::string head = kEntries[0][1] + kEntries[1][1] + kEntries[2][1];
  EXPECT_EQ(ui.statusTexts[0], head + kEntries[3][2]);
  EXPECT_EQ(ui.statusTexts[1], head + kEntries[3][2]);
  EXPECT_EQ(ui.statusTexts[2], head + kEntries[3][4]);
}

}  // namespace
