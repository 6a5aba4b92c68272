#include "check/roster_calendar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/model_builder.h"
#include "support/roster_edit.h"

namespace tsumiki {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "text after the last CRLF";
  return lines;
}

// Folded lines joined again, as a reader unfolds them.
std::string Unfolded(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line[0] == ' ' ? line.substr(1) : "\n" + line;
  return out;
}

// A long Japanese name with the characters TEXT values escape: every line stays
// within 75 octets, no fold splits a character, and unfolding gives the escaped text.
TEST(MemberCalendar, FoldsLongLinesBetweenCharactersAndEscapesText) {
  testing::ModelBuilder builder(3, 2, 1);
  ConditionModel model = builder.Build();
  model.MemberInfo(1, 1) = "7";
  model.MemberInfo(1, 2) = "長い名前の職員、仮名；ながいなまえのしょくいん\\とても長い名前";
  model.TypeAbbrev(1) = "日";
  model.TypeAbbrev(2) = "夜";
  testing::RosterEdit::WriteUncounted(model, 1, 1, 2);
  testing::RosterEdit::WriteUncounted(model, 1, 3, 1);
  MonthLabels labels;
  labels.duty_names = {"日勤", "夜勤"};
  labels.first_date = layout::CivilDate{2027, 1, 31};
  const std::string text = MemberCalendar(model, labels, {"介護棟,二階", "20270101T000000Z"}, 1);
  const std::vector<std::string> lines = Lines(text);
  for (const std::string& line : lines) {
    EXPECT_LE(line.size(), 75u) << line;
    EXPECT_NE(static_cast<unsigned char>(line.back()) & 0xC0, 0xC0) << "a character was split";
    if (line[0] == ' ') {
      EXPECT_NE(static_cast<unsigned char>(line[1]) & 0xC0, 0x80) << line;
    }
  }
  const std::string whole = Unfolded(lines);
  EXPECT_NE(whole.find("\nX-WR-CALNAME:介護棟\\,二階 2027年1月 "
                       "長い名前の職員、仮名；ながいなまえのしょくいん\\\\とても長い名前\n"),
            std::string::npos)
      << whole;
  // Day 1 is Jan 31, day 3 is Feb 2: the events cross the month's end correctly.
  EXPECT_NE(whole.find("DTSTART;VALUE=DATE:20270131\nDTEND;VALUE=DATE:20270201\n"
                       "SUMMARY:夜勤（夜）"),
            std::string::npos);
  EXPECT_NE(whole.find("DTSTART;VALUE=DATE:20270202\nDTEND;VALUE=DATE:20270203\n"),
            std::string::npos);
  EXPECT_EQ(whole.find("20270201\nDTEND"), std::string::npos) << "no event on the rest day";
  EXPECT_EQ(MemberCalendarFileName(model, 1).substr(0, 2), "7_");
}

}  // namespace
}  // namespace tsumiki
