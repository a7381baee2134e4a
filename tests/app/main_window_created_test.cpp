#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window_created.h"
#include "recording_shell.h"
#include "runtime/program_values.h"
#include "support/recording_ui.h"
#include "support/simulated_windows.h"
#include "support/text_compare.h"

namespace {

TEST(MainWindowCreated, SkinsTheControlsThenShowsTheNoticeThenFindsTheListener) {
  SimulatedWindows windows;
  windows.SetRegistryText(0x80000002, "SYSTEM\\CurrentControlSet\\services\\OracleOraDb10g_home1TNSListener",
                          "ImagePath", "D:\\oracle\\product\\10.2.0\\db_1\\BIN\\TNSLSNR.EXE");
  std::vector<std::string> log;
  RecordingShell shell(log);
  RecordingUi ui;
  ui.QueueAnswers({kAnswerOk});
  ui.whileMessageOpen = [&] {
    log.push_back("notice");
    EXPECT_EQ(listenerServiceName, std::string()) << "discovery runs only once the notice is closed";
  };

  MainWindowCreated();

  EXPECT_EQ(log, (std::vector<std::string>{"skin 3", "notice"}));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, "如安装了SQL 或 Oracle \r\n但服务都是无服务状态\r\n请退出软件用管理员权限运行");
  EXPECT_EQ(ui.messages[0].flags, 64);
  EXPECT_EQ(ui.messages[0].caption, "提示");
  EXPECT_EQ(listenerServiceName, "OracleOraDb10g_home1TNSListener");
  EXPECT_EQ(listenerImagePath, "D:\\oracle\\product\\10.2.0\\db_1\\BIN\\TNSLSNR.EXE");
}

}  // namespace
