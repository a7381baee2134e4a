// korvane.exe from start to end, seen from outside as a user sees it: the
// start-up notice alone, then MainWindow with its controls, then closing.
//
// One run of the tool serves the whole suite; the tests follow its life in
// the order they are written (gtest keeps that order unless shuffled).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver_win.h"

namespace {

// Wine runs emulated here: every wait is generous.
constexpr DWORD kAppearTimeoutMs = 180000;
constexpr DWORD kChangeTimeoutMs = 60000;

const std::string kTitle = "Korvane";
const std::string kNotice = "如安装了SQL 或 Oracle \r\n但服务都是无服务状态\r\n请退出软件用管理员权限运行";

// No SQL Server or Oracle service exists under Wine.
std::string StatusWithListener(const std::string& listener) {
  return "\r\nSQL——MSSQLSERVER-无服务\r\n\r\n"
         "SQL——MSSQL$SQLEXPRESS-无服务\r\n\r\n"
         "Oracle——" + listener + "-无服务\r\n\r\n"
         "Oracle——OracleServiceORCL-无服务\r\n\r\n";
}

HWND ButtonWithCaption(HWND parent, const std::string& caption) {
  for (HWND child : gui::Children(parent))
    if (gui::ClassOf(child) == "Button" && gui::TextOf(child) == caption) return child;
  return nullptr;
}

bool Has(LONG style, LONG bits) { return (style & bits) == bits; }
bool HasNone(LONG style, LONG bits) { return (style & bits) == 0; }

class Startup : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const std::string exe = std::string("Z:") + KORVANE_EXE_PATH;
    tool = new gui::Process("\"" + exe + "\"", "");
  }
  static void TearDownTestSuite() {
    delete tool;
    tool = nullptr;
  }

  static HWND HiddenOrShownMainWindow() {
    for (HWND window : gui::TopLevelWindows(tool->Id(), false))
      if (gui::TextOf(window) == kTitle) return window;
    return nullptr;
  }
  static HWND StatusBox(HWND mainWindow) {
    for (HWND child : gui::Children(mainWindow))
      if (gui::ClassOf(child) == "Edit") return child;
    return nullptr;
  }

  static gui::Process* tool;
  static HWND notice;
  static HWND mainWindow;
};

gui::Process* Startup::tool = nullptr;
HWND Startup::notice = nullptr;
HWND Startup::mainWindow = nullptr;

TEST_F(Startup, AtFirstOnlyTheNoticeIsOnScreen) {
  ASSERT_TRUE(tool->Started()) << KORVANE_EXE_PATH;
  ASSERT_TRUE(gui::WaitFor([] { return (notice = gui::FindMessageBox(tool->Id())) != nullptr; }, kAppearTimeoutMs))
      << "no start-up notice";
  const gui::MessageBoxView box = gui::ReadMessageBox(notice);
  EXPECT_EQ(box.caption, "提示");
  EXPECT_EQ(box.text, kNotice);
  EXPECT_TRUE(box.iconShown) << "the notice shows an icon";
  const int large = GetSystemMetrics(SM_CXICON);
  const RECT noticeArea = gui::OuterRect(notice);
  EXPECT_TRUE(gui::ScreenShowsIcon(LoadIconA(nullptr, IDI_INFORMATION), large, noticeArea)) << "information icon";
  EXPECT_FALSE(gui::ScreenShowsIcon(LoadIconA(nullptr, IDI_EXCLAMATION), large, noticeArea)) << "exclamation icon";
  ASSERT_EQ(box.buttons.size(), 1u) << "an OK button only";
  EXPECT_EQ(gui::TopLevelWindows(tool->Id(), true), std::vector<HWND>{notice}) << "MainWindow is not shown yet";

  const HWND hidden = HiddenOrShownMainWindow();
  ASSERT_NE(hidden, nullptr) << "MainWindow exists, hidden, while the notice is open";
  EXPECT_FALSE(gui::IsShown(hidden));
  EXPECT_FALSE(IsWindowEnabled(hidden)) << "a task-modal notice disables the thread's windows";
  gui::TakeScreenshot("startup-notice", noticeArea, 16, kChangeTimeoutMs);
}

