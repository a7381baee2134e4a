#include "runtime/function_binding.h"

#include <cstdio>

#include "runtime/fatal_error.h"

namespace {

struct BindingEntry {
  const char* library;  // as written in the table; empty: try the search list
  const char* function;
  std::int32_t argumentCount;
  ProcAddress address;
  NativeHandle module;
};

BindingEntry table[kBoundFunctionCount] = {
    {"advapi32.dll", "OpenSCManagerA", 3, 0, 0},
    {"advapi32.dll", "OpenServiceA", 3, 0, 0},
    {"advapi32.dll", "ControlService", 3, 0, 0},
    {"advapi32.dll", "CloseServiceHandle", 1, 0, 0},
    {"advapi32.dll", "StartServiceA", 3, 0, 0},
    {"", "QueryServiceStatus", 2, 0, 0},
    {"kernel32.dll", "_lopen", 2, 0, 0},
    {"kernel32", "ReadFile", 5, 0, 0},
    {"kernel32", "CloseHandle", 1, 0, 0},
    {"kernel32.dll", "CreateFileA", 7, 0, 0},
    {"kernel32", "RtlMoveMemory", 3, 0, 0},
    {"kernel32", "WriteFile", 5, 0, 0},
};

const char* const kLibrarySearchList[] = {"Kernel32.dll", "Gdi32.dll",  "User32.dll",
                                          "Advapi32.dll", "Mpr.dll",    "Shell32.dll"};

// A name without an extension means the .dll of that name.
Text LibraryFileName(TextView name) {
  const std::size_t slash = name.find_last_of("\\/");
  const TextView file = slash == TextView::npos ? name : name.substr(slash + 1);
  return file.find('.') == TextView::npos ? JoinTexts(name, ".dll") : Text(name);
}

NativeHandle LoadNamedLibrary(TextView name) {
  if (name.find(':') != TextView::npos) return Sys().LoadLibraryFile(LibraryFileName(name));
  return Sys().LoadLibraryFile(JoinTexts(Sys().SystemDirectory(), "\\", LibraryFileName(name)));
}

void Resolve(BindingEntry& entry) {
  NativeHandle module = 0;
  ProcAddress address = 0;
  if (*entry.library == '\0') {
    for (const char* candidate : kLibrarySearchList) {
      const NativeHandle tried = LoadNamedLibrary(candidate);
      if (tried == 0) continue;
      address = Sys().FindExport(tried, entry.function);
      if (address != 0) {
        module = tried;
        break;
      }
      Sys().ReleaseLibrary(tried);
    }
  } else {
    module = LoadNamedLibrary(entry.library);
    if (module != 0) address = Sys().FindExport(module, entry.function);
  }
  if (address == 0) {
    if (module != 0) Sys().ReleaseLibrary(module);
    char message[512];
    if (*entry.library == '\0')
      std::snprintf(message, sizeof message, "无法找到指定DLL库文件中的输出命令“%s”", entry.function);
    else
      std::snprintf(message, sizeof message, "无法找到指定DLL库文件“%s”中的输出命令“%s”", entry.library,
                    entry.function);
    FatalRuntimeError(0, message);
  }
  entry.address = address;
  entry.module = module;
}

}  // namespace

ProcAddress ResolveBoundFunction(BoundFunction entry) {
  BindingEntry& slot = table[entry];
  if (slot.address == 0) Resolve(slot);
  return slot.address;
}

void ReleaseBoundLibraries() {
  for (BindingEntry& entry : table) {
    if (entry.module != 0) Sys().ReleaseLibrary(entry.module);
    entry.module = 0;
    entry.address = 0;
  }
}

NativeHandle BoundOpenSCManagerA(const char* machine, const char* database, std::uint32_t access) {
  return Sys().CallOpenSCManagerA(ResolveBoundFunction(kOpenSCManagerA), machine, database, access);
}
NativeHandle BoundOpenServiceA(NativeHandle manager, const char* name, std::uint32_t access) {
  return Sys().CallOpenServiceA(ResolveBoundFunction(kOpenServiceA), manager, name, access);
}
std::int32_t BoundControlService(NativeHandle service, std::uint32_t control, ServiceStatusWords* status) {
  return Sys().CallControlService(ResolveBoundFunction(kControlService), service, control, status);
}
std::int32_t BoundCloseServiceHandle(NativeHandle handle) {
  return Sys().CallCloseServiceHandle(ResolveBoundFunction(kCloseServiceHandle), handle);
}
std::int32_t BoundStartServiceA(NativeHandle service, std::uint32_t argumentCount, const char** arguments) {
  return Sys().CallStartServiceA(ResolveBoundFunction(kStartServiceA), service, argumentCount, arguments);
}
std::int32_t BoundQueryServiceStatus(NativeHandle service, ServiceStatusWords* status) {
  return Sys().CallQueryServiceStatus(ResolveBoundFunction(kQueryServiceStatus), service, status);
}
NativeHandle BoundLOpen(const char* path, std::int32_t mode) {
  return Sys().CallLOpen(ResolveBoundFunction(kLOpen), path, mode);
}
std::int32_t BoundReadFile(NativeHandle file, void* buffer, std::uint32_t toRead, std::uint32_t* read,
                           void* overlapped) {
  return Sys().CallReadFile(ResolveBoundFunction(kReadFile), file, buffer, toRead, read, overlapped);
}
std::int32_t BoundCloseHandle(NativeHandle handle) {
  return Sys().CallCloseHandle(ResolveBoundFunction(kCloseHandle), handle);
}
NativeHandle BoundCreateFileA(const char* path, std::uint32_t access, std::uint32_t share, void* security,
                              std::uint32_t disposition, std::uint32_t attributes, NativeHandle templateFile) {
  return Sys().CallCreateFileA(ResolveBoundFunction(kCreateFileA), path, access, share, security, disposition,
                               attributes, templateFile);
}
void BoundRtlMoveMemory(void* destination, const void* source, std::uint32_t length) {
  Sys().CallRtlMoveMemory(ResolveBoundFunction(kRtlMoveMemory), destination, source, length);
}
std::int32_t BoundWriteFile(NativeHandle file, const void* buffer, std::uint32_t toWrite, std::uint32_t* written,
                            void* overlapped) {
  return Sys().CallWriteFile(ResolveBoundFunction(kWriteFile), file, buffer, toWrite, written, overlapped);
}
