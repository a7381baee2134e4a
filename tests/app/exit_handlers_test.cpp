#include <gtest/gtest.h>

#include <string>

#include "app/exit_handlers.h"
#include "runtime/program_values.h"
#include "support/simulated_windows.h"
#include "support/text_compare.h"

namespace {

std::string order;
void First() { order += "1"; }
void Second() { order += "2"; }

TEST(ExitHandlers, RunOnceInTheOrderOfRegistration) {
  order.clear();
  ForgetExitHandlers();
  RegisterExitHandler(Second);
  RegisterExitHandler(First);
  RunExitHandlers();
  RunExitHandlers();
  EXPECT_EQ(order, "21");
}

TEST(ReleaseListenerTexts, GivesBackTheMemoryOfWhicheverTextIsSet) {
  SimulatedWindows windows;
  // Longer than any short-text buffer, so that they really hold memory.
  const std::string name = "OracleOraDb11g_home1TNSListener";
  const std::string path = "C:\\oracle\\product\\11.2.0\\dbhome_1\\BIN\\TNSLSNR.EXE";
  const std::pair<bool, bool> cases[] = {{true, true}, {true, false}, {false, true}, {false, false}};
  for (const auto& [nameSet, pathSet] : cases) {
    listenerServiceName = nameSet ? Text(name) : Text();
    listenerImagePath = pathSet ? Text(path) : Text();
    ReleaseListenerTexts();
    EXPECT_EQ(listenerServiceName, std::string());
    EXPECT_EQ(listenerImagePath, std::string());
    EXPECT_LT(listenerServiceName.capacity(), name.size()) << "name kept its memory";
    EXPECT_LT(listenerImagePath.capacity(), path.size()) << "path kept its memory";
  }
}

}  // namespace
