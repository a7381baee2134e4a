// The four start and stop buttons on the demo machine: the status box
// follows what the services really do, pending states included, and the
// service manager agrees with it.
#include <gtest/gtest.h>

#include "scenario_win.h"

namespace e2e {
namespace {

constexpr DWORD kChangeTimeoutMs = 60000;

class Buttons : public Scenario {
 protected:
  std::array<bool, 4> InitialServices() const override { return {false, false, false, false}; }
};

struct ButtonCase {
  const char* caption;
  int first;  // the pair the button acts on
  int second;
  std::vector<int> path;  // what each of the pair goes through
  bool stops;
};

const ButtonCase kButtons[] = {
    {"启动SQL服务", demo::kSqlServer, demo::kSqlExpress, {1, 2, 4}, false},
    {"停止SQL服务", demo::kSqlServer, demo::kSqlExpress, {4, 3, 1}, true},
    {"启动Oracle服务", demo::kListener, demo::kDatabase, {1, 2, 4}, false},
    {"停止Oracle服务", demo::kListener, demo::kDatabase, {4, 3, 1}, true},
};

TEST_F(Buttons, EachButtonTakesItsPairThroughThePendingStatesAndTheBoxFollows) {
  ToolRun& tool = StartTool();
  if (HasFatalFailure()) return;
  States shown{};
  ASSERT_TRUE(gui::WaitFor([&] { return tool.ShownStates(&shown) && shown == States{1, 1, 1, 1}; }, kBoxTimeoutMs))
      << Shown(tool.Status());

  for (const ButtonCase& button : kButtons) {
    SCOPED_TRACE(Shown(button.caption));
    const int target = button.path.back();
    demo::ClearLogs();
    ServiceWatch watch;
    ASSERT_TRUE(tool.Click(button.caption));
    const StatusTrail trail = tool.WatchStatus(
        [&](const States& states) { return states[button.first] == target && states[button.second] == target; },
        kChangeTimeoutMs);
    ASSERT_TRUE(trail.reached) << "the box shows " << Shown(tool.Status());
    EXPECT_TRUE(trail.malformed.empty()) << "not a status text: " << Shown(trail.malformed.front());
    EXPECT_EQ(gui::FindMessageBox(tool.Id()), nullptr) << "the commands show no message";
    // The watch may be a poll behind the box.
    EXPECT_TRUE(ReachesState(button.first, static_cast<DWORD>(target)));
    EXPECT_TRUE(ReachesState(button.second, static_cast<DWORD>(target)));

    for (int which = 0; which < 4; ++which) {
      SCOPED_TRACE(demo::kServiceNames[which]);
      const bool acted = which == button.first || which == button.second;
      const std::vector<int> still{trail.states.front()[which]};
      EXPECT_EQ(trail.PathOf(which), acted ? button.path : still) << "as the box showed it";
      EXPECT_EQ(AsPath(watch.Seen(which)), acted ? button.path : still) << "as the service manager saw it";
      EXPECT_EQ(demo::LogOf(demo::kServiceNames[which]), acted && button.stops ? "control 1\n" : "")
          << "controls the service received";
    }
  }
}

class Paused : public Scenario {};

TEST_F(Paused, APausedServiceIsShownAsStopped) {
  UsePausableSqlServer();
  if (HasFatalFailure()) return;
  const char* sqlServer = demo::kServiceNames[demo::kSqlServer];
  ASSERT_TRUE(demo::StartAndWait(sqlServer, 60000));
  ToolRun& tool = StartTool();
  if (HasFatalFailure()) return;

  // Paused for real: the service manager reports SERVICE_PAUSED.
  struct Step {
    DWORD control;
    DWORD state;
    int shown;
  };
  const Step steps[] = {{SERVICE_CONTROL_PAUSE, SERVICE_PAUSED, 1}, {SERVICE_CONTROL_CONTINUE, SERVICE_RUNNING, 4}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.state);
    ASSERT_TRUE(demo::Control(sqlServer, step.control));
    ASSERT_TRUE(ReachesState(demo::kSqlServer, step.state));
    const StatusTrail trail = tool.WatchStatus(
        [&](const States& states) { return states == States{step.shown, 4, 4, 4}; }, kChangeTimeoutMs);
    EXPECT_TRUE(trail.reached) << "the box shows " << Shown(tool.Status());
    EXPECT_TRUE(trail.malformed.empty());
  }
}

}  // namespace
}  // namespace e2e
