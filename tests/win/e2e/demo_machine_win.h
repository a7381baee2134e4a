// The demo machine: a Wine prefix made to look like a database server that
// has been given a new host name. SQL Server (MSSQLSERVER, MSSQL$SQLEXPRESS),
// an Oracle listener whose image path points into an Oracle home, and the
// Oracle database service, all played by the test service program; the
// Oracle home holds NETWORK\ADMIN\listener.ora and tnsnames.ora.
//
// Used by scripts/demo-machine.sh (through demo_machine_main.cpp) and by the
// end-to-end scenarios, which rebuild parts of it between scenarios.
// Every function opens and closes its own handles.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace demo {

// The four services in the order of the tool's status report.
enum ServiceIndex { kSqlServer, kSqlExpress, kListener, kDatabase };
extern const char* const kServiceNames[4];

extern const char kOracleHome[];       // C:\app\Administrator\product\11.2.0\dbhome_1
extern const char kListenerImagePath[];  // ...\dbhome_1\BIN\TNSLSNR, as Oracle registers it
extern const char kListenerOraPath[];
extern const char kTnsnamesOraPath[];
extern const char kLogFolder[];

// How long a service takes to reach running and stopped: long enough that
// the status report shows the pending states.
struct Delays {
  int startMs;
  int stopMs;
};
extern const Delays kDemoDelays[4];

// The built programs, as paths Wine understands (a Unix path is taken as
// drive Z:).
struct Programs {
  std::string testService;       // tests/win/tools/test_service.cpp
  std::string listenerStandIn;   // tests/win/e2e/listener_stand_in.cpp
  std::string pausableService;   // tests/win/e2e/pausable_service.cpp (may be empty)
};

// "Z:\\..." for "/...": the Unix root is Wine's drive Z:.
std::string WindowsPath(const std::string& path);

// Copies the programs into their places on drive C: and installs the four
// services (stopped; started automatically when the prefix boots, as on a
// database server) with `delays`, replacing any earlier
// installation. False with `error` set when something could not be done.
bool InstallServices(const Programs& programs, const Delays (&delays)[4], std::string* error);
// Installs one service again, with its program as InstallServices has
// copied it and these delays.
bool InstallService(ServiceIndex which, const Delays& delays, std::string* error);
// Points an installed service at the pausable service program (copied by
// InstallServices when given), or back at its usual program with `delays`.
bool UsePausableProgram(ServiceIndex which, bool pausable, const Delays& delays, std::string* error);
// Stops (waiting for stopped) and deletes the service; true once it is gone.
bool RemoveService(const char* name);

// The service manager's state of the service (SERVICE_STOPPED ...), 0 when
// it does not exist (or the manager fails five times in a row).
DWORD StateOf(const char* name);
// Requests and waits up to `timeoutMs` for `state`. True when reached.
bool StartAndWait(const char* name, DWORD timeoutMs);
bool StopAndWait(const char* name, DWORD timeoutMs);
bool WaitForState(const char* name, DWORD state, DWORD timeoutMs);
// Sends a control code (SERVICE_CONTROL_PAUSE ...); true when handed over.
bool Control(const char* name, DWORD control);

// The control codes the service program received, as its log holds them
// ("control 1\n" per stop); emptied by ClearLogs.
std::string LogOf(const char* name);
void ClearLogs();

// Whole-file reads and writes; `ok` false when the file cannot be read.
std::string ReadBytes(const std::string& path, bool* ok = nullptr);
bool WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
// Deletes a folder with everything in it (no error when it is missing).
void RemoveTree(const std::string& path);
// Creates every missing folder of `path`.
bool MakeFolders(const std::string& path);

// Puts both configuration files in place with these contents.
bool WriteConfig(const std::string& listenerOra, const std::string& tnsnamesOra);

}  // namespace demo
