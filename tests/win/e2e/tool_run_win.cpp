#include "tool_run_win.h"

#include <cstring>

#include <algorithm>

namespace e2e {

namespace {

constexpr DWORD kRestartTimeoutMs = 60000;
const std::string kTitle = "Korvane";
const std::string kMainWindowClass = "KorvaneMainWindow";

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

bool IsGone(HWND box) { return IsWindow(box) == FALSE || IsWindowVisible(box) == FALSE; }

// A message box keeps its icon control also when it has no icon; the
// control then holds none.
bool HoldsIcon(HWND box) {
  for (HWND child : gui::Children(box)) {
    if (gui::ClassOf(child) != "Static" || (gui::StyleOf(child) & SS_TYPEMASK) != SS_ICON) continue;
    DWORD_PTR icon = 0;
    if (SendMessageTimeoutA(child, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon) != 0 && icon != 0 &&
        gui::IsShown(child))
      return true;
  }
  return false;
}

}  // namespace

std::vector<int> StatusTrail::PathOf(int which) const {
  std::vector<int> path;
  for (const States& shown : states)
    if (path.empty() || path.back() != shown[which]) path.push_back(shown[which]);
  return path;
}

ToolRun::ToolRun(const std::string& exe, const std::string& listenerName)
    : process_(new gui::Process("\"" + exe + "\"", FolderOf(exe))), listenerName_(listenerName) {}

bool ToolRun::OpenMainWindow(std::string* problem) {
  const gui::MessageBoxView notice = WaitForBox(kAppearTimeoutMs);
  if (notice.box == nullptr || notice.caption != "提示") {
    *problem = notice.box == nullptr ? "no start-up notice" : "first box is not the notice: " + Shown(notice.caption);
    return false;
  }
  if (!Answer(notice, IDOK)) {
    *problem = "the start-up notice does not close";
    return false;
  }
  if (!gui::WaitFor([&] { return (window_ = gui::FindTopLevel(Id(), kMainWindowClass, &kTitle)) != nullptr; },
                    kBoxTimeoutMs)) {
    *problem = "MainWindow did not appear";
    return false;
  }
  for (HWND child : gui::Children(window_))
    if (gui::ClassOf(child) == "Edit") statusBox_ = child;
  if (statusBox_ == nullptr) *problem = "MainWindow has no status box";
  return statusBox_ != nullptr;
}

std::string ToolRun::Status() const {
  // One WM_GETTEXT into a buffer with room to spare: asking for the length
  // first and the text then would cut a text that grew in between, as the
  // status text does whenever a state word gets longer.
  std::string text(4096, '\0');
  DWORD_PTR copied = 0;
  if (SendMessageTimeoutA(statusBox_, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                          5000, &copied) == 0)
    return std::string();
  // Across processes Wine counts the copy in characters, not bytes, so the
  // count would cut a Chinese text short: the text ends at its zero byte.
  (void)copied;
  text.resize(std::strlen(text.c_str()));
  return text;
}

bool ToolRun::ShownStates(States* states) const { return ParseStatus(Status(), listenerName_, states); }

bool ToolRun::Click(const std::string& caption) {
  for (HWND child : gui::Children(window_)) {
    if (gui::ClassOf(child) == "Button" && gui::TextOf(child) == caption) {
      gui::Press(child);
      return true;
    }
  }
  return false;
}

gui::MessageBoxView ToolRun::WaitForBox(DWORD timeoutMs) {
  HWND box = nullptr;
  gui::WaitFor([&] { return (box = gui::FindMessageBox(Id())) != nullptr; }, timeoutMs, 50);
  if (box == nullptr) return gui::MessageBoxView{};
  // The box is on screen before its text is set: read once it settles.
  gui::MessageBoxView view = gui::ReadMessageBox(box);
  for (int i = 0; i < 10; ++i) {
    Sleep(30);
    gui::MessageBoxView again = gui::ReadMessageBox(box);
    if (again.text == view.text && again.buttons.size() == view.buttons.size()) break;
    view = again;
  }
  return view;
}

bool ToolRun::Answer(const gui::MessageBoxView& box, int buttonId) {
  const HWND button = GetDlgItem(box.box, buttonId);
  if (button == nullptr) return false;
  gui::Press(button);
  return gui::WaitFor([&] { return IsGone(box.box); }, kBoxTimeoutMs, 20);
}

StatusTrail ToolRun::WatchStatus(const std::function<bool(const States&)>& done, DWORD timeoutMs) {
  StatusTrail trail;
  const DWORD begin = GetTickCount();
  for (;;) {
    const std::string text = Status();
    if (trail.texts.empty() || trail.texts.back() != text) {
      trail.texts.push_back(text);
      States states{};
      if (ParseStatus(text, listenerName_, &states)) {
        trail.states.push_back(states);
        if (done(states)) {
          trail.reached = true;
          return trail;
        }
      } else {
        trail.malformed.push_back(text);
      }
    }
    if (GetTickCount() - begin >= timeoutMs) return trail;
    Sleep(25);
  }
}

bool ToolRun::Close(DWORD timeoutMs, DWORD* exitCode) {
  gui::Close(window_);
  return process_->WaitForExit(timeoutMs, exitCode);
}

bool IsOneRestart(const std::vector<int>& path) {
  std::size_t at = !path.empty() && path[0] == SERVICE_RUNNING ? 1 : 0;
  auto next = [&](int state) { return at < path.size() && path[at] == state ? (++at, true) : false; };
  if (!next(SERVICE_STOP_PENDING)) return false;
  next(SERVICE_STOPPED);
  return next(SERVICE_START_PENDING) && next(SERVICE_RUNNING) && at == path.size();
}

StatusTrail AwaitRestart(ToolRun& tool, const std::vector<int>& which) {
  std::vector<bool> stopped(4, false);
  return tool.WatchStatus(
      [&](const States& states) {
        bool all = true;
        for (int service : which) {
          if (states[service] != SERVICE_RUNNING) stopped[service] = true;
          all = all && stopped[service] && states[service] == SERVICE_RUNNING;
        }
        return all;
      },
      kRestartTimeoutMs);
}

std::string DifferencesFrom(const gui::MessageBoxView& box, const ExpectedBox& expected) {
  if (box.box == nullptr) return "no message box (expected \"" + Shown(expected.text) + "\")";
  std::string differences = "box \"" + Shown(expected.text) + "\": ";
  const std::size_t nothing = differences.size();
  if (box.caption != expected.caption)
    differences += "caption \"" + Shown(box.caption) + "\", expected \"" + Shown(expected.caption) + "\"; ";
  if (box.text != expected.text)
    differences += "text \"" + Shown(box.text) + "\", expected \"" + Shown(expected.text) + "\"; ";
  const bool icon = HoldsIcon(box.box);
  if (icon != expected.icon) differences += icon ? "shows an icon; " : "shows no icon; ";
  std::vector<int> ids;
  for (const gui::MessageBoxView::Button& button : box.buttons) ids.push_back(GetDlgCtrlID(button.handle));
  std::vector<int> sortedIds = ids, sortedExpected = expected.buttons;
  std::sort(sortedIds.begin(), sortedIds.end());
  std::sort(sortedExpected.begin(), sortedExpected.end());
  if (sortedIds != sortedExpected) differences += "buttons " + std::to_string(ids.size()) + " differ; ";
  return differences.size() == nothing ? std::string() : differences;
}

}  // namespace e2e
