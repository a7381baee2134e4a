// The service operations, the status report and the deferred start against
// Wine's real service manager, with the test service program installed
// under the four names the tool watches.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform_win.h"
#include "runtime/function_binding.h"
#include "runtime/program_values.h"
#include "services/deferred_database_start.h"
#include "services/service_control.h"
#include "services/status_report.h"
#include "support/recording_ui.h"

namespace {

const char* const kSqlServer = "MSSQLSERVER";
const char* const kSqlExpress = "MSSQL$SQLEXPRESS";
const char* const kListener = "OracleOraDb11g_home1TNSListener";
const char* const kDatabase = "OracleServiceORCL";
const char* const kAll[] = {kSqlServer, kSqlExpress, kListener, kDatabase};

const std::string kFolder = "C:\\korvane-test";
// Where an Oracle home keeps its listener program.
const std::string kOracleBin = kFolder + "\\oracle\\BIN";

std::string LogPath(const std::string& name) { return kFolder + "\\" + name + ".log"; }

// The build passes the service program's path as the build machine sees it;
// Wine shows the host's root as drive Z:.
std::string ServiceProgram() {
  std::string path = KORVANE_TEST_SERVICE;
  if (!path.empty() && path[0] == '/') {
    for (char& c : path)
      if (c == '/') c = '\\';
    path = "Z:" + path;
  }
  return path;
}

SC_HANDLE OpenManager() { return OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS); }

DWORD RawState(SC_HANDLE service) {
  SERVICE_STATUS status{};
  return QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
}

// Stops (if it runs) and deletes a service left by an earlier run.
void Remove(SC_HANDLE manager, const char* name) {
  SC_HANDLE service = OpenServiceA(manager, name, SERVICE_ALL_ACCESS);
  if (service == nullptr) return;
  SERVICE_STATUS status{};
  ControlService(service, SERVICE_CONTROL_STOP, &status);
  for (int i = 0; i < 300 && RawState(service) != SERVICE_STOPPED; ++i) Sleep(50);
  DeleteService(service);
  CloseServiceHandle(service);
}

void Install(SC_HANDLE manager, const char* name, const std::string& imagePath) {
  Remove(manager, name);
  SC_HANDLE service = CreateServiceA(manager, name, name, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                     SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, imagePath.c_str(), nullptr,
                                     nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(service, nullptr) << "CreateServiceA(" << name << ") failed: " << GetLastError();
  CloseServiceHandle(service);
}

std::string CommandLine(const std::string& program, int startMs, int stopMs, const std::string& name) {
  return program + " " + std::to_string(startMs) + " " + std::to_string(stopMs) + " \"" + LogPath(name) + "\"";
}

// The states a service passes through until it reaches `final`, each
// distinct state once, in order.
std::vector<ServiceState> WatchUntil(const char* name, ServiceState final, DWORD timeoutMs = 30000) {
  std::vector<ServiceState> seen;
  const DWORD begin = GetTickCount();
  while (GetTickCount() - begin < timeoutMs) {
    const ServiceState state = QueryServiceState(name);
    if (seen.empty() || seen.back() != state) seen.push_back(state);
    if (state == final) break;
    Sleep(20);
  }
  return seen;
}

std::string ReadLog(const std::string& name) {
  std::ifstream in(LogPath(name));
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

class ServicesWin : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    CreateDirectoryA(kFolder.c_str(), nullptr);
    CreateDirectoryA((kFolder + "\\oracle").c_str(), nullptr);
    CreateDirectoryA(kOracleBin.c_str(), nullptr);
    const std::string program = ServiceProgram();
    // An Oracle listener's image path names its program without ".exe".
    ASSERT_TRUE(CopyFileA(program.c_str(), (kOracleBin + "\\TNSLSNR.exe").c_str(), FALSE)) << program;
    SC_HANDLE manager = OpenManager();
    ASSERT_NE(manager, nullptr);
    const std::string quoted = "\"" + program + "\"";
    Install(manager, kSqlServer, CommandLine(quoted, 1000, 1000, kSqlServer));
    Install(manager, kSqlExpress, CommandLine(quoted, 0, 0, kSqlExpress));
    Install(manager, kListener, CommandLine(kOracleBin + "\\TNSLSNR", 200, 200, kListener));
    Install(manager, kDatabase, CommandLine(quoted, 200, 4000, kDatabase));
    CloseServiceHandle(manager);
  }

  static void TearDownTestSuite() {
    SC_HANDLE manager = OpenManager();
    for (const char* name : kAll) Remove(manager, name);
    CloseServiceHandle(manager);
    for (const char* name : kAll) DeleteFileA(LogPath(name).c_str());
  }

  void SetUp() override {
    InstallPlatform(&platform_);
    for (const char* name : kAll) DeleteFileA(LogPath(name).c_str());
  }

  void TearDown() override {
    // Every test leaves the four services stopped.
    for (const char* name : kAll) {
      if (QueryServiceState(name) == kServiceStartPending) WatchUntil(name, kServiceRunning);
      if (QueryServiceState(name) == kServiceRunning) SendServiceControl(name, kServiceControlStop);
      EXPECT_EQ(WatchUntil(name, kServiceStopped).back(), kServiceStopped) << name;
    }
    listenerServiceName.clear();
    databaseStartOwed = false;
    listenerStartOwed = false;
    ReleaseBoundLibraries();
    InstallPlatform(nullptr);
  }

  Win32Platform platform_;
};