TEST_F(Startup, TheStatusReportRunsBehindTheNoticeBeforeTheListenerIsKnown) {
  ASSERT_NE(notice, nullptr);
  const HWND box = StatusBox(HiddenOrShownMainWindow());
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(gui::WaitFor([&] { return gui::TextOf(box) == StatusWithListener(""); }, kChangeTimeoutMs))
      << "status box holds: " << gui::TextOf(box);
}

TEST_F(Startup, MainWindowAppearsOnceTheNoticeIsClosed) {
  ASSERT_NE(notice, nullptr);
  gui::Press(gui::ReadMessageBox(notice).buttons.at(0).handle);
  ASSERT_TRUE(gui::WaitFor([] { return (mainWindow = gui::FindTopLevel(tool->Id(), "KorvaneMainWindow", &kTitle)) != nullptr; },
                           kChangeTimeoutMs));
  EXPECT_EQ(gui::FindMessageBox(tool->Id()), nullptr);
  EXPECT_EQ(gui::TopLevelWindows(tool->Id(), true), std::vector<HWND>{mainWindow});
  EXPECT_TRUE(IsWindowEnabled(mainWindow));
}

TEST_F(Startup, TheWindowHasItsSizePlaceTitleAndFrame) {
  ASSERT_NE(mainWindow, nullptr);
  const RECT outer = gui::OuterRect(mainWindow);
  EXPECT_EQ(outer.right - outer.left, 713);
  EXPECT_EQ(outer.bottom - outer.top, 200);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  EXPECT_EQ(outer.left, (screenWidth - 713) / 2) << "screen " << screenWidth;
  EXPECT_EQ(outer.top, (screenHeight - 200) / 2) << "screen " << screenHeight;
  EXPECT_EQ(gui::TextOf(mainWindow), "Korvane");

  const LONG style = gui::StyleOf(mainWindow);
  EXPECT_TRUE(Has(style, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN | WS_VISIBLE)) << std::hex << style;
  EXPECT_TRUE(HasNone(style, WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP)) << std::hex << style;
  EXPECT_TRUE(HasNone(gui::ExStyleOf(mainWindow), WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE))
      << std::hex << gui::ExStyleOf(mainWindow);
  EXPECT_EQ(GetWindow(mainWindow, GW_OWNER), nullptr) << "an unowned window with a taskbar button";

  // The small icon in the title bar is DEFAULT_ICON (another process's
  // icon handles cannot be read, so the screen is looked at).
  const std::string exe = std::string("Z:") + KORVANE_EXE_PATH;
  EXPECT_EQ(gui::IconSizesInExecutable(exe, "DEFAULT_ICON"), (std::vector<int>{16, 32, 48}));
  const int small = GetSystemMetrics(SM_CXSMICON);
  HICON icon = gui::LoadIconFromExecutable(exe, "DEFAULT_ICON", small);
  ASSERT_NE(icon, nullptr);
  RECT titleStart = outer;
  titleStart.right = outer.left + 48;
  titleStart.bottom = outer.top + GetSystemMetrics(SM_CYCAPTION) + 8;
  EXPECT_TRUE(gui::ScreenShowsIcon(icon, small, titleStart)) << "no DEFAULT_ICON in the title bar";
  DestroyIcon(icon);
}

struct ExpectedControl {
  const char* kind;  // "Button", "Edit", or "timer" for an invisible child
  const char* text;
  RECT place;        // left, top, right, bottom in the client area
};

