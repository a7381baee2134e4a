#include "driver_win.h"

#include <cstdio>
#include <cstdlib>

namespace gui {

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

struct Search {
  DWORD processId;
  bool visibleOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && (!search->visibleOnly || IsWindowVisible(window) != FALSE))
    search->found.push_back(window);
  return TRUE;
}

// A Unix folder as Wine shows it (drive Z: is the root); Windows paths pass.
std::string WindowsPath(const std::string& folder) {
  if (folder.empty() || folder[0] != '/') return folder;
  std::string path = "Z:" + folder;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace

Process::Process(const std::string& commandLine, const std::string& folder) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  std::string line = commandLine;
  const std::string where = WindowsPath(folder);
  if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                     where.empty() ? nullptr : where.c_str(), &startup, &info_) == FALSE)
    info_ = PROCESS_INFORMATION{};
}

Process::~Process() {
  if (info_.hProcess == nullptr) return;
  if (Running()) {
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 10000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool Process::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (info_.hProcess == nullptr || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
  if (exitCode != nullptr) GetExitCodeProcess(info_.hProcess, exitCode);
  return true;
}

bool Process::Running() { return info_.hProcess != nullptr && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(pollMs);
  }
}

std::vector<HWND> TopLevelWindows(DWORD processId, bool visibleOnly) {
  Search search{processId, visibleOnly, {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

std::string ClassOf(HWND window) {
  char name[256] = {0};
  const int length = GetClassNameA(window, name, sizeof name);
  return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length) == 0)
    return std::string();
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  DWORD_PTR copied = 0;
  if (SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                          kAnswerTimeoutMs, &copied) == 0)
    return std::string();
  text.resize(copied <= length ? static_cast<std::size_t>(copied) : static_cast<std::size_t>(length));
  return text;
}

LONG StyleOf(HWND window) { return GetWindowLongA(window, GWL_STYLE); }
LONG ExStyleOf(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE); }
bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }

RECT OuterRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

RECT RectInParent(HWND child) {
  RECT rect = OuterRect(child);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

HWND FindTopLevel(DWORD processId, const std::string& className, const std::string* title) {
  for (HWND window : TopLevelWindows(processId, true))
    if (ClassOf(window) == className && (title == nullptr || TextOf(window) == *title)) return window;
  return nullptr;
}

HWND FindMessageBox(DWORD processId) { return FindTopLevel(processId, "#32770"); }

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView view;
  view.box = box;
  view.caption = TextOf(box);
  for (HWND child : Children(box)) {
    const std::string kind = ClassOf(child);
    const LONG style = StyleOf(child);
    if (kind == "Static") {
      if ((style & SS_TYPEMASK) == SS_ICON) {
        view.iconShown = view.iconShown || IsShown(child);
      } else if (IsShown(child)) {
        const std::string text = TextOf(child);
        if (!text.empty()) view.text = text;
      }
    } else if (kind == "Button" && IsShown(child)) {
      view.buttons.push_back({child, TextOf(child)});
    }
  }
  return view;
}

void Press(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

void Close(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }

bool TakeScreenshot(const std::string& name, const RECT& area, int margin, DWORD timeoutMs) {
  const char* folder = std::getenv("KORVANE_SCREENSHOT_DIR");
  if (folder == nullptr || *folder == '\0') return false;
  const std::string base = WindowsPath(folder) + "\\" + name;
  const std::string picture = base + ".png";
  const std::string request = base + ".request";
  DeleteFileA(picture.c_str());
  const LONG left = area.left - margin > 0 ? area.left - margin : 0;
  const LONG top = area.top - margin > 0 ? area.top - margin : 0;
  char geometry[64];
  std::snprintf(geometry, sizeof geometry, "%ldx%ld+%ld+%ld\n", area.right + margin - left,
                area.bottom + margin - top, left, top);
  // Written aside and renamed, so that the watcher never reads half a request.
  const std::string partial = request + ".part";
  FILE* out = std::fopen(partial.c_str(), "wb");
  if (out == nullptr) return false;
  std::fputs(geometry, out);
  std::fclose(out);
  if (MoveFileExA(partial.c_str(), request.c_str(), MOVEFILE_REPLACE_EXISTING) == FALSE) return false;
  return WaitFor([&] { return FileExists(picture) && !FileExists(request); }, timeoutMs, 250);
}

}  // namespace gui
