// A simulated Windows behind the platform seam, for the Linux tests.
//
// It holds a registry with typed values, environment variables, a file
// system, a library loader with chosen exports, a service manager, a host
// name and whether the process is elevated. Constructing one installs it as
// the platform; destroying it uninstalls it and fails the test if any handle
// it gave out is still open.
//
// It fails loudly (ADD_FAILURE) on anything a well-behaved caller never does:
// a handle it did not give out, a call through an address that belongs to
// another function, a library released twice.
//
// Paths and names compare without regard to ASCII case, as on Windows.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/simulated_files.h"
#include "support/simulated_services.h"

// Thrown by EndProcess so that a test can watch the process end.
struct ProcessEnded {
  std::int32_t exitCode;
};

struct FatalBox {
  std::string text;
  std::string caption;
  std::uint32_t style;
};

// Registry value types.
constexpr std::uint32_t kSimRegSz = 1;
constexpr std::uint32_t kSimRegExpandSz = 2;
constexpr std::uint32_t kSimRegBinary = 3;
constexpr std::uint32_t kSimRegDword = 4;
constexpr std::uint32_t kSimRegMultiSz = 7;

// Lower-cases ASCII letters: the key of every case-blind map here.
std::string FoldCase(const std::string& text);

class SimulatedWindows : public Platform {
 public:
  SimulatedWindows();
  SimulatedWindows(const SimulatedWindows&) = delete;
  SimulatedWindows& operator=(const SimulatedWindows&) = delete;
  ~SimulatedWindows() override;

  // --- what the test sets up -------------------------------------------
  std::string moduleFileName = "C:\\Tools\\korvane.exe";
  std::string systemDirectory = "C:\\windows\\system32";
  bool doubleByteCodePage = true;  // code page 936: lead bytes 0x81 to 0xFE
  bool elevated = true;
  std::string hostName = "NEWPC";
  bool winsockStartFails = false;
  std::map<std::string, std::string> environment;  // name (any case) -> value

  // Registry: root HKEY value, key path, value name.
  void SetRegistryValue(std::uint32_t root, const std::string& key, const std::string& name, std::uint32_t type,
                        const std::string& data);
  // A text value stored with its terminating zero, as Windows stores it.
  void SetRegistryText(std::uint32_t root, const std::string& key, const std::string& name, const std::string& text,
                       std::uint32_t type = kSimRegSz);
  // A key that exists but cannot be opened for reading.
  void DenyRegistryKey(std::uint32_t root, const std::string& key);

  // Libraries: full path -> exported function names. The constructor puts
  // the six system libraries with their real exports into the system folder.
  std::map<std::string, std::set<std::string>> libraries;  // key: FoldCase(path)
  void AddLibrary(const std::string& path, std::set<std::string> exports);

  // The service manager and the file system; the service and file calls
  // below are theirs.
  SimulatedServiceManager serviceManager;
  SimulatedFileSystem fileSystem;

  // --- what the test observes ------------------------------------------
  std::vector<std::string> calls;  // every seam call, in order, with arguments
  std::vector<std::string> loadedLibraries;  // paths asked of LoadLibraryA
  std::vector<std::string> releasedLibraries;
  std::vector<FatalBox> fatalBoxes;
  std::string currentFolder;
  std::set<NativeHandle> openHandles;  // service, file and registry handles
  int winsockStarts = 0;
  int winsockCleanups = 0;

  // Calls whose log line starts with `prefix`.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

  // --- Platform --------------------------------------------------------
  Text ModuleFileName() override;
  void SetCurrentFolder(TextView path) override;
  bool IsAnsiLeadByte(unsigned char byte) override;
  void ShowFatalErrorBox(const char* text, const char* caption, std::uint32_t style) override;
  void EndProcess(std::int32_t exitCode) override;

  Text SystemDirectory() override;
  void RestrictLibrarySearchToSystemDirectory() override;
  NativeHandle LoadLibraryFile(TextView file) override;
  ProcAddress FindExport(NativeHandle module, TextView name) override;
  void ReleaseLibrary(NativeHandle module) override;

