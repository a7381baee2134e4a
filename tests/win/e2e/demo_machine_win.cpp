#include "demo_machine_win.h"

#include <cstdio>

namespace demo {

const char* const kServiceNames[4] = {"MSSQLSERVER", "MSSQL$SQLEXPRESS", "OracleOraDb11g_home1TNSListener",
                                      "OracleServiceORCL"};

const char kOracleHome[] = "C:\\app\\Administrator\\product\\11.2.0\\dbhome_1";
const char kListenerImagePath[] = "C:\\app\\Administrator\\product\\11.2.0\\dbhome_1\\BIN\\TNSLSNR";
const char kListenerOraPath[] = "C:\\app\\Administrator\\product\\11.2.0\\dbhome_1\\NETWORK\\ADMIN\\listener.ora";
const char kTnsnamesOraPath[] = "C:\\app\\Administrator\\product\\11.2.0\\dbhome_1\\NETWORK\\ADMIN\\tnsnames.ora";
const char kLogFolder[] = "C:\\korvane-demo\\logs";

// The database stops slowly, as a real one does: the repair's poll then has
// something to wait for.
const Delays kDemoDelays[4] = {{1500, 1500}, {1000, 1000}, {1000, 1200}, {1500, 3000}};

namespace {

const char kSqlProgram[] = "C:\\Program Files\\Microsoft SQL Server\\MSSQL\\Binn\\sqlservr.exe";
const char kDatabaseProgram[] = "C:\\app\\Administrator\\product\\11.2.0\\dbhome_1\\BIN\\ORACLE.EXE";
const char kListenerProgram[] = "C:\\app\\Administrator\\product\\11.2.0\\dbhome_1\\BIN\\TNSLSNR.exe";
const char kListenerArguments[] = "C:\\app\\Administrator\\product\\11.2.0\\dbhome_1\\BIN\\TNSLSNR.args";
const char kPausableProgram[] = "C:\\korvane-demo\\bin\\pausable_service.exe";

constexpr DWORD kStopWaitMs = 30000;

class Manager {
 public:
  Manager() : handle_(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)) {}
  Manager(const Manager&) = delete;
  Manager& operator=(const Manager&) = delete;
  ~Manager() {
    if (handle_ != nullptr) CloseServiceHandle(handle_);
  }
  SC_HANDLE get() const { return handle_; }

 private:
  SC_HANDLE handle_;
};

class Service {
 public:
  explicit Service(const char* name) {
    if (manager_.get() != nullptr) handle_ = OpenServiceA(manager_.get(), name, SERVICE_ALL_ACCESS);
  }
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;
  ~Service() {
    if (handle_ != nullptr) CloseServiceHandle(handle_);
  }
  SC_HANDLE get() const { return handle_; }

 private:
  Manager manager_;
  SC_HANDLE handle_ = nullptr;
};

std::string LogPath(const char* name) { return std::string(kLogFolder) + "\\" + name + ".log"; }

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

bool Fail(std::string* error, const std::string& what) {
  if (error != nullptr) *error = what + " (error " + std::to_string(GetLastError()) + ")";
  return false;
}

bool CopyInto(const std::string& from, const char* to, std::string* error) {
  if (!MakeFolders(Folder(to))) return Fail(error, std::string("cannot create the folder of ") + to);
  if (CopyFileA(WindowsPath(from).c_str(), to, FALSE) == FALSE) return Fail(error, "cannot copy " + from + " to " + to);
  return true;
}

std::string Quoted(const char* path) { return std::string("\"") + path + "\""; }

// What the service manager starts: the program and, but for the listener,
// its delays and log file on the command line.
std::string ImagePath(ServiceIndex which, const Delays& delays) {
  const std::string arguments = " " + std::to_string(delays.startMs) + " " + std::to_string(delays.stopMs) + " " +
                                LogPath(kServiceNames[which]);
  switch (which) {
    case kSqlServer:
    case kSqlExpress:
      return Quoted(kSqlProgram) + arguments;
    case kListener:
      return kListenerImagePath;
    case kDatabase:
      return kDatabaseProgram + arguments;
  }
  return std::string();
}

bool WriteListenerArguments(const Delays& delays) {
  return WriteBytes(kListenerArguments, std::to_string(delays.startMs) + " " + std::to_string(delays.stopMs) + " " +
                                            LogPath(kServiceNames[kListener]) + "\r\n");
}

}  // namespace

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string windows = "Z:" + path;
  for (char& c : windows)
    if (c == '/') c = '\\';
  return windows;
}

bool InstallServices(const Programs& programs, const Delays (&delays)[4], std::string* error) {
  for (const char* name : kServiceNames)
    if (!RemoveService(name)) return Fail(error, std::string("cannot remove the earlier service ") + name);
  if (!CopyInto(programs.testService, kSqlProgram, error) || !CopyInto(programs.testService, kDatabaseProgram, error) ||
      !CopyInto(programs.listenerStandIn, kListenerProgram, error))
    return false;
  if (!programs.pausableService.empty() && !CopyInto(programs.pausableService, kPausableProgram, error)) return false;
  if (!MakeFolders(kLogFolder)) return Fail(error, "cannot create the log folder");
  for (int i = 0; i < 4; ++i)
    if (!InstallService(static_cast<ServiceIndex>(i), delays[i], error)) return false;
  return true;
}

