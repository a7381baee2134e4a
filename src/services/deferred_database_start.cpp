#include "services/deferred_database_start.h"

#include "app/user_interface.h"
#include "runtime/program_values.h"
#include "services/service_control.h"

namespace {

constexpr std::int32_t kPollPeriod = 100;

// Starts the service once it reports stopped (state 1 only: 0 means it
// cannot be seen at all) and says whether the start was made; the start's
// own result is not looked at.
bool StartWhenStopped(TextView name) {
  if (QueryServiceState(name) != kServiceStopped) return false;
  StartServiceByName(name);
  return true;
}

}  // namespace

void ArmDeferredStart(bool startListener) {
  databaseStartOwed = true;
  listenerStartOwed = startListener;
  Ui().SetTimerPeriod(TimerId::Clock2, kPollPeriod);
}

void StartDatabaseWhenStopped() {
  if (databaseStartOwed && StartWhenStopped("OracleServiceORCL")) databaseStartOwed = false;
  if (listenerStartOwed && StartWhenStopped(listenerServiceName)) listenerStartOwed = false;
  // The poll ends only when nothing is owed: a listener that stops slowly
  // must not be left stopped while the database comes back without it.
  if (!databaseStartOwed && !listenerStartOwed) Ui().SetTimerPeriod(TimerId::Clock2, 0);
}
