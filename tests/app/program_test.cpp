#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/event_binding.h"
#include "app/exit_handlers.h"
#include "app/program.h"
#include "recording_shell.h"
#include "runtime/program_values.h"
#include "support/recording_ui.h"
#include "support/simulated_windows.h"
#include "support/text_compare.h"

namespace {

class ProgramRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetEventBinding();
    ForgetExitHandlers();
    ui.whileMessageOpen = [this] { log.push_back("notice"); };
  }
  void TearDown() override {
    ResetEventBinding();
    ForgetExitHandlers();
  }

  SimulatedWindows windows;
  std::vector<std::string> log;
  RecordingShell shell{log};
  RecordingUi ui;
  FakeWindowSystem window{log};
};

TEST_F(ProgramRun, GoesFromSetUpThroughTheCreatedHandlerToShutdownInOrder) {
  ui.QueueAnswers({kAnswerOk});
  // The notice's own message loop keeps the timers ticking.
  ui.whileMessageOpen = [this] {
    log.push_back("notice");
    DeliverEvent(ShellEvent::Clock1Tick);
  };
  window.onOleInit = [&] { EXPECT_EQ(windows.currentFolder, "C:\\Tools") << "process set-up comes first"; };
  window.onLoad = [&] {
    EXPECT_TRUE(LoadingGuardUp());
    DeliverEvent(ShellEvent::MainWindowCreated);  // must be dropped: a second notice would fail
    DeliverEvent(ShellEvent::Clock1Tick);
  };
  window.onShow = [&] {
    EXPECT_FALSE(LoadingGuardUp());
    EXPECT_EQ(listenerServiceName, "OracleOraDb12c_home2TNSListener") << "discovery ends before the window shows";
  };
  window.onLoop = [&] {
    EXPECT_FALSE(LoadingGuardUp());
    DeliverEvent(ShellEvent::Clock1Tick);
    // What the handlers leave behind for shutdown to release.
    listenerServiceName = Text("OracleOraDb11g_home1TNSListener");
    listenerImagePath = Text("C:\\oracle\\BIN\\TNSLSNR");
    winsockStarted = true;
  };
  window.onOleUninit = [&] {
    EXPECT_TRUE(LoadingGuardUp()) << "no handler may run while the process ends";
    DeliverEvent(ShellEvent::MainWindowCreated);
    DeliverEvent(ShellEvent::Clock1Tick);
    EXPECT_EQ(listenerServiceName, std::string()) << "the exit handler runs before OLE is released";
    EXPECT_EQ(listenerImagePath, std::string());
    EXPECT_EQ(windows.winsockCleanups, 1);
  };

  EXPECT_EQ(RunProgram(window), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"ole init", "load", "skin 3", "notice", "show", "loop", "ole uninit"}));
  // One tick behind the notice, before discovery; one in the loop, after it.
  ASSERT_EQ(ui.statusTexts.size(), 2u) << "ticks while loading or ending must be dropped";
  EXPECT_NE(ui.statusTexts[0].find("Oracle——-无服务"), std::string::npos) << ui.statusTexts[0];
  EXPECT_NE(ui.statusTexts[1].find("Oracle——OracleOraDb12c_home2TNSListener-无服务"), std::string::npos)
      << ui.statusTexts[1];
}

TEST_F(ProgramRun, AWindowThatCannotBeCreatedEndsTheProcessWithoutTheExitHandler) {
  window.loadSucceeds = false;
  window.onLoad = [&] { listenerServiceName = Text("kept"); };
  try {
    RunProgram(window);
    ADD_FAILURE() << "the process went on without its window";
  } catch (const ProcessEnded& ended) {
    EXPECT_EQ(ended.exitCode, -1);
  }
  ASSERT_EQ(windows.fatalBoxes.size(), 1u);
  EXPECT_EQ(windows.fatalBoxes[0].text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  EXPECT_EQ(windows.fatalBoxes[0].caption, "错误");
  EXPECT_EQ(windows.fatalBoxes[0].style, 16u);
  EXPECT_EQ(log, (std::vector<std::string>{"ole init", "load"}));
  EXPECT_EQ(listenerServiceName, "kept");
}

TEST_F(ProgramRun, AWindowGoneDuringTheCreatedHandlerIsNeitherShownNorWaitedFor) {
  ui.QueueAnswers({kAnswerOk});
  window.windowExists = false;
  EXPECT_EQ(RunProgram(window), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"ole init", "load", "skin 3", "notice", "ole uninit"}));
}

}  // namespace
