// One small owner per kind of Win32 handle: each closes its handle with the
// matching function when it goes out of scope. Move-only; an empty owner
// holds the kind's "none" value and closes nothing.
#pragma once

#include <windows.h>

#include <utility>

template <typename Handle, typename Traits>
class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(Handle handle) : handle_(handle) {}
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~ScopedHandle() { Reset(); }

  Handle Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::None(); }
  // Gives up ownership without closing.
  Handle Release() { return std::exchange(handle_, Traits::None()); }
  // Closes the held handle (if any) and takes `handle`.
  void Reset(Handle handle = Traits::None()) {
    if (handle_ != Traits::None()) Traits::Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Traits::None();
};

struct GdiObjectTraits {
  static HGDIOBJ None() { return nullptr; }
  static void Close(HGDIOBJ object) { DeleteObject(object); }
};
struct HookTraits {
  static HHOOK None() { return nullptr; }
  static void Close(HHOOK hook) { UnhookWindowsHookEx(hook); }
};
struct ServiceHandleTraits {
  static SC_HANDLE None() { return nullptr; }
  static void Close(SC_HANDLE handle) { CloseServiceHandle(handle); }
};
struct RegistryKeyTraits {
  static HKEY None() { return nullptr; }
  static void Close(HKEY key) { RegCloseKey(key); }
};
// CreateFileA gives INVALID_HANDLE_VALUE, not NULL, on failure.
struct FileTraits {
  static HANDLE None() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE file) { CloseHandle(file); }
};
// A device context taken with CreateCompatibleDC.
struct MemoryDcTraits {
  static HDC None() { return nullptr; }
  static void Close(HDC dc) { DeleteDC(dc); }
};

using ScopedGdiObject = ScopedHandle<HGDIOBJ, GdiObjectTraits>;  // fonts, brushes, pens, bitmaps
using ScopedHook = ScopedHandle<HHOOK, HookTraits>;
using ScopedServiceHandle = ScopedHandle<SC_HANDLE, ServiceHandleTraits>;
using ScopedRegistryKey = ScopedHandle<HKEY, RegistryKeyTraits>;
using ScopedFile = ScopedHandle<HANDLE, FileTraits>;
using ScopedMemoryDc = ScopedHandle<HDC, MemoryDcTraits>;

// Selects an object into a device context and selects the old one back.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;
  ~ScopedSelection() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A window device context taken with GetDC or GetWindowDC.
class ScopedWindowDc {
 public:
  ScopedWindowDc(HWND window, HDC dc) : window_(window), dc_(dc) {}
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  ~ScopedWindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};
