#include "support/simulated_windows.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "runtime/function_binding.h"
#include "runtime/program_values.h"

namespace {

std::string Hex(std::uint64_t value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "0x%llX", static_cast<unsigned long long>(value));
  return buffer;
}

std::string Quoted(const char* text) { return text == nullptr ? "NULL" : "\"" + std::string(text) + "\""; }

const char* RootName(std::uint32_t root) {
  switch (root) {
    case 0x80000000u: return "HKCR";
    case 0x80000001u: return "HKCU";
    case 0x80000002u: return "HKLM";
    case 0x80000003u: return "HKU";
    case 0x80000005u: return "HKCC";
    default: return "?";
  }
}

}  // namespace

std::string FoldCase(const std::string& text) {
  std::string folded = text;
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
  return folded;
}

SimulatedWindows::SimulatedWindows() : serviceManager(*this), fileSystem(*this) {
  const std::set<std::string> kernel32 = {"_lopen",       "ReadFile", "CloseHandle", "CreateFileA",
                                          "RtlMoveMemory", "WriteFile", "GetModuleFileNameA"};
  const std::set<std::string> advapi32 = {"OpenSCManagerA",     "OpenServiceA",      "ControlService",
                                          "CloseServiceHandle", "StartServiceA",     "QueryServiceStatus",
                                          "RegOpenKeyExA",      "RegQueryValueExA"};
  AddLibrary(systemDirectory + "\\kernel32.dll", kernel32);
  AddLibrary(systemDirectory + "\\advapi32.dll", advapi32);
  AddLibrary(systemDirectory + "\\gdi32.dll", {"CreateFontIndirectA"});
  AddLibrary(systemDirectory + "\\user32.dll", {"MessageBoxA"});
  AddLibrary(systemDirectory + "\\mpr.dll", {"WNetGetConnectionA"});
  AddLibrary(systemDirectory + "\\shell32.dll", {"ShellExecuteA"});
  InstallPlatform(this);
}

SimulatedWindows::~SimulatedWindows() {
  // Each simulated Windows is one run of the process: nothing it bound or
  // set survives into the next test.
  ReleaseBoundLibraries();
  listenerServiceName.clear();
  listenerImagePath.clear();
  runDirectory.clear();
  winsockStarted = false;
  databaseStartOwed = false;
  listenerStartOwed = false;
  InstallPlatform(nullptr);
  EXPECT_TRUE(openHandles.empty()) << openHandles.size() << " handle(s) left open";
}

std::vector<std::string> SimulatedWindows::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> matching;
  for (const std::string& call : calls)
    if (call.compare(0, prefix.size(), prefix) == 0) matching.push_back(call);
  return matching;
}

void SimulatedWindows::Log(std::string line) { calls.push_back(std::move(line)); }

NativeHandle SimulatedWindows::NewHandle() {
  const NativeHandle handle = nextHandle_;
  nextHandle_ += 4;
  openHandles.insert(handle);
  return handle;
}

bool SimulatedWindows::ExpectOpen(NativeHandle handle, const char* function) {
  if (openHandles.count(handle) != 0) return true;
  ADD_FAILURE() << function << " given a handle that is not open: " << Hex(handle);
  return false;
}

void SimulatedWindows::Close(NativeHandle handle) { openHandles.erase(handle); }

bool SimulatedWindows::ExpectProc(ProcAddress proc, const char* function) {
  const auto found = procs_.find(proc);
  if (found != procs_.end() && found->second == function) return true;
  ADD_FAILURE() << function << " called through an address that is not its own: " << Hex(proc);
  return false;
}

// --- process ---------------------------------------------------------------

Text SimulatedWindows::ModuleFileName() {
  Log("GetModuleFileNameA(NULL, 260)");
  return Text(moduleFileName.substr(0, 259));
}

void SimulatedWindows::SetCurrentFolder(TextView path) {
  currentFolder = std::string(path);
  Log("SetCurrentDirectoryA(\"" + currentFolder + "\")");
}

