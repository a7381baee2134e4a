#include "platform/platform_win.h"

#include <winsock2.h>
#include <windows.h>

#include <type_traits>

static_assert(sizeof(ServiceStatusWords) == sizeof(SERVICE_STATUS), "status block must match SERVICE_STATUS");

namespace {

template <typename T>
T HandleOf(NativeHandle value) {
  if constexpr (std::is_pointer_v<T>)
    return reinterpret_cast<T>(value);
  else
    return static_cast<T>(value);
}

NativeHandle ValueOf(const void* handle) { return reinterpret_cast<NativeHandle>(handle); }

// A bound address as the function type it was looked up for.
template <typename Function>
Function As(ProcAddress proc) {
  return reinterpret_cast<Function>(proc);
}

Text Str(TextView text) { return Text(text); }

}  // namespace

Text Win32Platform::ModuleFileName() {
  char buffer[260] = {0};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, 260);
  return Text(buffer, length < 260 ? length : 260);
}

void Win32Platform::SetCurrentFolder(TextView path) { SetCurrentDirectoryA(Str(path).c_str()); }

bool Win32Platform::IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

void Win32Platform::ShowFatalErrorBox(const char* text, const char* caption, std::uint32_t style) {
  MessageBoxA(nullptr, text, caption, style);
}

void Win32Platform::EndProcess(std::int32_t exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

Text Win32Platform::SystemDirectory() {
  char buffer[MAX_PATH] = {0};
  const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
  return Text(buffer, length < MAX_PATH ? length : 0);
}

void Win32Platform::RestrictLibrarySearchToSystemDirectory() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  auto restrict = kernel == nullptr ? nullptr
      : reinterpret_cast<SetDefaultDllDirectoriesFn>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (restrict != nullptr) restrict(0x00000800 /* LOAD_LIBRARY_SEARCH_SYSTEM32 */);
}

NativeHandle Win32Platform::LoadLibraryFile(TextView file) { return ValueOf(LoadLibraryA(Str(file).c_str())); }

ProcAddress Win32Platform::FindExport(NativeHandle module, TextView name) {
  return reinterpret_cast<ProcAddress>(
      reinterpret_cast<void*>(GetProcAddress(HandleOf<HMODULE>(module), Str(name).c_str())));
}

void Win32Platform::ReleaseLibrary(NativeHandle module) { ::FreeLibrary(HandleOf<HMODULE>(module)); }

NativeHandle Win32Platform::CallOpenSCManagerA(ProcAddress proc, const char* machine, const char* database,
                                               std::uint32_t access) {
  return ValueOf(As<decltype(&OpenSCManagerA)>(proc)(machine, database, access));
}

NativeHandle Win32Platform::CallOpenServiceA(ProcAddress proc, NativeHandle manager, const char* name,
                                             std::uint32_t access) {
  return ValueOf(As<decltype(&OpenServiceA)>(proc)(HandleOf<SC_HANDLE>(manager), name, access));
}

std::int32_t Win32Platform::CallControlService(ProcAddress proc, NativeHandle service, std::uint32_t control,
                                               ServiceStatusWords* status) {
  return As<decltype(&ControlService)>(proc)(HandleOf<SC_HANDLE>(service), control,
                                             reinterpret_cast<SERVICE_STATUS*>(status->data()));
}

std::int32_t Win32Platform::CallCloseServiceHandle(ProcAddress proc, NativeHandle handle) {
  return As<decltype(&CloseServiceHandle)>(proc)(HandleOf<SC_HANDLE>(handle));
}

std::int32_t Win32Platform::CallStartServiceA(ProcAddress proc, NativeHandle service, std::uint32_t argumentCount,
                                              const char** arguments) {
  return As<decltype(&StartServiceA)>(proc)(HandleOf<SC_HANDLE>(service), argumentCount, arguments);
}

std::int32_t Win32Platform::CallQueryServiceStatus(ProcAddress proc, NativeHandle service,
                                                   ServiceStatusWords* status) {
  return As<decltype(&QueryServiceStatus)>(proc)(HandleOf<SC_HANDLE>(service),
                                                 reinterpret_cast<SERVICE_STATUS*>(status->data()));
}