TEST_F(Startup, TheControlsStandInTheirPlacesAndStackingOrder) {
  ASSERT_NE(mainWindow, nullptr);
  // Topmost first.
  const ExpectedControl expected[] = {
      {"timer", "", {8, 8, 32, 24}},
      {"Button", "修复监听 启动Oracle服务", {528, 8, 688, 56}},
      {"Button", "停止Oracle服务", {398, 8, 510, 56}},
      {"Button", "停止SQL服务", {138, 8, 250, 56}},
      {"Button", "启动SQL服务", {8, 8, 120, 56}},
      {"Edit", nullptr, {-8, 60, 688, 172}},
      {"Button", "启动Oracle服务", {268, 8, 380, 56}},
      {"timer", "", {0, 25, 24, 41}},
  };
  const std::vector<HWND> children = gui::Children(mainWindow);
  ASSERT_EQ(children.size(), std::size(expected));
  for (std::size_t i = 0; i < children.size(); ++i) {
    const ExpectedControl& want = expected[i];
    const HWND child = children[i];
    const std::string kind = gui::ClassOf(child);
    SCOPED_TRACE("control " + std::to_string(i) + " (" + kind + ")");
    const RECT place = gui::RectInParent(child);
    EXPECT_EQ(place.left, want.place.left);
    EXPECT_EQ(place.top, want.place.top);
    EXPECT_EQ(place.right, want.place.right);
    EXPECT_EQ(place.bottom, want.place.bottom);
    const LONG style = gui::StyleOf(child);
    if (std::string(want.kind) == "timer") {
      EXPECT_NE(kind, "Button");
      EXPECT_NE(kind, "Edit");
      EXPECT_FALSE(gui::IsShown(child)) << "a timer never appears";
      continue;
    }
    EXPECT_EQ(kind, want.kind);
    EXPECT_TRUE(gui::IsShown(child));
    if (kind == "Button") {
      EXPECT_EQ(gui::TextOf(child), want.text);
      EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << "a push button that is not the default one";
      EXPECT_TRUE(Has(style, BS_CENTER | BS_VCENTER | BS_MULTILINE | WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP))
          << std::hex << style;
      EXPECT_TRUE(HasNone(style, WS_DISABLED | BS_BITMAP | BS_ICON)) << std::hex << style;
    } else {
      EXPECT_TRUE(Has(style, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_READONLY | ES_CENTER | WS_CHILD |
                                 WS_CLIPSIBLINGS))
          << std::hex << style;
      EXPECT_TRUE(HasNone(style, WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL | WS_TABSTOP | ES_NOHIDESEL))
          << std::hex << style;
      EXPECT_TRUE(HasNone(gui::ExStyleOf(child), WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE))
          << std::hex << gui::ExStyleOf(child);
    }
  }
}

TEST_F(Startup, TheStatusBoxShowsTheFourServicesWithTheListenerFound) {
  ASSERT_NE(mainWindow, nullptr);
  const HWND box = StatusBox(mainWindow);
  ASSERT_NE(box, nullptr);
  // No listener service exists, so discovery ends on its last candidate.
  const std::string status = StatusWithListener("OracleOraDb12c_home2TNSListener");
  EXPECT_TRUE(gui::WaitFor([&] { return gui::TextOf(box) == status; }, kChangeTimeoutMs))
      << "status box holds: " << gui::TextOf(box);
  EXPECT_TRUE(gui::TakeScreenshot("main-window", gui::OuterRect(mainWindow), 16, kChangeTimeoutMs))
      << "no screenshot (KORVANE_SCREENSHOT_DIR, scripts/wine-gui.sh)";
}