bool SimulatedWindows::IsAnsiLeadByte(unsigned char byte) { return doubleByteCodePage && byte >= 0x81 && byte <= 0xFE; }

void SimulatedWindows::ShowFatalErrorBox(const char* text, const char* caption, std::uint32_t style) {
  fatalBoxes.push_back({text, caption, style});
  Log("MessageBoxA(NULL, fatal)");
}

void SimulatedWindows::EndProcess(std::int32_t exitCode) {
  Log("ExitProcess(" + std::to_string(exitCode) + ")");
  throw ProcessEnded{exitCode};
}

// --- libraries -------------------------------------------------------------

void SimulatedWindows::AddLibrary(const std::string& path, std::set<std::string> exports) {
  libraries[FoldCase(path)] = std::move(exports);
}

Text SimulatedWindows::SystemDirectory() { return Text(systemDirectory); }

void SimulatedWindows::RestrictLibrarySearchToSystemDirectory() { Log("SetDefaultDllDirectories(SYSTEM32)"); }

NativeHandle SimulatedWindows::LoadLibraryFile(TextView file) {
  const std::string path(file);
  loadedLibraries.push_back(path);
  Log("LoadLibraryA(\"" + path + "\")");
  if (libraries.count(FoldCase(path)) == 0) return 0;
  for (auto& [handle, module] : modules_) {
    if (FoldCase(module.path) == FoldCase(path)) {
      ++module.references;
      return handle;
    }
  }
  const NativeHandle handle = nextHandle_;
  nextHandle_ += 4;
  modules_[handle] = {path, 1};
  return handle;
}

ProcAddress SimulatedWindows::FindExport(NativeHandle module, TextView name) {
  const auto found = modules_.find(module);
  if (found == modules_.end() || found->second.references == 0) {
    ADD_FAILURE() << "GetProcAddress on a module that is not loaded";
    return 0;
  }
  const std::string function(name);
  Log("GetProcAddress(\"" + found->second.path + "\", \"" + function + "\")");
  if (libraries[FoldCase(found->second.path)].count(function) == 0) return 0;
  for (const auto& [address, known] : procs_)
    if (known == function) return address;
  const ProcAddress address = nextProc_++;
  procs_[address] = function;
  return address;
}

void SimulatedWindows::ReleaseLibrary(NativeHandle module) {
  const auto found = modules_.find(module);
  if (found == modules_.end() || found->second.references == 0) {
    ADD_FAILURE() << "FreeLibrary on a module that is not loaded";
    return;
  }
  releasedLibraries.push_back(found->second.path);
  Log("FreeLibrary(\"" + found->second.path + "\")");
  --found->second.references;
}

// --- calls through the binding ----------------------------------------------

