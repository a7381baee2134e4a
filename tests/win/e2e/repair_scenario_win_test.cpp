// The listener repair on the demo machine, as the administrator goes
// through it: the boxes one after the other, and after each what is on
// disk and what the services do.
#include <gtest/gtest.h>

#include "scenario_win.h"

namespace e2e {
namespace {

const char kRepairButton[] = "修复监听 启动Oracle服务";
const std::string kNetworkAdmin = std::string(demo::kOracleHome) + "\\NETWORK\\ADMIN";
const std::vector<std::string> kConfigFiles = {"listener.ora", "tnsnames.ora"};

std::string Live(const char* path) { return demo::ReadBytes(path); }

class Repair : public Scenario {
 protected:
  // Runs a whole repair that goes well, from the click to the database
  // running again.
  void RepairAndAwaitRestart() {
    ASSERT_TRUE(tool_->Click(kRepairButton));
    ExpectBoxAndAnswerOk(QuestionBox());
    ExpectBoxAndAnswerOk(BackupDoneBox(RunFolder()));
    ExpectBoxAndAnswerOk(WarningBox());
    if (HasFatalFailure()) return;
    const StatusTrail trail = AwaitRestart(*tool_, {demo::kListener, demo::kDatabase});
    ASSERT_TRUE(trail.reached) << "the box shows " << Shown(tool_->Status());
    ExpectNoMoreBoxes();
  }
};

TEST_F(Repair, TheRoadOfOneRepair) {
  ToolRun& tool = StartTool();
  if (HasFatalFailure()) return;
  States shown{};
  ASSERT_TRUE(gui::WaitFor([&] { return tool.ShownStates(&shown) && shown == States{4, 4, 4, 4}; }, kBoxTimeoutMs))
      << Shown(tool.Status());
  EXPECT_TRUE(gui::TakeScreenshot("main-window-all-running", gui::OuterRect(tool.Window()), 16, 60000))
      << "no screenshot (KORVANE_SCREENSHOT_DIR, scripts/wine-gui.sh)";

  ServiceWatch watch;
  ASSERT_TRUE(tool.Click(kRepairButton));
  ExpectBoxAndAnswerOk(QuestionBox());

  // The backup is written before it is reported; the live files are not yet.
  const gui::MessageBoxView backupDone = ExpectBox(BackupDoneBox(RunFolder()));
  EXPECT_EQ(FilesIn(BackupFolder()), kConfigFiles);
  EXPECT_EQ(demo::ReadBytes(BackupFolder() + "\\listener.ora"), listenerOra_);
  EXPECT_EQ(demo::ReadBytes(BackupFolder() + "\\tnsnames.ora"), tnsnamesOra_);
  EXPECT_EQ(Live(demo::kListenerOraPath), listenerOra_);
  Answer(backupDone, IDOK);

  // Both files name NEWPC wherever they named OLDPC and are otherwise
  // byte for byte as they were; the listener has been asked to stop, the
  // database not yet.
  const gui::MessageBoxView warning = ExpectBox(WarningBox());
  EXPECT_EQ(Live(demo::kListenerOraPath), Fixture("listener_typical.newpc.ora"));
  EXPECT_EQ(Live(demo::kTnsnamesOraPath), Fixture("tnsnames_aliases.newpc.ora"));
  EXPECT_EQ(FilesIn(kNetworkAdmin), kConfigFiles) << "nothing left beside them";
  EXPECT_EQ(demo::LogOf(kListenerName), "control 1\n");
  EXPECT_EQ(demo::LogOf(demo::kServiceNames[demo::kDatabase]), "");
  EXPECT_EQ(demo::StateOf(demo::kServiceNames[demo::kDatabase]), static_cast<DWORD>(SERVICE_RUNNING));
  EXPECT_TRUE(gui::TakeScreenshot("repair-warning", gui::OuterRect(warning.box), 16, 60000));
  Answer(warning, IDOK);
  if (HasFatalFailure()) return;

  // The database stops and the poll of 时钟2 starts it again; the listener
  // is back as well. The box shows each step.
  const StatusTrail trail = AwaitRestart(tool, {demo::kListener, demo::kDatabase});
  ASSERT_TRUE(trail.reached) << "the box shows " << Shown(tool.Status());
  EXPECT_TRUE(trail.malformed.empty());
  EXPECT_TRUE(IsOneRestart(trail.PathOf(demo::kDatabase))) << ::testing::PrintToString(trail.PathOf(demo::kDatabase));
  ExpectNoMoreBoxes();
  for (int which = 0; which < 4; ++which) {
    SCOPED_TRACE(demo::kServiceNames[which]);
    const bool oracle = which == demo::kListener || which == demo::kDatabase;
    const std::vector<int> seen = AsPath(watch.Seen(which));
    if (oracle) {
      EXPECT_TRUE(IsOneRestart(seen)) << ::testing::PrintToString(seen);
    } else {
      EXPECT_EQ(seen, std::vector<int>{SERVICE_RUNNING});
    }
    EXPECT_EQ(demo::LogOf(demo::kServiceNames[which]), oracle ? "control 1\n" : "") << "one stop request each";
  }
  EXPECT_EQ(FilesIn(RunFolder()), (std::vector<std::string>{"Oracle配置备份", "korvane.exe"}));
  EXPECT_EQ(demo::ReadBytes(BackupFolder() + "\\listener.ora"), listenerOra_);
  EXPECT_EQ(demo::ReadBytes(BackupFolder() + "\\tnsnames.ora"), tnsnamesOra_);

  // 时钟2 has switched itself off: a database stopped now stays stopped.
  const char* database = demo::kServiceNames[demo::kDatabase];
  ASSERT_TRUE(demo::StopAndWait(database, 60000));
  Sleep(2000);
  EXPECT_EQ(demo::StateOf(database), static_cast<DWORD>(SERVICE_STOPPED));
  EXPECT_TRUE(tool.ShownStates(&shown));
  EXPECT_EQ(shown, (States{4, 4, 4, 1}));
}

TEST_F(Repair, CancelInTheFirstBoxTouchesNothing) {
  ToolRun& tool = StartTool();
  if (HasFatalFailure()) return;
  ServiceWatch watch;
  ASSERT_TRUE(tool.Click(kRepairButton));
  const gui::MessageBoxView question = ExpectBox(QuestionBox());
  Answer(question, IDCANCEL);
  ExpectNoMoreBoxes(3000);

  EXPECT_EQ(FilesIn(RunFolder()), std::vector<std::string>{"korvane.exe"}) << "no backup folder";
  EXPECT_EQ(Live(demo::kListenerOraPath), listenerOra_);
  EXPECT_EQ(Live(demo::kTnsnamesOraPath), tnsnamesOra_);
  EXPECT_EQ(FilesIn(kNetworkAdmin), kConfigFiles);
  for (int which = 0; which < 4; ++which) {
    SCOPED_TRACE(demo::kServiceNames[which]);
    EXPECT_EQ(AsPath(watch.Seen(which)), std::vector<int>{SERVICE_RUNNING});
    EXPECT_EQ(demo::LogOf(demo::kServiceNames[which]), "");
  }
}

// A tnsnames.ora longer than one read buffer, repaired twice.
class SecondRepair : public Repair {
 protected:
  const char* TnsnamesFixture() const override { return "tnsnames_long.ora"; }
};

TEST_F(SecondRepair, TheBackupThenHoldsTheConfigurationAsTheFirstRepairLeftIt) {
  StartTool();
  if (HasFatalFailure()) return;
  const std::string listenerAfter = Fixture("listener_typical.newpc.ora");
  const std::string tnsnamesAfter = Fixture("tnsnames_long.newpc.ora");

  RepairAndAwaitRestart();
  if (HasFatalFailure()) return;
  EXPECT_EQ(Live(demo::kListenerOraPath), listenerAfter);
  EXPECT_EQ(Live(demo::kTnsnamesOraPath), tnsnamesAfter) << "whole, not cut at 10000 bytes";
  EXPECT_EQ(demo::ReadBytes(BackupFolder() + "\\tnsnames.ora"), tnsnamesOra_);

  RepairAndAwaitRestart();
  if (HasFatalFailure()) return;
  EXPECT_EQ(demo::ReadBytes(BackupFolder() + "\\listener.ora"), listenerAfter);
  EXPECT_EQ(demo::ReadBytes(BackupFolder() + "\\tnsnames.ora"), tnsnamesAfter);
  EXPECT_EQ(FilesIn(BackupFolder()), kConfigFiles);
  EXPECT_EQ(Live(demo::kListenerOraPath), listenerAfter) << "NEWPC stays NEWPC";
  EXPECT_EQ(Live(demo::kTnsnamesOraPath), tnsnamesAfter);
  EXPECT_EQ(demo::LogOf(demo::kServiceNames[demo::kDatabase]), "control 1\ncontrol 1\n");
}

TEST_F(Repair, ClosingTheWindowWhileTheDatabaseAwaitsItsStartLeavesItStopped) {
  ToolRun& tool = StartTool();
  if (HasFatalFailure()) return;
  ASSERT_TRUE(tool.Click(kRepairButton));
  ExpectBoxAndAnswerOk(QuestionBox());
  ExpectBoxAndAnswerOk(BackupDoneBox(RunFolder()));
  ExpectBoxAndAnswerOk(WarningBox());
  if (HasFatalFailure()) return;

  // Closed while the database is still stopping: 时钟2 waits for it.
  const char* database = demo::kServiceNames[demo::kDatabase];
  ASSERT_TRUE(ReachesState(demo::kDatabase, SERVICE_STOP_PENDING));
  DWORD exitCode = 1234;
  ASSERT_TRUE(tool.Close(30000, &exitCode)) << "the tool still runs after its window was closed";
  EXPECT_EQ(exitCode, 0u);
  EXPECT_EQ(demo::LogOf(database), "control 1\n") << "the database was asked to stop";
  ASSERT_TRUE(ReachesState(demo::kDatabase, SERVICE_STOPPED));
  // Well beyond the poll's period: nobody starts it any more.
  Sleep(3000);
  EXPECT_EQ(demo::StateOf(database), static_cast<DWORD>(SERVICE_STOPPED));
}

}  // namespace
}  // namespace e2e