TEST_F(Startup, AButtonsMessageBoxHoldsTheWindowWhileTheStatusKeepsRefreshing) {
  ASSERT_NE(mainWindow, nullptr);
  const HWND repair = ButtonWithCaption(mainWindow, "修复监听 启动Oracle服务");
  const HWND box = StatusBox(mainWindow);
  ASSERT_TRUE(repair != nullptr && box != nullptr);
  gui::Press(repair);
  HWND question = nullptr;
  ASSERT_TRUE(gui::WaitFor([&] { return (question = gui::FindMessageBox(tool->Id())) != nullptr; }, kChangeTimeoutMs))
      << "按钮5 opened no message box";
  EXPECT_FALSE(IsWindowEnabled(mainWindow)) << "a handler's box is task-modal";

  // A tick rewrites the box even with the same text, which clears its
  // modified flag: so the timer runs inside the box's own loop.
  DWORD_PTR flag = 0;
  SendMessageTimeoutA(box, EM_SETMODIFY, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &flag);
  EXPECT_TRUE(gui::WaitFor(
      [&] { return SendMessageTimeoutA(box, EM_GETMODIFY, 0, 0, SMTO_ABORTIFHUNG, 5000, &flag) != 0 && flag == 0; },
      kChangeTimeoutMs))
      << "no status refresh while the box is open";

  const gui::MessageBoxView view = gui::ReadMessageBox(question);
  ASSERT_FALSE(view.buttons.empty());
  HWND answer = view.buttons.back().handle;  // Cancel when the box asks, else its only button
  for (const auto& button : view.buttons)
    if (GetDlgCtrlID(button.handle) == IDCANCEL) answer = button.handle;
  gui::Press(answer);
  EXPECT_TRUE(gui::WaitFor([&] { return gui::FindMessageBox(tool->Id()) == nullptr && IsWindowEnabled(mainWindow); },
                           kChangeTimeoutMs))
      << "the box stayed or the window stayed disabled";
}

// A point on a button's face below its caption, in screen coordinates.
POINT LowerFace(HWND button) {
  const RECT r = gui::OuterRect(button);
  return {(r.left + r.right) / 2, r.bottom - 7};
}

TEST_F(Startup, TheSkinDrawsRestingHotAndPressedButtonsApart) {
  ASSERT_NE(mainWindow, nullptr);
  const HWND hovered = ButtonWithCaption(mainWindow, "启动SQL服务");
  const HWND pressed = ButtonWithCaption(mainWindow, "启动Oracle服务");
  const HWND resting = ButtonWithCaption(mainWindow, "停止SQL服务");
  ASSERT_TRUE(hovered != nullptr && pressed != nullptr && resting != nullptr);
  const COLORREF restingFace = gui::ScreenPixel(LowerFace(resting));
  EXPECT_NE(restingFace, GetSysColor(COLOR_BTNFACE)) << "the face is the skin's, not the system's";

  gui::MoveMouse(LowerFace(hovered));
  EXPECT_TRUE(gui::WaitFor([&] { return gui::ScreenPixel(LowerFace(hovered)) != restingFace; }, kChangeTimeoutMs))
      << "no hot look under the mouse";
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(pressed, BM_SETSTATE, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  EXPECT_TRUE(gui::WaitFor(
      [&] {
        const COLORREF face = gui::ScreenPixel(LowerFace(pressed));
        return face != restingFace && face != gui::ScreenPixel(LowerFace(hovered));
      },
      kChangeTimeoutMs))
      << "no pressed look of its own";
  EXPECT_EQ(gui::ScreenPixel(LowerFace(resting)), restingFace);
  gui::TakeScreenshot("button-looks", gui::OuterRect(mainWindow), 16, kChangeTimeoutMs);

  SendMessageTimeoutA(pressed, BM_SETSTATE, FALSE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  gui::MoveMouse({2, 2});
  EXPECT_TRUE(gui::WaitFor([&] { return gui::ScreenPixel(LowerFace(hovered)) == restingFace; }, kChangeTimeoutMs))
      << "the hot look stays after the mouse has left";
  EXPECT_EQ(gui::ScreenPixel(LowerFace(pressed)), restingFace) << "released, the button rests again";
}

TEST_F(Startup, ClosingTheWindowEndsTheProcessWithExitCodeZero) {
  ASSERT_NE(mainWindow, nullptr);
  gui::Close(mainWindow);
  DWORD exitCode = 1234;
  ASSERT_TRUE(tool->WaitForExit(kChangeTimeoutMs, &exitCode)) << "still running after the window was closed";
  EXPECT_EQ(exitCode, 0u);
}

}  // namespace
