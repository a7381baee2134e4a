#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/event_binding.h"
#include "app/main_window_created.h"
#include "listener/listener_repair.h"
#include "services/deferred_database_start.h"
#include "services/service_commands.h"
#include "services/status_report.h"

namespace {

std::vector<std::string> ran;
void Tick() { ran.push_back("tick"); }
void Click() { ran.push_back("click"); }

class EventBinding : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetEventBinding();
    ran.clear();
  }
  void TearDown() override { ResetEventBinding(); }
};

TEST_F(EventBinding, TheToolBindsEachEventToItsHandler) {
  BindProgramHandlers();
  const std::pair<ShellEvent, EventHandler> table[] = {
      {ShellEvent::MainWindowCreated, &MainWindowCreated},
      {ShellEvent::Clock1Tick, &RefreshStatusReport},
      {ShellEvent::Clock2Tick, &StartDatabaseWhenStopped},
      {ShellEvent::Button1Clicked, &StartSqlServices},
      {ShellEvent::Button2Clicked, &StartOracleServices},
      {ShellEvent::Button3Clicked, &StopSqlServices},
      {ShellEvent::Button4Clicked, &StopOracleServices},
      {ShellEvent::Button5Clicked, &RepairListener},
  };
  for (const auto& [event, handler] : table)
    EXPECT_EQ(BoundHandler(event), handler) << "event " << static_cast<int>(event);
}

TEST_F(EventBinding, DeliversOnlyToTheBoundHandlerOfTheEvent) {
  BindHandler(ShellEvent::Clock1Tick, Tick);
  BindHandler(ShellEvent::Button5Clicked, Click);
  DeliverEvent(ShellEvent::Button5Clicked);
  DeliverEvent(ShellEvent::Clock2Tick);  // nothing bound: nothing happens
  DeliverEvent(ShellEvent::Clock1Tick);
  BindHandler(ShellEvent::Clock1Tick, nullptr);
  DeliverEvent(ShellEvent::Clock1Tick);
  EXPECT_EQ(ran, (std::vector<std::string>{"click", "tick"}));
}

TEST_F(EventBinding, TheLoadingGuardDropsEventsUntilItIsDownAgain) {
  BindHandler(ShellEvent::Clock1Tick, Tick);
  RaiseLoadingGuard();
  RaiseLoadingGuard();
  DeliverEvent(ShellEvent::Clock1Tick);
  LowerLoadingGuard();
  DeliverEvent(ShellEvent::Clock1Tick);  // still up: it counts
  EXPECT_TRUE(ran.empty()) << "an event while the guard is up must be dropped";
  LowerLoadingGuard();
  DeliverEvent(ShellEvent::Clock1Tick);
  EXPECT_EQ(ran.size(), 1u) << "dropped events are not delivered later";

  // Lowering a guard that is down must not let a later raise count for nothing.
  LowerLoadingGuard();
  RaiseLoadingGuard();
  DeliverEvent(ShellEvent::Clock1Tick);
  EXPECT_EQ(ran.size(), 1u);
}

}  // namespace
