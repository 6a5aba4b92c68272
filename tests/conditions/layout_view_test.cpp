#include "conditions/layout_view.h"

#include <gtest/gtest.h>

#include <sstream>

#include "conditions/layout.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"

namespace tsumiki::layout {
namespace {

using testing::LayoutWorkbook;
using testing::ScriptedHost;

TEST(DisplayWidth, CountsJapaneseCharactersTwice) {
  EXPECT_EQ(DisplayWidth(""), 0);
  EXPECT_EQ(DisplayWidth("12/31"), 5);
  EXPECT_EQ(DisplayWidth("日"), 2);
  EXPECT_EQ(DisplayWidth("佐藤 花子"), 9);
  EXPECT_EQ(DisplayWidth("ｱｲ"), 2);  // half-width katakana
  EXPECT_EQ(DisplayWidth("Ａ・"), 4);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(RosterText, AlignsDaysUnderTheirDatesWithJapaneseNames) {
  ScriptedHost host;
  auto fx = LayoutWorkbook::Blank(host);
  fx->SetPeriod(2027, 2, 1, 1);
  fx->SetTypes({{"日勤", "日"}, {"夜勤", "夜"}});
  fx->SetMembers({"佐藤 花子", "森"});
  fx->Set(kMemberList, 2, 1, 12);
  fx->SetRoster(1, 1, "日");
  fx->SetRoster(2, 28, "夜");
  const auto lines = Lines(RosterText(fx->book(), false));
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "2027年2月（2/1〜2/28）");
  EXPECT_TRUE(lines[1].starts_with("番号 氏名      2/1 2/2 2/3")) << lines[1];
  EXPECT_TRUE(lines[1].ends_with(" 2/27 2/28")) << lines[1];
  EXPECT_TRUE(lines[2].starts_with("               月  火  水")) << lines[2];
  EXPECT_TRUE(lines[2].ends_with("  土   日")) << lines[2];
  EXPECT_TRUE(lines[3].starts_with("1    佐藤 花子 日  ・  ・")) << lines[3];
  EXPECT_TRUE(lines[4].starts_with("12   森        ・  ・")) << lines[4];
  // The last duty stands under its date, whatever the widths before it.
  const auto prefix_width = [](const std::string& line, std::string_view word) {
    return DisplayWidth(std::string_view(line).substr(0, line.rfind(word)));
  };
  EXPECT_EQ(prefix_width(lines[4], "夜"), prefix_width(lines[1], "2/28"));
}

TEST(RosterText, ColoursDutiesWithTheirShortNameFill) {
  ScriptedHost host;
  auto fx = LayoutWorkbook::Blank(host);
  fx->SetTypes({{"日勤", "日"}});
  fx->SetMembers({"佐藤"});
  const workbook::CellRange abbrevs = Range(fx->book(), kTypeAbbrev);
  fx->book().SetInteriorColorIndex(abbrevs.sheet, abbrevs.top, abbrevs.left, 3);  // red
  fx->SetRoster(1, 2, "日");
  const std::string text = RosterText(fx->book(), true);
  EXPECT_NE(text.find("\x1b[30;48;2;255;0;0m日 \x1b[0m"), std::string::npos) << text;
  EXPECT_EQ(RosterText(fx->book(), false).find('\x1b'), std::string::npos);
}

}  // namespace
}  // namespace tsumiki::layout
