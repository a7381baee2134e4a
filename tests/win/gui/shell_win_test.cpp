// The Win32 shell in this process, under Wine: the real timers, cursor and
// status box operations, message boxes, and the control skin's subclassing.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/control_skin_win.h"
#include "app/event_binding.h"
#include "app/main_window_win.h"
#include "app/win32_user_interface_win.h"

namespace {

// Dispatches this thread's messages until `done` or the (generous) time is up.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  }
  return true;
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  PumpUntil([&] { return GetTickCount() - start >= milliseconds; }, milliseconds + 1000);
}

int clock2Ticks = 0;
void CountClock2Tick() { ++clock2Ticks; }

class Win32Shell : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetEventBinding();
    clock2Ticks = 0;
    ASSERT_TRUE(window.Load());
  }
  void TearDown() override { ResetEventBinding(); }

  MainWindow window;
  Win32UserInterface ui{window};
};

TEST_F(Win32Shell, LoadsHiddenWithOnlyClock1Running) {
  EXPECT_FALSE(IsWindowVisible(window.Handle()));
  EXPECT_TRUE(window.Timer(TimerId::Clock1).State().running);
  EXPECT_EQ(window.Timer(TimerId::Clock1).State().period, 100);
  EXPECT_FALSE(window.Timer(TimerId::Clock2).State().running);
  for (HWND child = GetWindow(window.Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char kind[64] = {0};
    GetClassNameA(child, kind, sizeof kind);
    const bool isTimer = child == window.Timer(TimerId::Clock1).Handle() || child == window.Timer(TimerId::Clock2).Handle();
    EXPECT_EQ((GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) != 0, !isTimer) << kind;
  }
}

TEST_F(Win32Shell, Clock2TicksOnceArmedAndNotAfterANegativePeriod) {
  BindHandler(ShellEvent::Clock2Tick, CountClock2Tick);
  ui.SetTimerPeriod(TimerId::Clock2, 100);
  EXPECT_TRUE(window.Timer(TimerId::Clock2).State().running);
  EXPECT_TRUE(PumpUntil([] { return clock2Ticks > 0; })) << "no tick of the armed timer";

  ui.SetTimerPeriod(TimerId::Clock2, -5);
  EXPECT_FALSE(window.Timer(TimerId::Clock2).State().running);
  EXPECT_EQ(window.Timer(TimerId::Clock2).State().period, 0);
  PumpFor(100);  // a tick already posted may still come
  const int ticks = clock2Ticks;
  PumpFor(800);
  EXPECT_EQ(clock2Ticks, ticks) << "the stopped timer still ticks";
}

TEST_F(Win32Shell, TheWaitCursorGivesBackThePointerFromBeforeTheFirstCall) {
  HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  SetCursor(arrow);
  ui.SetWaitCursor();
  EXPECT_EQ(GetCursor(), wait);
  ui.SetWaitCursor();  // must not remember the wait pointer
  ui.RestoreCursor();
  EXPECT_EQ(GetCursor(), arrow);
  SetCursor(wait);
  ui.RestoreCursor();  // nothing remembered: only the mouse moves on the spot
  EXPECT_EQ(GetCursor(), wait);
}

TEST_F(Win32Shell, TheStatusTextIsRewrittenAlsoWhenUnchanged) {
  const HWND box = window.StatusBox();
  ui.SetStatusText("\r\nSQL——MSSQLSERVER-已启动\r\n\r\n");
  char shown[128] = {0};
  GetWindowTextA(box, shown, sizeof shown);
  EXPECT_STREQ(shown, "\r\nSQL——MSSQLSERVER-已启动\r\n\r\n");
  SendMessageA(box, EM_SETMODIFY, TRUE, 0);
  ui.SetStatusText("\r\nSQL——MSSQLSERVER-已启动\r\n\r\n");
  EXPECT_EQ(SendMessageA(box, EM_GETMODIFY, 0, 0), FALSE) << "the same text was not written again";
  ui.SetStatusText(TextView());
  EXPECT_EQ(GetWindowTextLengthA(box), 0);
}

TEST_F(Win32Shell, TheHandPointerShowsOverTheButtonsOnly) {
  HCURSOR hand = LoadCursorA(nullptr, IDC_HAND);
  HWND button = nullptr;
  for (HWND child = GetWindow(window.Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char kind[16] = {0};
    GetClassNameA(child, kind, sizeof kind);
    if (std::string(kind) == "Button") button = child;
  }
  ASSERT_NE(button, nullptr);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  const LPARAM overClient = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  SendMessageA(window.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.StatusBox()), overClient);
  EXPECT_NE(GetCursor(), hand) << "over the status box";
  EXPECT_EQ(SendMessageA(window.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(button), overClient), TRUE);
  EXPECT_EQ(GetCursor(), hand) << "over a button";
}

// --- message boxes --------------------------------------------------------

struct OpenBox {
  std::function<void(HWND box)> whileOpen;
  HWND box = nullptr;
};
OpenBox* openBox = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char kind[16] = {0};
  GetClassNameA(window, kind, sizeof kind);
  if (std::string(kind) == "#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// Runs inside the box's own message loop.
void CALLBACK LookAtTheBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr || openBox == nullptr || openBox->box != nullptr) return;
  KillTimer(nullptr, timer);
  openBox->box = box;
  openBox->whileOpen(box);
}

