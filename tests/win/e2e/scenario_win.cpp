#include "scenario_win.h"

#include <winsock2.h>

#include <algorithm>

namespace e2e {

const char kListenerName[] = "OracleOraDb11g_home1TNSListener";
const char kHostName[] = "NEWPC";

namespace {

constexpr DWORD kServiceTimeoutMs = 60000;
const char kRunRoot[] = "C:\\Korvane-e2e";

const demo::Programs& Programs() {
  static const demo::Programs programs{demo::WindowsPath(KORVANE_TEST_SERVICE),
                                       demo::WindowsPath(KORVANE_E2E_LISTENER),
                                       demo::WindowsPath(KORVANE_E2E_PAUSABLE)};
  return programs;
}

bool pausableInUse = false;

std::string HostName() {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return std::string();
  char name[256] = {0};
  const bool got = gethostname(name, sizeof name) == 0;
  WSACleanup();
  return got ? name : "";
}

// The demo machine, installed once before the first scenario.
class DemoMachine : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(HostName(), kHostName) << "run the scenarios with KORVANE_HOSTNAME=NEWPC (tests/win/e2e.cmake)";
    std::string error;
    ASSERT_TRUE(demo::InstallServices(Programs(), demo::kDemoDelays, &error)) << error;
  }
  void TearDown() override {
    for (const char* name : demo::kServiceNames) demo::RemoveService(name);
  }
};

const ::testing::Environment* const demoMachine = ::testing::AddGlobalTestEnvironment(new DemoMachine);

}  // namespace

ExpectedBox QuestionBox() { return {"询问？", "是否要更改监听配置并重启服务？", true, {IDOK, IDCANCEL}}; }

ExpectedBox BackupDoneBox(const std::string& runFolder) {
  return {"提示", "旧文件备份成功 地址：【" + runFolder + "\\Oracle配置备份】目录下", false, {IDOK}};
}

ExpectedBox BackupFailedBox() { return {"提示", "旧文件备份失败", false, {IDOK}}; }

ExpectedBox CreateFailedBox() { return {"信息：", "创建文件失败!", false, {IDOK}}; }

ExpectedBox WarningBox() {
  return {"警告", "在服务完全启动之前请勿关闭本程序，否则您将手动启动服务。", true, {IDOK}};
}

ExpectedBox WriteFailedBox(const std::string& path) {
  return {"监听修改失败", "监听修改失败，系统拒绝操作，请手动修改，路径为\r\n" + path, true, {IDOK}};
}

void Scenario::SetUp() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  runFolder_ = std::string(kRunRoot) + "\\" + test->test_suite_name() + "-" + test->name();

  std::string error;
  if (demo::StateOf(demo::kServiceNames[demo::kListener]) == 0) {
    ASSERT_TRUE(demo::InstallService(demo::kListener, demo::kDemoDelays[demo::kListener], &error)) << error;
  }
  if (pausableInUse) {
    ASSERT_TRUE(demo::StopAndWait(demo::kServiceNames[demo::kSqlServer], kServiceTimeoutMs));
    ASSERT_TRUE(demo::UsePausableProgram(demo::kSqlServer, false, demo::kDemoDelays[demo::kSqlServer], &error))
        << error;
    pausableInUse = false;
  }
  BringServicesTo(InitialServices());
  if (HasFatalFailure()) return;
  demo::ClearLogs();

  listenerOra_ = Fixture(ListenerFixture());
  tnsnamesOra_ = Fixture(TnsnamesFixture());
  demo::RemoveTree(std::string(demo::kOracleHome) + "\\NETWORK");
  ASSERT_TRUE(demo::WriteConfig(listenerOra_, tnsnamesOra_));

  demo::RemoveTree(runFolder_);
  ASSERT_TRUE(demo::MakeFolders(runFolder_));
  ASSERT_TRUE(CopyFileA(demo::WindowsPath(KORVANE_EXE_PATH).c_str(), (runFolder_ + "\\korvane.exe").c_str(), FALSE))
      << KORVANE_EXE_PATH;
}

void Scenario::TearDown() { tool_.reset(); }

ToolRun& Scenario::StartTool(const std::string& listenerName) {
  tool_.reset(new ToolRun(runFolder_ + "\\korvane.exe", listenerName));
  [&] {
    ASSERT_TRUE(tool_->Started());
    std::string problem;
    ASSERT_TRUE(tool_->OpenMainWindow(&problem)) << problem;
  }();
  return *tool_;
}

void Scenario::Answer(const gui::MessageBoxView& box, int buttonId) {
  ASSERT_NE(box.box, nullptr) << "no message box to answer";
  ASSERT_TRUE(tool_->Answer(box, buttonId)) << "box \"" << Shown(box.text) << "\" does not take button " << buttonId;
}

gui::MessageBoxView Scenario::ExpectBox(const ExpectedBox& expected) {
  const gui::MessageBoxView box = tool_->WaitForBox();
  const std::string differences = DifferencesFrom(box, expected);
  EXPECT_TRUE(differences.empty()) << differences;
  return box;
}

void Scenario::ExpectBoxAndAnswerOk(const ExpectedBox& expected) {
  const gui::MessageBoxView box = ExpectBox(expected);
  Answer(box, IDOK);
}

void Scenario::ExpectNoMoreBoxes(DWORD waitMs) {
  const gui::MessageBoxView box = tool_->WaitForBox(waitMs);
  EXPECT_EQ(box.box, nullptr) << "unexpected message box \"" << Shown(box.text) << "\"";
}

std::string Scenario::BackupFolder() const { return runFolder_ + "\\Oracle配置备份"; }

std::vector<std::string> Scenario::FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(search, &found) != FALSE);
  FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::string Scenario::Fixture(const std::string& name) {
  bool ok = false;
  const std::string bytes = demo::ReadBytes(demo::WindowsPath(KORVANE_FIXTURES) + "\\" + name, &ok);
  EXPECT_TRUE(ok) << "fixture " << name;
  return bytes;
}

void Scenario::BringServicesTo(const std::array<bool, 4>& running) {
  // Stops first: they take the longest, and run side by side.
  for (int which = 0; which < 4; ++which) {
    const char* name = demo::kServiceNames[which];
    if (!running[which] && demo::StateOf(name) != SERVICE_STOPPED &&
        demo::StateOf(name) != SERVICE_STOP_PENDING)
      demo::StopAndWait(name, 0);
  }
  for (int which = 0; which < 4; ++which) {
    const char* name = demo::kServiceNames[which];
    if (running[which]) {
      ASSERT_TRUE(demo::StartAndWait(name, kServiceTimeoutMs)) << name << " does not start";
    } else {
      ASSERT_TRUE(demo::StopAndWait(name, kServiceTimeoutMs)) << name << " does not stop";
    }
  }
}

::testing::AssertionResult ReachesState(int which, DWORD state) {
  if (demo::WaitForState(demo::kServiceNames[which], state, kServiceTimeoutMs))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << demo::kServiceNames[which] << " stays in state "
                                       << demo::StateOf(demo::kServiceNames[which]) << ", not " << state;
}

std::vector<int> AsPath(const std::vector<DWORD>& seen) { return std::vector<int>(seen.begin(), seen.end()); }

void UsePausableSqlServer() {
  std::string error;
  pausableInUse = true;
  ASSERT_TRUE(demo::StopAndWait(demo::kServiceNames[demo::kSqlServer], kServiceTimeoutMs));
  ASSERT_TRUE(demo::UsePausableProgram(demo::kSqlServer, true, demo::kDemoDelays[demo::kSqlServer], &error)) << error;
}

}  // namespace e2e
