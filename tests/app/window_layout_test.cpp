#include <gtest/gtest.h>

#include "app/window_layout.h"

namespace {

TEST(WindowPlace, CentresTheOuterSizeTruncatingTowardZero) {
  struct Case {
    std::int32_t screenWidth, screenHeight, left, top;
  };
  const Case cases[] = {
      {1024, 768, 155, 284},
      {1920, 1080, 603, 440},
      {1025, 769, 156, 284},  // odd remainders are dropped
      {713, 200, 0, 0},
      {600, 150, -56, -25},   // a smaller screen: -56.5 becomes -56, not -57
  };
  for (const Case& c : cases) {
    const WindowOrigin origin = CentredOrigin(c.screenWidth, c.screenHeight);
    EXPECT_EQ(origin.left, c.left) << c.screenWidth;
    EXPECT_EQ(origin.top, c.top) << c.screenHeight;
  }
}

}  // namespace