// Shows a box through the shell and lets `whileOpen` look at it and close it.
std::int32_t ShowAndAnswer(Win32UserInterface& ui, std::int32_t flags, const std::function<void(HWND)>& whileOpen) {
  OpenBox watch{whileOpen};
  openBox = &watch;
  const UINT_PTR timer = SetTimer(nullptr, 0, 100, LookAtTheBox);
  const std::int32_t answer = ui.ShowMessage("正文", flags, "标题", 0);
  KillTimer(nullptr, timer);
  openBox = nullptr;
  EXPECT_NE(watch.box, nullptr) << "the box never opened";
  return answer;
}

void PressButton(HWND box, int id) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

TEST_F(Win32Shell, AMessageBoxIsTaskModalUnlessSystemModalAndItsAnswerIsMapped) {
  struct Case {
    std::int32_t flags;
    int pressed;
    std::int32_t answer;
    bool windowDisabled;
  };
  const Case cases[] = {
      {49, IDCANCEL, 1, true},
      {49, IDOK, 0, true},
      {0x1000 | 48, IDOK, 0, false},  // system-modal: not task-modal
  };
  for (const Case& c : cases) {
    bool disabled = false;
    std::string caption, text;
    const std::int32_t answer = ShowAndAnswer(ui, c.flags, [&](HWND box) {
      disabled = IsWindowEnabled(window.Handle()) == FALSE;
      char buffer[64] = {0};
      GetWindowTextA(box, buffer, sizeof buffer);
      caption = buffer;
      PressButton(box, c.pressed);
    });
    EXPECT_EQ(answer, c.answer) << c.flags;
    EXPECT_EQ(disabled, c.windowDisabled) << c.flags;
    EXPECT_EQ(caption, "标题");
    EXPECT_TRUE(IsWindowEnabled(window.Handle())) << "enabled again once the box is closed";
  }
}

// --- the control skin -----------------------------------------------------

LONG_PTR ProcOf(HWND window) { return GetWindowLongPtrA(window, GWLP_WNDPROC); }

class Skin : public Win32Shell {
 protected:
  HWND Child(const char* kind, DWORD style, HWND parent) {
    return CreateWindowExA(0, kind, "x", WS_CHILD | style, 0, 0, 50, 20, parent, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
  }
  ControlSkin skin;
};

TEST_F(Skin, TakesTheListedKindsIncludingNestedOnesAndGivesThemBack) {
  const HWND push = Child("BUTTON", BS_PUSHBUTTON, window.Handle());
  const HWND ownerDrawn = Child("BUTTON", BS_OWNERDRAW, window.Handle());
  const HWND label = Child("STATIC", 0, window.Handle());
  const HWND framedEdit = Child("EDIT", WS_BORDER, window.Handle());
  const HWND group = Child("BUTTON", BS_GROUPBOX, window.Handle());
  const HWND nested = Child("BUTTON", BS_DEFPUSHBUTTON, group);  // a grandchild of the window
  const std::vector<HWND> taken = {push, framedEdit, group, nested, window.StatusBox()};
  const std::vector<HWND> left = {ownerDrawn, label, window.Handle()};
  std::vector<LONG_PTR> before;
  for (HWND w : taken) before.push_back(ProcOf(w));
  std::vector<LONG_PTR> leftBefore;
  for (HWND w : left) leftBefore.push_back(ProcOf(w));

  skin.SetControlSkin(3);
  skin.SetControlSkin(3);  // again: the first skin must be removed, not wrapped
  for (std::size_t i = 0; i < taken.size(); ++i) EXPECT_NE(ProcOf(taken[i]), before[i]) << "not skinned: " << i;
  for (std::size_t i = 0; i < left.size(); ++i) EXPECT_EQ(ProcOf(left[i]), leftBefore[i]) << "skinned: " << i;
  PumpFor(50);  // painting through the skin must not fall over

  skin.SetControlSkin(0);
  for (std::size_t i = 0; i < taken.size(); ++i) EXPECT_EQ(ProcOf(taken[i]), before[i]) << "not given back: " << i;
}

TEST_F(Skin, ReachesControlsMadeLaterOnlyWhileInstalled) {
  const HWND reference = Child("BUTTON", BS_PUSHBUTTON, window.Handle());
  const LONG_PTR systemProc = ProcOf(reference);
  skin.SetControlSkin(3);
  const LONG_PTR skinProc = ProcOf(reference);
  ASSERT_NE(skinProc, systemProc);

  EXPECT_EQ(ProcOf(Child("BUTTON", BS_PUSHBUTTON, window.Handle())), skinProc) << "the hook missed a new button";
  std::vector<LONG_PTR> boxButtons;
  ShowAndAnswer(ui, 49, [&](HWND box) {
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      char kind[16] = {0};
      GetClassNameA(c, kind, sizeof kind);
      if (std::string(kind) == "Button") boxButtons.push_back(ProcOf(c));
    }
    PressButton(box, IDOK);
  });
  ASSERT_EQ(boxButtons.size(), 2u) << "OK and Cancel";
  for (const LONG_PTR proc : boxButtons) EXPECT_EQ(proc, skinProc) << "a message box button kept the system look";

  skin.SetControlSkin(4);  // no such scheme: the skin only goes
  EXPECT_EQ(ProcOf(reference), systemProc);
  EXPECT_EQ(ProcOf(Child("BUTTON", BS_PUSHBUTTON, window.Handle())), systemProc) << "the hook stayed";
}

}  // namespace