NativeHandle Win32Platform::CallLOpen(ProcAddress proc, const char* path, std::int32_t mode) {
  const HFILE file = As<decltype(&_lopen)>(proc)(path, mode);
  return static_cast<NativeHandle>(static_cast<std::intptr_t>(file));
}

std::int32_t Win32Platform::CallReadFile(ProcAddress proc, NativeHandle file, void* buffer, std::uint32_t toRead,
                                         std::uint32_t* read, void* overlapped) {
  return As<decltype(&ReadFile)>(proc)(HandleOf<HANDLE>(file), buffer, toRead, reinterpret_cast<DWORD*>(read),
                                       static_cast<OVERLAPPED*>(overlapped));
}

std::int32_t Win32Platform::CallCloseHandle(ProcAddress proc, NativeHandle handle) {
  return As<decltype(&CloseHandle)>(proc)(HandleOf<HANDLE>(handle));
}

NativeHandle Win32Platform::CallCreateFileA(ProcAddress proc, const char* path, std::uint32_t access,
                                            std::uint32_t share, void* security, std::uint32_t disposition,
                                            std::uint32_t attributes, NativeHandle templateFile) {
  return ValueOf(As<decltype(&CreateFileA)>(proc)(path, access, share, static_cast<SECURITY_ATTRIBUTES*>(security),
                                                  disposition, attributes, HandleOf<HANDLE>(templateFile)));
}

void Win32Platform::CallRtlMoveMemory(ProcAddress proc, void* destination, const void* source,
                                      std::uint32_t length) {
  using MoveMemoryFn = void(WINAPI*)(void*, const void*, SIZE_T);
  As<MoveMemoryFn>(proc)(destination, source, length);
}

std::int32_t Win32Platform::CallWriteFile(ProcAddress proc, NativeHandle file, const void* buffer,
                                          std::uint32_t toWrite, std::uint32_t* written, void* overlapped) {
  return As<decltype(&WriteFile)>(proc)(HandleOf<HANDLE>(file), buffer, toWrite, reinterpret_cast<DWORD*>(written),
                                        static_cast<OVERLAPPED*>(overlapped));
}

std::int32_t Win32Platform::CreateFolder(TextView path) { return CreateDirectoryA(Str(path).c_str(), nullptr); }

std::int32_t Win32Platform::FlushFile(NativeHandle file) { return FlushFileBuffers(HandleOf<HANDLE>(file)); }

std::int32_t Win32Platform::MoveFileWithFlags(TextView from, TextView to, std::uint32_t flags) {
  return MoveFileExA(Str(from).c_str(), Str(to).c_str(), flags);
}

std::int32_t Win32Platform::DeleteFileAt(TextView path) { return DeleteFileA(Str(path).c_str()); }

std::int32_t Win32Platform::OpenRegistryKey(std::uint32_t root, const char* subKey, std::uint32_t access,
                                         NativeHandle* key) {
  HKEY opened = nullptr;
  const LONG result = RegOpenKeyExA(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root))), subKey,
                                    0, access, &opened);
  *key = ValueOf(opened);
  return result;
}

std::int32_t Win32Platform::QueryRegistryValue(NativeHandle key, const char* name, std::uint32_t* type,
                                            unsigned char* data, std::uint32_t* size) {
  return RegQueryValueExA(HandleOf<HKEY>(key), name, nullptr, reinterpret_cast<DWORD*>(type), data,
                          reinterpret_cast<DWORD*>(size));
}

void Win32Platform::CloseRegistryKey(NativeHandle key) { ::RegCloseKey(HandleOf<HKEY>(key)); }

std::uint32_t Win32Platform::ExpandEnvironment(const char* source, char* buffer, std::uint32_t size) {
  return ExpandEnvironmentStringsA(source, buffer, size);
}

std::int32_t Win32Platform::WsaStartup(std::uint16_t version) {
  WSADATA data;
  return WSAStartup(version, &data);
}

std::int32_t Win32Platform::GetHostNameCall(char* buffer, std::int32_t length) { return gethostname(buffer, length); }

void Win32Platform::WsaCleanup() { WSACleanup(); }
