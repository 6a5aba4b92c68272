#include "ui/window_place.h"

#include <gtest/gtest.h>

namespace tsumiki {
namespace {

TEST(ProgressWindowPlacement, FollowsStatusPosition) {
  ScreenMetrics screen;  // 1920 x 1080 pixels, 15 twips a pixel
  const int w = 4800, h = 1200;
  const int sw = 1920 * 15, sh = 1080 * 15;
  auto at = [&](int position) { return PlaceProgressWindow(position, screen, w, h); };
  ASSERT_TRUE(at(0));
  EXPECT_EQ(at(0)->left, (sw - w) / 2);
  EXPECT_EQ(at(0)->top, (sh - h) * 2 / 5);
  EXPECT_EQ(at(1)->left, sw - w - 750);
  EXPECT_EQ(at(1)->top, 0);
  EXPECT_EQ(at(2)->left, sw - w - 750);
  EXPECT_EQ(at(2)->top, sh - h - 750);
  EXPECT_EQ(at(3)->left, 0);
  EXPECT_EQ(at(3)->top, sh - h - 750);
  EXPECT_FALSE(at(4));
  EXPECT_FALSE(at(-1));
}

}  // namespace
}  // namespace tsumiki