TEST_F(ServicesWin, ReadsEveryStateOfAStartAndAStop) {
  ASSERT_EQ(QueryServiceState(kSqlServer), kServiceStopped);
  EXPECT_EQ(StartServiceByName(kSqlServer), 1);
  EXPECT_EQ(WatchUntil(kSqlServer, kServiceRunning), (std::vector<ServiceState>{2, 4}));
  EXPECT_EQ(StartServiceByName(kSqlServer), 1) << "handed to Windows, though it runs already";
  EXPECT_EQ(QueryServiceState(kSqlServer), kServiceRunning);
  EXPECT_EQ(SendServiceControl(kSqlServer, 1), 1);
  EXPECT_EQ(WatchUntil(kSqlServer, kServiceStopped), (std::vector<ServiceState>{3, 1}));
  EXPECT_EQ(SendServiceControl(kSqlServer, 1), 1) << "handed to Windows, though it is stopped";
  EXPECT_EQ(QueryServiceState(kSqlServer), kServiceStopped);
}

TEST_F(ServicesWin, MissingServiceAndEmptyNameGiveZero) {
  for (const char* name : {"KorvaneNoSuchService", ""}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(QueryServiceState(name), 0);
    EXPECT_EQ(StartServiceByName(name), 0);
    EXPECT_EQ(SendServiceControl(name, 1), 0);
  }
}

TEST_F(ServicesWin, RefusedControlCodesReachNothing) {
  ASSERT_EQ(StartServiceByName(kSqlExpress), 1);
  ASSERT_EQ(WatchUntil(kSqlExpress, kServiceRunning).back(), kServiceRunning);
  for (std::int32_t control : {4, 0, 6, 128}) EXPECT_EQ(SendServiceControl(kSqlExpress, control), 0) << control;
  EXPECT_EQ(QueryServiceState(kSqlExpress), kServiceRunning);
  EXPECT_EQ(ReadLog(kSqlExpress), "");
  // The log does see what is sent.
  EXPECT_EQ(SendServiceControl(kSqlExpress, 1), 1);
  EXPECT_EQ(WatchUntil(kSqlExpress, kServiceStopped).back(), kServiceStopped);
  EXPECT_EQ(ReadLog(kSqlExpress), "control 1\n");
}

TEST_F(ServicesWin, StatusTextOfARealMix) {
  listenerServiceName = kListener;
  for (const char* name : {kSqlServer, kListener, kDatabase}) {
    ASSERT_EQ(StartServiceByName(name), 1) << name;
    ASSERT_EQ(WatchUntil(name, kServiceRunning).back(), kServiceRunning) << name;
  }
  ASSERT_EQ(SendServiceControl(kDatabase, 1), 1);  // stops slowly: 4 s
  RecordingUi ui;
  RefreshStatusReport();
  ASSERT_EQ(ui.statusTexts.size(), 1u);
  EXPECT_EQ(ui.statusTexts[0],
            "\r\nSQL——MSSQLSERVER-已启动\r\n\r\n"
            "SQL——MSSQL$SQLEXPRESS-已停止\r\n\r\n"
            "Oracle——OracleOraDb11g_home1TNSListener-已启动\r\n\r\n"
            "Oracle——OracleServiceORCL-正在停止中，请稍后...\r\n\r\n");
}

TEST_F(ServicesWin, DeferredStartBringsTheDatabaseBackOnceStopped) {
  ASSERT_EQ(StartServiceByName(kDatabase), 1);
  ASSERT_EQ(WatchUntil(kDatabase, kServiceRunning).back(), kServiceRunning);
  ASSERT_EQ(SendServiceControl(kDatabase, 1), 1);
  RecordingUi ui;
  ArmDeferredStart(false);
  int ticks = 0;
  for (const DWORD begin = GetTickCount(); ui.clock2.running && GetTickCount() - begin < 30000; ++ticks) {
    Sleep(100);
    StartDatabaseWhenStopped();
  }
  EXPECT_FALSE(ui.clock2.running);
  EXPECT_GT(ticks, 10) << "the poll waited for the 4 s stop";
  const std::vector<ServiceState> after = WatchUntil(kDatabase, kServiceRunning);
  EXPECT_EQ(after.back(), kServiceRunning);
  EXPECT_EQ(after.front(), kServiceStartPending);
}

}  // namespace