bool InstallService(ServiceIndex which, const Delays& delays, std::string* error) {
  const char* name = kServiceNames[which];
  if (!RemoveService(name)) return Fail(error, std::string("cannot remove the earlier service ") + name);
  if (which == kListener && !WriteListenerArguments(delays))
    return Fail(error, "cannot write the listener's arguments");
  Manager manager;
  if (manager.get() == nullptr) return Fail(error, "cannot open the service manager");
  const std::string imagePath = ImagePath(which, delays);
  SC_HANDLE service = CreateServiceA(manager.get(), name, name, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                                     SERVICE_AUTO_START, SERVICE_ERROR_IGNORE, imagePath.c_str(), nullptr, nullptr,
                                     nullptr, nullptr, nullptr);
  if (service == nullptr) return Fail(error, std::string("cannot create the service ") + name);
  CloseServiceHandle(service);
  return true;
}

bool UsePausableProgram(ServiceIndex which, bool pausable, const Delays& delays, std::string* error) {
  const char* name = kServiceNames[which];
  Service service(name);
  if (service.get() == nullptr) return Fail(error, std::string("cannot open the service ") + name);
  const std::string imagePath = pausable ? Quoted(kPausableProgram) + " " + LogPath(name) : ImagePath(which, delays);
  if (ChangeServiceConfigA(service.get(), SERVICE_NO_CHANGE, SERVICE_NO_CHANGE, SERVICE_NO_CHANGE, imagePath.c_str(),
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) == FALSE)
    return Fail(error, std::string("cannot change the program of ") + name);
  return true;
}

bool RemoveService(const char* name) {
  {
    Service service(name);
    if (service.get() == nullptr) return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST;
    if (StateOf(name) != SERVICE_STOPPED && !StopAndWait(name, kStopWaitMs)) return false;
    if (DeleteService(service.get()) == FALSE) return false;
  }
  // Deleted once the last handle is closed.
  for (int i = 0; i < 100; ++i) {
    Service again(name);
    if (again.get() == nullptr) return true;
    Sleep(50);
  }
  return false;
}

DWORD StateOf(const char* name) {
  // Wine's service manager now and then fails a call when the machine is
  // busy; only a service that does not exist counts as none.
  for (int attempt = 0;; ++attempt) {
    {
      Service service(name);
      SERVICE_STATUS status{};
      if (service.get() != nullptr && QueryServiceStatus(service.get(), &status) != FALSE) return status.dwCurrentState;
      if (GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST || attempt == 4) return 0;
    }
    Sleep(20);
  }
}

bool WaitForState(const char* name, DWORD state, DWORD timeoutMs) {
  const DWORD begin = GetTickCount();
  for (;;) {
    if (StateOf(name) == state) return true;
    if (GetTickCount() - begin >= timeoutMs) return false;
    Sleep(20);
  }
}

bool StartAndWait(const char* name, DWORD timeoutMs) {
  if (StateOf(name) == SERVICE_RUNNING) return true;
  Service service(name);
  if (service.get() == nullptr) return false;
  if (StartServiceA(service.get(), 0, nullptr) == FALSE && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
    return false;
  return WaitForState(name, SERVICE_RUNNING, timeoutMs);
}

bool StopAndWait(const char* name, DWORD timeoutMs) {
  const DWORD state = StateOf(name);
  if (state == SERVICE_STOPPED) return true;
  // A service still starting accepts no stop yet.
  if (state == SERVICE_START_PENDING && !WaitForState(name, SERVICE_RUNNING, timeoutMs)) return false;
  if (state != SERVICE_STOP_PENDING) {
    Service service(name);
    SERVICE_STATUS status{};
    if (service.get() == nullptr) return false;
    ControlService(service.get(), SERVICE_CONTROL_STOP, &status);
  }
  return WaitForState(name, SERVICE_STOPPED, timeoutMs);
}

bool Control(const char* name, DWORD control) {
  Service service(name);
  SERVICE_STATUS status{};
  return service.get() != nullptr && ControlService(service.get(), control, &status) != FALSE;
}

std::string LogOf(const char* name) {
  // Written in text mode: CR LF line ends.
  std::string log;
  for (char c : ReadBytes(LogPath(name)))
    if (c != '\r') log += c;
  return log;
}

void ClearLogs() {
  for (const char* name : kServiceNames) DeleteFileA(LogPath(name).c_str());
}

std::string ReadBytes(const std::string& path, bool* ok) {
  if (ok != nullptr) *ok = false;
  std::string bytes;
  FILE* in = std::fopen(path.c_str(), "rb");
  if (in == nullptr) return bytes;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, in)) > 0;) bytes.append(chunk, got);
  const bool failed = std::ferror(in) != 0;
  std::fclose(in);
  if (ok != nullptr) *ok = !failed;
  return bytes;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && written;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void RemoveTree(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
    return;
  }
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") RemoveTree(path + "\\" + name);
    } while (FindNextFileA(search, &found) != FALSE);
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

bool MakeFolders(const std::string& path) {
  if (IsFolder(path)) return true;
  const std::size_t slash = path.find_last_of('\\');
  if (slash != std::string::npos && slash > 2 && !MakeFolders(path.substr(0, slash))) return false;
  return CreateDirectoryA(path.c_str(), nullptr) != FALSE || IsFolder(path);
}

bool WriteConfig(const std::string& listenerOra, const std::string& tnsnamesOra) {
  return MakeFolders(Folder(kListenerOraPath)) && WriteBytes(kListenerOraPath, listenerOra) &&
         WriteBytes(kTnsnamesOraPath, tnsnamesOra);
}

}  // namespace demo