NativeHandle SimulatedWindows::CallOpenSCManagerA(ProcAddress proc, const char* machine, const char* database,
                                                  std::uint32_t access) {
  if (!ExpectProc(proc, "OpenSCManagerA")) return 0;
  return serviceManager.OpenSCManagerA(machine, database, access);
}
NativeHandle SimulatedWindows::CallOpenServiceA(ProcAddress proc, NativeHandle manager, const char* name,
                                                std::uint32_t access) {
  if (!ExpectProc(proc, "OpenServiceA")) return 0;
  return serviceManager.OpenServiceA(manager, name, access);
}
std::int32_t SimulatedWindows::CallControlService(ProcAddress proc, NativeHandle service, std::uint32_t control,
                                                  ServiceStatusWords* status) {
  if (!ExpectProc(proc, "ControlService")) return 0;
  return serviceManager.ControlService(service, control, status);
}
std::int32_t SimulatedWindows::CallCloseServiceHandle(ProcAddress proc, NativeHandle handle) {
  if (!ExpectProc(proc, "CloseServiceHandle")) return 0;
  return serviceManager.CloseServiceHandle(handle);
}
std::int32_t SimulatedWindows::CallStartServiceA(ProcAddress proc, NativeHandle service, std::uint32_t argumentCount,
                                                 const char** arguments) {
  if (!ExpectProc(proc, "StartServiceA")) return 0;
  return serviceManager.StartServiceA(service, argumentCount, arguments);
}
std::int32_t SimulatedWindows::CallQueryServiceStatus(ProcAddress proc, NativeHandle service,
                                                      ServiceStatusWords* status) {
  if (!ExpectProc(proc, "QueryServiceStatus")) return 0;
  return serviceManager.QueryServiceStatus(service, status);
}
NativeHandle SimulatedWindows::CallLOpen(ProcAddress proc, const char* path, std::int32_t mode) {
  if (!ExpectProc(proc, "_lopen")) return kInvalidHandle;
  return fileSystem.LOpen(path, mode);
}
std::int32_t SimulatedWindows::CallReadFile(ProcAddress proc, NativeHandle file, void* buffer, std::uint32_t toRead,
                                            std::uint32_t* read, void* overlapped) {
  if (!ExpectProc(proc, "ReadFile")) return 0;
  return fileSystem.ReadFile(file, buffer, toRead, read, overlapped);
}
std::int32_t SimulatedWindows::CallCloseHandle(ProcAddress proc, NativeHandle handle) {
  if (!ExpectProc(proc, "CloseHandle")) return 0;
  return fileSystem.CloseHandle(handle);
}
NativeHandle SimulatedWindows::CallCreateFileA(ProcAddress proc, const char* path, std::uint32_t access,
                                               std::uint32_t share, void* security, std::uint32_t disposition,
                                               std::uint32_t attributes, NativeHandle templateFile) {
  if (!ExpectProc(proc, "CreateFileA")) return kInvalidHandle;
  return fileSystem.CreateFileA(path, access, share, security, disposition, attributes, templateFile);
}
void SimulatedWindows::CallRtlMoveMemory(ProcAddress proc, void* destination, const void* source,
                                         std::uint32_t length) {
  if (!ExpectProc(proc, "RtlMoveMemory")) return;
  Log("RtlMoveMemory(" + std::to_string(length) + ")");
  if (length != 0) std::memmove(destination, source, length);
}
std::int32_t SimulatedWindows::CallWriteFile(ProcAddress proc, NativeHandle file, const void* buffer,
                                             std::uint32_t toWrite, std::uint32_t* written, void* overlapped) {
  if (!ExpectProc(proc, "WriteFile")) return 0;
  return fileSystem.WriteFile(file, buffer, toWrite, written, overlapped);
}

std::int32_t SimulatedWindows::CreateFolder(TextView path) { return fileSystem.CreateFolder(std::string(path)); }
std::int32_t SimulatedWindows::FlushFile(NativeHandle file) { return fileSystem.FlushFile(file); }
std::int32_t SimulatedWindows::MoveFileWithFlags(TextView from, TextView to, std::uint32_t flags) {
  return fileSystem.MoveFileWithFlags(std::string(from), std::string(to), flags);
}
std::int32_t SimulatedWindows::DeleteFileAt(TextView path) { return fileSystem.DeleteFileAt(std::string(path)); }

// --- registry --------------------------------------------------------------

std::string SimulatedWindows::RegistryKeyName(std::uint32_t root, const std::string& key) {
  return FoldCase(std::string(RootName(root)) + "\\" + key);
}

void SimulatedWindows::SetRegistryValue(std::uint32_t root, const std::string& key, const std::string& name,
                                        std::uint32_t type, const std::string& data) {
  registry_[RegistryKeyName(root, key)].values[FoldCase(name)] = {type, data};
}

void SimulatedWindows::SetRegistryText(std::uint32_t root, const std::string& key, const std::string& name,
                                       const std::string& text, std::uint32_t type) {
  SetRegistryValue(root, key, name, type, text + std::string(1, '\0'));
}

void SimulatedWindows::DenyRegistryKey(std::uint32_t root, const std::string& key) {
  registry_[RegistryKeyName(root, key)].denied = true;
}

