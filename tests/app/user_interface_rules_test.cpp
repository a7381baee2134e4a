#include <gtest/gtest.h>

#include "app/user_interface.h"

namespace {

TEST(MessageBoxStyle, TaskModalUnlessSystemModal) {
  const std::pair<std::int32_t, std::uint32_t> cases[] = {
      {0, 0x2000}, {16, 0x2010}, {48, 0x2030}, {49, 0x2031}, {64, 0x2040}, {0x1000, 0x1000}, {0x1030, 0x1030},
  };
  for (const auto& [flags, style] : cases) EXPECT_EQ(MessageBoxStyleFor(flags), style) << flags;
}

TEST(MessageBoxAnswer, MapsButtonIdsAndFailureToAnswers) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {1, 0}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {7, 6}, {0, 0}, {8, 0}, {-1, 0},
  };
  for (const auto& [result, answer] : cases) EXPECT_EQ(AnswerForMessageBoxResult(result), answer) << result;
}

struct TimerCase {
  TimerState before;
  std::int32_t period;
  TimerState after;
  bool kill;
  bool start;
};

TEST(TimerPeriod, FollowsTheShellRules) {
  const TimerCase cases[] = {
      {{0, false}, 100, {100, true}, false, true},
      {{100, true}, 100, {100, true}, false, false},  // same period keeps the rhythm
      {{100, true}, 0, {0, false}, true, false},
      {{100, true}, -5, {0, false}, true, false},     // negative counts as 0
      {{0, false}, -5, {0, false}, false, false},
      {{100, true}, 250, {250, true}, true, true},
  };
  for (const auto& c : cases) {
    TimerState state = c.before;
    const TimerChange change = ApplyTimerPeriod(state, c.period);
    EXPECT_EQ(state.period, c.after.period);
    EXPECT_EQ(state.running, c.after.running);
    EXPECT_EQ(change.kill, c.kill);
    EXPECT_EQ(change.start, c.start);
  }
}

}  // namespace
