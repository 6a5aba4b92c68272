#include "ui/status.h"

#include <gtest/gtest.h>

#include "support/scripted_host.h"

namespace tsumiki {
namespace {

ScreenMetrics Screen1920x1080() {
  return ScreenMetrics{1920 * 15, 1080 * 15, 15, 15};
}

TEST(StatusViewTest, WidthCountsCharactersNotBytes) {
  // Ten Japanese characters are 30 bytes of UTF-8 but ten characters wide.
  const StatusView view =
      ComputeStatusView("条件を読み込み中です", 0, 0, false, 0, Screen1920x1080());
  EXPECT_EQ(view.width_twips, 9240);
  EXPECT_EQ(ComputeStatusView("abcdefghij", 0, 0, false, 0, Screen1920x1080()).width_twips, 9240);
  EXPECT_EQ(CharacterCount("終了処理中"), 5u);
}

TEST(StatusViewTest, ColourRules) {
  const ScreenMetrics screen = Screen1920x1080();
  // Both defaults.
  StatusView v = ComputeStatusView("x", 0, 0, false, 0, screen);
  EXPECT_EQ(v.text_colour, kStatusDefaultText);
  EXPECT_EQ(v.back_colour, kStatusDefaultBack);
  // A background without a text colour is ignored: green on the default.
  v = ComputeStatusView("x", 0, 0x0000FF, false, 0, screen);
  EXPECT_EQ(v.text_colour, 0x00C000u);
  EXPECT_EQ(v.back_colour, 0xC0E0FFu);
  // A text colour alone keeps the default background.
  v = ComputeStatusView("x", 0xFF0000, 0, false, 0, screen);
  EXPECT_EQ(v.text_colour, 0xFF0000u);
  EXPECT_EQ(v.back_colour, kStatusDefaultBack);
  // Both given.
  v = ComputeStatusView("x", 0xFFFFFF, 0x0000FF, true, 0, screen);
  EXPECT_EQ(v.text_colour, 0xFFFFFFu);
  EXPECT_EQ(v.back_colour, 0x0000FFu);
  EXPECT_TRUE(v.topmost);
}

TEST(StatusViewTest, PlacementByPosition) {
  ScreenMetrics screen{28800, 16200, 15, 12};  // a margin of 750 across, 600 down
  const int w = (3 + 2) * 770;
  const int h = kStatusHeightTwips;
  StatusView v = ComputeStatusView("abc", 0, 0, false, 0, screen);
  EXPECT_FALSE(v.keep_position);
  EXPECT_EQ(v.left_twips, (28800 - w) / 2);
  EXPECT_EQ(v.top_twips, (16200 - h) / 2);
  v = ComputeStatusView("abc", 0, 0, false, 1, screen);
  EXPECT_EQ(v.left_twips, 28800 - w - 750);
  EXPECT_EQ(v.top_twips, 0);
  v = ComputeStatusView("abc", 0, 0, false, 2, screen);
  EXPECT_EQ(v.left_twips, 28800 - w - 750);
  EXPECT_EQ(v.top_twips, 16200 - h - 600);
  v = ComputeStatusView("abc", 0, 0, false, 3, screen);
  EXPECT_EQ(v.left_twips, 0);
  EXPECT_EQ(v.top_twips, 16200 - h - 600);
  for (int outside : {-1, 4, 99}) {
    EXPECT_TRUE(ComputeStatusView("abc", 0, 0, false, outside, screen).keep_position) << outside;
  }
}

TEST(ShowStatusTest, ShowsThenLetsEventsRunOnce) {
  testing::ScriptedHost host;
  ShowStatus(host, "読み込み中", 0, 0, false, 2);
  ASSERT_EQ(host.StatusTexts(), std::vector<std::string>{"読み込み中"});
  EXPECT_TRUE(host.StatusVisible());
  EXPECT_EQ(host.DoEventsCount(), 1);
  EXPECT_EQ(host.StatusViews()[0].width_twips, 7 * 770);
}

TEST(ShowStatusTest, EmptyTextOnlyHides) {
  testing::ScriptedHost host;
  ShowStatus(host, "x", 0, 0, false, 0);
  ShowStatus(host, "", 0xFF, 0xFF, true, 0);
  EXPECT_EQ(host.StatusViews().size(), 1u);
  EXPECT_FALSE(host.StatusVisible());
  EXPECT_EQ(host.DoEventsCount(), 2);
}

}  // namespace
}  // namespace tsumiki