  NativeHandle CallOpenSCManagerA(ProcAddress proc, const char* machine, const char* database,
                                  std::uint32_t access) override;
  NativeHandle CallOpenServiceA(ProcAddress proc, NativeHandle manager, const char* name,
                                std::uint32_t access) override;
  std::int32_t CallControlService(ProcAddress proc, NativeHandle service, std::uint32_t control,
                                  ServiceStatusWords* status) override;
  std::int32_t CallCloseServiceHandle(ProcAddress proc, NativeHandle handle) override;
  std::int32_t CallStartServiceA(ProcAddress proc, NativeHandle service, std::uint32_t argumentCount,
                                 const char** arguments) override;
  std::int32_t CallQueryServiceStatus(ProcAddress proc, NativeHandle service, ServiceStatusWords* status) override;
  NativeHandle CallLOpen(ProcAddress proc, const char* path, std::int32_t mode) override;
  std::int32_t CallReadFile(ProcAddress proc, NativeHandle file, void* buffer, std::uint32_t toRead,
                            std::uint32_t* read, void* overlapped) override;
  std::int32_t CallCloseHandle(ProcAddress proc, NativeHandle handle) override;
  NativeHandle CallCreateFileA(ProcAddress proc, const char* path, std::uint32_t access, std::uint32_t share,
                               void* security, std::uint32_t disposition, std::uint32_t attributes,
                               NativeHandle templateFile) override;
  void CallRtlMoveMemory(ProcAddress proc, void* destination, const void* source, std::uint32_t length) override;
  std::int32_t CallWriteFile(ProcAddress proc, NativeHandle file, const void* buffer, std::uint32_t toWrite,
                             std::uint32_t* written, void* overlapped) override;

  std::int32_t CreateFolder(TextView path) override;
  std::int32_t FlushFile(NativeHandle file) override;
  std::int32_t MoveFileWithFlags(TextView from, TextView to, std::uint32_t flags) override;
  std::int32_t DeleteFileAt(TextView path) override;

  std::int32_t OpenRegistryKey(std::uint32_t root, const char* subKey, std::uint32_t access,
                               NativeHandle* key) override;
  std::int32_t QueryRegistryValue(NativeHandle key, const char* name, std::uint32_t* type, unsigned char* data,
                                  std::uint32_t* size) override;
  void CloseRegistryKey(NativeHandle key) override;
  std::uint32_t ExpandEnvironment(const char* source, char* buffer, std::uint32_t size) override;

  std::int32_t WsaStartup(std::uint16_t version) override;
  std::int32_t GetHostNameCall(char* buffer, std::int32_t length) override;
  void WsaCleanup() override;

  // --- shared by the parts of the simulation ---------------------------
  NativeHandle NewHandle();
  // Checks that `handle` is open, logging a failure otherwise.
  bool ExpectOpen(NativeHandle handle, const char* function);
  void Close(NativeHandle handle);
  // Checks that `proc` is the address FindExport gave for `function`.
  bool ExpectProc(ProcAddress proc, const char* function);
  void Log(std::string line);

 private:
  struct RegistryValue {
    std::uint32_t type;
    std::string data;
  };
  struct RegistryKey {
    bool denied = false;
    std::map<std::string, RegistryValue> values;  // key: FoldCase(name)
  };
  std::map<std::string, RegistryKey> registry_;  // key: FoldCase(root + "\\" + path)
  std::map<NativeHandle, std::string> openKeys_;

  struct LoadedModule {
    std::string path;
    int references = 0;
  };
  std::map<NativeHandle, LoadedModule> modules_;
  std::map<ProcAddress, std::string> procs_;  // address -> function name
  ProcAddress nextProc_ = 0x7000;
  NativeHandle nextHandle_ = 0x100;

  static std::string RegistryKeyName(std::uint32_t root, const std::string& key);
};
