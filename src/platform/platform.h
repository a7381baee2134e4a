// The platform seam: every Windows function that the logic of Korvane calls.
//
// The logic above this seam is the same in every build. The Win32 side
// (platform_win.cpp) calls the real functions; the Linux tests put a
// simulated Windows behind it. Nothing here includes <windows.h> or uses
// Windows types: handles, addresses and texts are the project's own.
//
// Contract for every member:
// - Arguments are passed to the Windows function unchanged; a null
//   `const char*` stands for NULL. Texts are GBK bytes, never converted.
// - Results are the Windows function's own; failure is reported the way that
//   function reports it (a zero handle, -1, a non-zero error code). Nothing
//   here shows a message or throws.
// - A handle returned is owned by the caller, who closes it with the matching
//   member. Returned texts are owned by the caller.
#pragma once

#include <array>
#include <cstdint>

#include "runtime/text.h"

// An opaque Windows handle value. 0 is "none"; kInvalidHandle is the -1 that
// _lopen and CreateFileA give on failure.
using NativeHandle = std::uintptr_t;
constexpr NativeHandle kInvalidHandle = static_cast<NativeHandle>(-1);

// The address of a function found by GetProcAddress; 0 when not found.
using ProcAddress = std::uintptr_t;

// The seven 32-bit words of a service status block; the current state is
// word 1.
using ServiceStatusWords = std::array<std::uint32_t, 7>;
constexpr std::size_t kCurrentStateWord = 1;

class Platform {
 public:
  virtual ~Platform() = default;

  // --- process -----------------------------------------------------------
  // GetModuleFileNameA(NULL, buffer, 260): the executable's full path.
  virtual Text ModuleFileName() = 0;
  // SetCurrentDirectoryA(path); its result is not used.
  virtual void SetCurrentFolder(TextView path) = 0;
  // IsDBCSLeadByte: is the byte a lead byte of the ANSI code page.
  virtual bool IsAnsiLeadByte(unsigned char byte) = 0;
  // MessageBoxA(NULL, text, caption, style) for the fatal report.
  virtual void ShowFatalErrorBox(const char* text, const char* caption, std::uint32_t style) = 0;
  // Ends the process at once with the code; exit handlers do not run.
  // Never returns (a simulation may unwind instead).
  virtual void EndProcess(std::int32_t exitCode) = 0;

  // --- libraries ---------------------------------------------------------
  // GetSystemDirectoryA: the Windows system folder, without trailing backslash.
  virtual Text SystemDirectory() = 0;
  // SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) where present.
  virtual void RestrictLibrarySearchToSystemDirectory() = 0;
  // LoadLibraryA(file): a module handle, or 0.
  virtual NativeHandle LoadLibraryFile(TextView file) = 0;
  // GetProcAddress(module, name): the address, or 0.
  virtual ProcAddress FindExport(NativeHandle module, TextView name) = 0;
  // FreeLibrary(module).
  virtual void ReleaseLibrary(NativeHandle module) = 0;

  // --- functions reached through the function binding --------------------
  // Each calls the function at `proc` (found by FindExport for that function
  // name) with exactly the arguments given and returns its result.
  virtual NativeHandle CallOpenSCManagerA(ProcAddress proc, const char* machine, const char* database,
                                          std::uint32_t access) = 0;
  virtual NativeHandle CallOpenServiceA(ProcAddress proc, NativeHandle manager, const char* name,
                                        std::uint32_t access) = 0;
  virtual std::int32_t CallControlService(ProcAddress proc, NativeHandle service, std::uint32_t control,
                                          ServiceStatusWords* status) = 0;
  virtual std::int32_t CallCloseServiceHandle(ProcAddress proc, NativeHandle handle) = 0;
  virtual std::int32_t CallStartServiceA(ProcAddress proc, NativeHandle service, std::uint32_t argumentCount,
                                         const char** arguments) = 0;
  virtual std::int32_t CallQueryServiceStatus(ProcAddress proc, NativeHandle service,
                                              ServiceStatusWords* status) = 0;
  // _lopen returns an HFILE: -1 on failure.
  virtual NativeHandle CallLOpen(ProcAddress proc, const char* path, std::int32_t mode) = 0;
  virtual std::int32_t CallReadFile(ProcAddress proc, NativeHandle file, void* buffer, std::uint32_t toRead,
                                    std::uint32_t* read, void* overlapped) = 0;
  virtual std::int32_t CallCloseHandle(ProcAddress proc, NativeHandle handle) = 0;
  virtual NativeHandle CallCreateFileA(ProcAddress proc, const char* path, std::uint32_t access,
                                       std::uint32_t share, void* security, std::uint32_t disposition,
                                       std::uint32_t attributes, NativeHandle templateFile) = 0;
  virtual void CallRtlMoveMemory(ProcAddress proc, void* destination, const void* source,
                                 std::uint32_t length) = 0;
  virtual std::int32_t CallWriteFile(ProcAddress proc, NativeHandle file, const void* buffer,
                                     std::uint32_t toWrite, std::uint32_t* written, void* overlapped) = 0;

  // --- files, called directly --------------------------------------------
  // CreateDirectoryA(path, NULL): non-zero when created.
  virtual std::int32_t CreateFolder(TextView path) = 0;
  // FlushFileBuffers(file): non-zero on success.
  virtual std::int32_t FlushFile(NativeHandle file) = 0;
  // MoveFileExA(from, to, flags): non-zero on success.
  virtual std::int32_t MoveFileWithFlags(TextView from, TextView to, std::uint32_t flags) = 0;
  // DeleteFileA(path): non-zero on success.
  virtual std::int32_t DeleteFileAt(TextView path) = 0;

  // --- registry ----------------------------------------------------------
  // RegOpenKeyExA(root, subKey, 0, access, &key): 0 and *key on success.
  virtual std::int32_t OpenRegistryKey(std::uint32_t root, const char* subKey, std::uint32_t access,
                                    NativeHandle* key) = 0;
  // RegQueryValueExA(key, name, NULL, type, data, size): 0 on success.
  // type and data may be null.
  virtual std::int32_t QueryRegistryValue(NativeHandle key, const char* name, std::uint32_t* type,
                                       unsigned char* data, std::uint32_t* size) = 0;
  virtual void CloseRegistryKey(NativeHandle key) = 0;
  // ExpandEnvironmentStringsA(source, buffer, size): the size needed,
  // terminating zero included; 0 on failure. buffer may be null when size is 0.
  virtual std::uint32_t ExpandEnvironment(const char* source, char* buffer, std::uint32_t size) = 0;

  // --- Windows Sockets ---------------------------------------------------
  // WSAStartup(version, &data): 0 on success.
  virtual std::int32_t WsaStartup(std::uint16_t version) = 0;
  // gethostname(buffer, length): 0, or -1 (SOCKET_ERROR).
  virtual std::int32_t GetHostNameCall(char* buffer, std::int32_t length) = 0;
  virtual void WsaCleanup() = 0;
};

// The platform the program runs on. Installed once at start (or by a test);
// using it before installation is a programming error.
Platform& Sys();
void InstallPlatform(Platform* platform);
