// Drives one repair on the demo machine for scripts/demo.sh when there is no
// screen to show the tool on: starts korvane.exe, prints its status text,
// clicks the repair button, prints and answers each message box with OK,
// waits until the listener and the database run again (printing the states
// the status box showed them in) and prints the status text and the host
// entries of both configuration files before and after.
// Screenshots of the main window and of the repair's warning go to
// KORVANE_SCREENSHOT_DIR (scripts/wine-gui.sh answers them).
//
//   korvane_demo_drive <korvane.exe>
//
// Texts are printed as the tool shows them: GBK bytes, CR LF line breaks.
#include <cstdio>
#include <string>

#include "demo_machine_win.h"
#include "tool_run_win.h"

namespace {

constexpr DWORD kServiceTimeoutMs = 120000;
const char kRepairButton[] = "修复监听 启动Oracle服务";
const char kWarningCaption[] = "警告";

void Print(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

// The lines of a configuration file that name a host.
std::string HostLines(const std::string& path) {
  const std::string bytes = demo::ReadBytes(path);
  std::string lines;
  std::size_t begin = 0;
  while (begin < bytes.size()) {
    std::size_t end = bytes.find('\n', begin);
    if (end == std::string::npos) end = bytes.size();
    const std::string line = bytes.substr(begin, end - begin + 1);
    if (line.find("HOST") != std::string::npos || line.find("host") != std::string::npos ||
        line.find("NEWPC") != std::string::npos || line.find("oldpc") != std::string::npos)
      lines += "    " + line;
    begin = end + 1;
  }
  return lines;
}

void PrintHostEntries(const char* when) {
  Print(std::string("== host entries ") + when + "\r\n");
  Print(std::string("  ") + demo::kListenerOraPath + "\r\n" + HostLines(demo::kListenerOraPath));
  Print(std::string("  ") + demo::kTnsnamesOraPath + "\r\n" + HostLines(demo::kTnsnamesOraPath));
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "demo: %s\n", why.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return Fail("usage: korvane_demo_drive <korvane.exe>");
  const std::string exe = argv[1];
  const std::string runFolder = exe.substr(0, exe.find_last_of('\\'));

  // The services start with the prefix; wait until they all run.
  for (const char* name : demo::kServiceNames)
    if (!demo::StartAndWait(name, kServiceTimeoutMs)) return Fail(std::string(name) + " does not run");

  e2e::ToolRun tool(exe, demo::kServiceNames[demo::kListener]);
  std::string problem;
  if (!tool.Started() || !tool.OpenMainWindow(&problem)) return Fail("korvane.exe: " + problem);
  e2e::States shown{};
  if (!gui::WaitFor([&] { return tool.ShownStates(&shown) && shown == e2e::States{4, 4, 4, 4}; }, 60000))
    return Fail("the status box does not show four running services");
  Print("== status before the repair\r\n" + tool.Status());
  PrintHostEntries("before the repair");
  gui::TakeScreenshot("demo-main-window", gui::OuterRect(tool.Window()), 16, 60000);

  Print("== clicking \"" + std::string(kRepairButton) + "\", answering every box with OK\r\n");
  if (!tool.Click(kRepairButton)) return Fail("no repair button");
  // Up to the warning, after which the services restart.
  bool warned = false;
  while (!warned) {
    const gui::MessageBoxView box = tool.WaitForBox();
    if (box.box == nullptr) break;
    Print("[" + box.caption + "] " + box.text + "\r\n");
    warned = box.caption == kWarningCaption;
    if (warned) gui::TakeScreenshot("demo-repair-warning", gui::OuterRect(box.box), 16, 60000);
    if (!tool.Answer(box, IDOK)) return Fail("a box does not close");
  }
  if (!warned) return Fail("the repair did not restart the services");

  const e2e::StatusTrail trail = e2e::AwaitRestart(tool, {demo::kListener, demo::kDatabase});
  if (!trail.reached) return Fail("the listener and the database do not run again");
  for (int which : {demo::kListener, demo::kDatabase}) {
    std::string path = std::string("  ") + demo::kServiceNames[which] + ":";
    for (int state : trail.PathOf(which)) path += " " + e2e::StateWord(state);
    Print(path + "\r\n");
  }
  Print("== status after the repair\r\n" + tool.Status());
  PrintHostEntries("after the repair");
  Print("== backup folder " + runFolder + "\\Oracle配置备份\r\n");
  DWORD exitCode = 1;
  if (!tool.Close(30000, &exitCode)) return Fail("korvane.exe does not end when its window is closed");
  return 0;
}
