// The listener repair when something stands in its way: a backup folder
// that cannot be made, a listener.ora that another program holds open, no
// listener at all. What the administrator is told, and that nothing is
// lost or half done.
#include <gtest/gtest.h>

#include "scenario_win.h"

namespace e2e {
namespace {

const char kRepairButton[] = "修复监听 启动Oracle服务";
const std::string kNetworkAdmin = std::string(demo::kOracleHome) + "\\NETWORK\\ADMIN";
const std::vector<std::string> kConfigFiles = {"listener.ora", "tnsnames.ora"};

std::string Live(const char* path) { return demo::ReadBytes(path); }

class BlockedBackup : public Scenario {};

TEST_F(BlockedBackup, APlainFileWhereTheFolderWouldBeIsReportedAndTheRepairGoesOn) {
  const std::string squatter = "not a folder\r\n";
  ASSERT_TRUE(demo::WriteBytes(BackupFolder(), squatter));
  ToolRun& tool = StartTool();
  if (HasFatalFailure()) return;
  ServiceWatch watch;
  ASSERT_TRUE(tool.Click(kRepairButton));
  ExpectBoxAndAnswerOk(QuestionBox());
  // Once: the second backup file is not tried.
  ExpectBoxAndAnswerOk(CreateFailedBox());
  ExpectBoxAndAnswerOk(BackupFailedBox());
  ExpectBoxAndAnswerOk(WarningBox());
  if (HasFatalFailure()) return;
  const StatusTrail trail = AwaitRestart(tool, {demo::kListener, demo::kDatabase});
  ASSERT_TRUE(trail.reached) << "the box shows " << Shown(tool.Status());
  ExpectNoMoreBoxes();

  EXPECT_EQ(Live(demo::kListenerOraPath), Fixture("listener_typical.newpc.ora"));
  EXPECT_EQ(Live(demo::kTnsnamesOraPath), Fixture("tnsnames_aliases.newpc.ora"));
  EXPECT_EQ(FilesIn(kNetworkAdmin), kConfigFiles);
  EXPECT_FALSE(demo::IsFolder(BackupFolder()));
  EXPECT_EQ(demo::ReadBytes(BackupFolder()), squatter) << "the file in the way is left as it was";
  EXPECT_EQ(FilesIn(RunFolder()), (std::vector<std::string>{"Oracle配置备份", "korvane.exe"}));
  EXPECT_TRUE(IsOneRestart(AsPath(watch.Seen(demo::kDatabase))));
  EXPECT_TRUE(IsOneRestart(AsPath(watch.Seen(demo::kListener))));
}

// Another program holds listener.ora open, sharing nothing, from the moment
// the repair has read it. The database is stopped when the repair begins,
// so that its start request shows.
class LockedListenerOra : public Scenario {
 protected:
  std::array<bool, 4> InitialServices() const override { return {true, true, true, false}; }
  void TearDown() override {
    if (holder_ != INVALID_HANDLE_VALUE) CloseHandle(holder_);
    Scenario::TearDown();
  }
  HANDLE holder_ = INVALID_HANDLE_VALUE;
};

TEST_F(LockedListenerOra, StaysIntactAndTheFailureNamesItsPath) {
  ToolRun& tool = StartTool();
  if (HasFatalFailure()) return;
  ServiceWatch watch;
  ASSERT_TRUE(tool.Click(kRepairButton));
  ExpectBoxAndAnswerOk(QuestionBox());
  const gui::MessageBoxView backupDone = ExpectBox(BackupDoneBox(RunFolder()));
  holder_ = CreateFileA(demo::kListenerOraPath, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(holder_, INVALID_HANDLE_VALUE) << GetLastError();
  Answer(backupDone, IDOK);
  ExpectBoxAndAnswerOk(CreateFailedBox());
  const gui::MessageBoxView failure = ExpectBox(WriteFailedBox(demo::kListenerOraPath));
  // Requested before the failure is shown.
  EXPECT_TRUE(ReachesState(demo::kDatabase, SERVICE_RUNNING)) << "the database start was requested";
  Answer(failure, IDOK);
  ExpectNoMoreBoxes();

  CloseHandle(holder_);
  holder_ = INVALID_HANDLE_VALUE;
  EXPECT_EQ(Live(demo::kListenerOraPath), listenerOra_) << "the original is intact";
  EXPECT_EQ(Live(demo::kTnsnamesOraPath), tnsnamesOra_) << "not written after listener.ora failed";
  EXPECT_EQ(FilesIn(kNetworkAdmin), kConfigFiles) << "no temporary file left";
  EXPECT_EQ(demo::ReadBytes(BackupFolder() + "\\listener.ora"), listenerOra_);
  EXPECT_EQ(demo::ReadBytes(BackupFolder() + "\\tnsnames.ora"), tnsnamesOra_);
  EXPECT_EQ(AsPath(watch.Seen(demo::kListener)), std::vector<int>{SERVICE_RUNNING}) << "the listener is not touched";
  EXPECT_EQ(demo::LogOf(kListenerName), "");
  EXPECT_EQ(AsPath(watch.Seen(demo::kDatabase)),
            (std::vector<int>{SERVICE_STOPPED, SERVICE_START_PENDING, SERVICE_RUNNING}));
}

// No listener service is installed: discovery finds none.
class NoListener : public Scenario {
 protected:
  std::array<bool, 4> InitialServices() const override { return {true, true, false, true}; }
  void SetUp() override {
    Scenario::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(demo::RemoveService(kListenerName));
  }
};

TEST_F(NoListener, TheRepairSaysSoAndTouchesNothing) {
  // Discovery keeps the name of its last candidate.
  ToolRun& tool = StartTool("OracleOraDb12c_home2TNSListener");
  if (HasFatalFailure()) return;
  States shown{};
  ASSERT_TRUE(gui::WaitFor([&] { return tool.ShownStates(&shown) && shown == States{4, 4, 0, 4}; }, kBoxTimeoutMs))
      << Shown(tool.Status());
  ServiceWatch watch;
  ASSERT_TRUE(tool.Click(kRepairButton));
  ExpectBoxAndAnswerOk(QuestionBox());
  ExpectBoxAndAnswerOk({"监听修改失败", "未找到Oracle监听服务，无法确定listener.ora和tnsnames.ora的位置，未做任何修改。",
                        true, {IDOK}});
  ExpectNoMoreBoxes(3000);

  EXPECT_EQ(FilesIn(RunFolder()), std::vector<std::string>{"korvane.exe"}) << "no backup folder";
  EXPECT_EQ(Live(demo::kListenerOraPath), listenerOra_);
  EXPECT_EQ(Live(demo::kTnsnamesOraPath), tnsnamesOra_);
  EXPECT_EQ(FilesIn(kNetworkAdmin), kConfigFiles);
  for (int which : {demo::kSqlServer, demo::kSqlExpress, demo::kDatabase}) {
    SCOPED_TRACE(demo::kServiceNames[which]);
    EXPECT_EQ(AsPath(watch.Seen(which)), std::vector<int>{SERVICE_RUNNING});
    EXPECT_EQ(demo::LogOf(demo::kServiceNames[which]), "");
  }
}

}  // namespace
}  // namespace e2e