std::int32_t SimulatedWindows::OpenRegistryKey(std::uint32_t root, const char* subKey, std::uint32_t access,
                                               NativeHandle* key) {
  Log(std::string("RegOpenKeyExA(") + RootName(root) + ", " + Quoted(subKey) + ", " + Hex(access) + ")");
  const auto found = registry_.find(RegistryKeyName(root, subKey == nullptr ? "" : subKey));
  const bool atRoot = subKey == nullptr || *subKey == '\0';
  if (!atRoot && found == registry_.end()) return 2;  // ERROR_FILE_NOT_FOUND
  if (found != registry_.end() && found->second.denied) return 5;  // ERROR_ACCESS_DENIED
  *key = NewHandle();
  openKeys_[*key] = RegistryKeyName(root, subKey == nullptr ? "" : subKey);
  return 0;
}

std::int32_t SimulatedWindows::QueryRegistryValue(NativeHandle key, const char* name, std::uint32_t* type,
                                                  unsigned char* data, std::uint32_t* size) {
  Log("RegQueryValueExA(" + Quoted(name) + (data == nullptr ? ", no data)" : ", data)"));
  if (!ExpectOpen(key, "RegQueryValueExA")) return 6;  // ERROR_INVALID_HANDLE
  const RegistryKey& opened = registry_[openKeys_[key]];
  const auto value = opened.values.find(FoldCase(name == nullptr ? "" : name));
  if (value == opened.values.end()) return 2;
  if (type != nullptr) *type = value->second.type;
  const auto needed = static_cast<std::uint32_t>(value->second.data.size());
  if (data != nullptr) {
    if (*size < needed) {
      *size = needed;
      return 234;  // ERROR_MORE_DATA
    }
    std::memcpy(data, value->second.data.data(), needed);
  }
  *size = needed;
  return 0;
}

void SimulatedWindows::CloseRegistryKey(NativeHandle key) {
  Log("RegCloseKey");
  if (!ExpectOpen(key, "RegCloseKey")) return;
  openKeys_.erase(key);
  Close(key);
}

std::uint32_t SimulatedWindows::ExpandEnvironment(const char* source, char* buffer, std::uint32_t size) {
  Log("ExpandEnvironmentStringsA(" + Quoted(source) + ", " + std::to_string(size) + ")");
  std::map<std::string, std::string> folded;
  for (const auto& [name, value] : environment) folded[FoldCase(name)] = value;
  std::string expanded;
  const std::string text = source;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t close = text[i] == '%' ? text.find('%', i + 1) : std::string::npos;
    const auto known = close == std::string::npos ? folded.end() : folded.find(FoldCase(text.substr(i + 1, close - i - 1)));
    if (known != folded.end()) {
      expanded += known->second;
      i = close + 1;
    } else {
      expanded += text[i++];  // an unknown reference stays as written, as on Windows
    }
  }
  const auto needed = static_cast<std::uint32_t>(expanded.size() + 1);
  if (buffer != nullptr && size >= needed) std::memcpy(buffer, expanded.c_str(), needed);
  return needed;
}

// --- Windows Sockets ---------------------------------------------------------

std::int32_t SimulatedWindows::WsaStartup(std::uint16_t version) {
  Log("WSAStartup(" + Hex(version) + ")");
  if (winsockStartFails) return 10091;  // WSASYSNOTREADY
  ++winsockStarts;
  return 0;
}

std::int32_t SimulatedWindows::GetHostNameCall(char* buffer, std::int32_t length) {
  Log("gethostname(" + std::to_string(length) + ")");
  if (winsockStarts == winsockCleanups) return -1;  // WSANOTINITIALISED
  if (static_cast<std::int32_t>(hostName.size()) + 1 > length) return -1;  // WSAEFAULT
  std::memcpy(buffer, hostName.c_str(), hostName.size() + 1);
  return 0;
}

void SimulatedWindows::WsaCleanup() {
  Log("WSACleanup");
  ++winsockCleanups;
}
