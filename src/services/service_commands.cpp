#include "services/service_commands.h"

#include "app/user_interface.h"
#include "runtime/program_values.h"
#include "services/service_control.h"

namespace {

constexpr const char* kSqlServer = "MSSQLSERVER";
constexpr const char* kSqlExpress = "MSSQL$SQLEXPRESS";
constexpr const char* kDatabase = "OracleServiceORCL";

// The cursor stays a wait cursor after a refused request: the user's only
// sign, besides the status report, that the pair did not both go through.
void StartPair(TextView first, TextView second) {
  Ui().SetWaitCursor();
  const std::int32_t firstResult = StartServiceByName(first);
  const std::int32_t secondResult = StartServiceByName(second);
  if (firstResult == 1 && secondResult == 1) Ui().RestoreCursor();
}

void StopPair(TextView first, TextView second) {
  Ui().SetWaitCursor();
  const std::int32_t firstResult = SendServiceControl(first, kServiceControlStop);
  const std::int32_t secondResult = SendServiceControl(second, kServiceControlStop);
  if (firstResult == 1 && secondResult == 1) Ui().RestoreCursor();
}

}  // namespace

void StartSqlServices() { StartPair(kSqlServer, kSqlExpress); }

void StopSqlServices() { StopPair(kSqlServer, kSqlExpress); }

// The listener's name is read at the click: empty until discovery has run.
void StartOracleServices() { StartPair(listenerServiceName, kDatabase); }

void StopOracleServices() { StopPair(listenerServiceName, kDatabase); }
