#include "driver_win.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
  // Across processes Wine may count in characters, not bytes: leave room for
  // two bytes a character and take the text up to its zero byte.
  std::string text(static_cast<std::size_t>(length) * 2 + 16, '\0');
  DWORD_PTR copied = 0;
  if (SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                          kAnswerTimeoutMs, &copied) == 0)
    return std::string();
  text.resize(std::strlen(text.c_str()));
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

std::vector<int> IconSizesInExecutable(const std::string& exePath, const char* iconName) {
  std::vector<int> sizes;
  HMODULE module = LoadLibraryExA(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return sizes;
  HRSRC group = FindResourceA(module, iconName, MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
  HGLOBAL loaded = group != nullptr ? LoadResource(module, group) : nullptr;
  const auto* bytes = static_cast<const unsigned char*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  const DWORD length = group != nullptr ? SizeofResource(module, group) : 0;
  // A header of three words, then one 14-byte entry per image, width first
  // (0 stands for 256).
  if (bytes != nullptr && length >= 6) {
    const int count = bytes[4] | (bytes[5] << 8);
    for (int i = 0; i < count && 6u + 14u * (i + 1) <= length; ++i) {
      const int width = bytes[6 + 14 * i];
      sizes.push_back(width == 0 ? 256 : width);
    }
  }
  FreeLibrary(module);
  return sizes;
}

HICON LoadIconFromExecutable(const std::string& exePath, const char* iconName, int size) {
  HMODULE module = LoadLibraryExA(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) return nullptr;
  // Not shared: the icon outlives the module it came from.
  HICON icon = static_cast<HICON>(LoadImageA(module, iconName, IMAGE_ICON, size, size, 0));
  FreeLibrary(module);
  return icon;
}

namespace {

// 32-bit pixels of a device-independent picture, top row first.
struct Picture {
  int width = 0, height = 0;
  std::vector<DWORD> pixels;
  DWORD At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x] & 0xFFFFFF; }
};

Picture Capture(HDC source, int x, int y, int width, int height) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<std::size_t>(width) * height, 0);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(source);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (memory != nullptr && bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    std::memcpy(picture.pixels.data(), bits, picture.pixels.size() * sizeof(DWORD));
    SelectObject(memory, old);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  return picture;
}

// The icon drawn on a plain background of `colour`.
Picture IconOn(HICON icon, int size, COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
  HGDIOBJ old = SelectObject(memory, bitmap);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, size, size};
  FillRect(memory, &all, brush);
  DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
  Picture picture = Capture(memory, 0, 0, size, size);
  SelectObject(memory, old);
  DeleteObject(brush);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

bool Near(DWORD a, DWORD b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int da = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (da > 8 || da < -8) return false;
  }
  return true;
}

}  // namespace

bool ScreenShowsIcon(HICON icon, int size, const RECT& area) {
  if (icon == nullptr) return false;
  // Opaque pixels are those that look the same on black and on white.
  const Picture onBlack = IconOn(icon, size, RGB(0, 0, 0));
  const Picture onWhite = IconOn(icon, size, RGB(255, 255, 255));
  std::vector<std::pair<int, int>> opaque;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if (onBlack.At(x, y) == onWhite.At(x, y)) opaque.emplace_back(x, y);
  if (opaque.empty()) return false;

  HDC screen = GetDC(nullptr);
  const Picture shown = Capture(screen, area.left, area.top, area.right - area.left, area.bottom - area.top);
  ReleaseDC(nullptr, screen);
  for (int top = 0; top + size <= shown.height; ++top)
    for (int left = 0; left + size <= shown.width; ++left) {
      bool all = true;
      for (const auto& [x, y] : opaque)
        if (!Near(shown.At(left + x, top + y), onBlack.At(x, y))) {
          all = false;
          break;
        }
      if (all) return true;
    }
  return false;
}

COLORREF ScreenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

void MoveMouse(POINT to) { SetCursorPos(to.x, to.y); }

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
