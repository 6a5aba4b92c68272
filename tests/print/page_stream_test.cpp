#include <gtest/gtest.h>

#include "print/page_stream.h"

namespace tsumiki {
namespace {

PrintedRoster TwoPages() {
  PrintedRoster roster{Paper::kA3, "勤務表", {}};
  // Texts that would break a line- and tab-based form if they went in raw.
  roster.pages.push_back({"2027年1月 勤務表",
                          {{{"番号", 0xCCFFFF, kBlack, 19.2}, {"a\tb\nc\\d", kWhite, kShortInk, 1}},
                           {}},
                          {{"日", "日勤", 0xFFFF00}, {"", "\\n", kWhite}}});
  roster.pages.push_back({"", {{{"", kSundayShade, kBlack, 0.1 + 0.2}}}, {}});
  return roster;
}

TEST(PageStream, ReadsBackWhatItWrote) {
  const PrintedRoster roster = TwoPages();
  const auto read = ReadPageStream(WritePageStream(roster));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, roster);
  PrintedRoster a4 = roster;
  a4.paper = Paper::kA4;
  EXPECT_EQ(ReadPageStream(WritePageStream(a4))->paper, Paper::kA4);
}

// What a drawing program must refuse rather than draw a different page.
TEST(PageStream, RefusesTextsNotOfTheForm) {
  const std::string good = WritePageStream(TwoPages());
  const auto replaced = [&good](std::string_view from, std::string_view to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const struct {
    const char* what;
    std::string text;
  } cases[] = {
      {"empty", ""},
      {"another form", replaced("tsumiki-pages 1", "tsumiki-pages 2")},
      {"cut short", good.substr(0, good.size() / 2)},
      {"no end line", good.substr(0, good.size() - 4)},
      {"after the end", good + "row\n"},
      {"unknown paper", replaced("paper\tA3", "paper\tB5")},
      {"a short colour", replaced("CCFFFF", "CFF")},
      {"a colour not hex", replaced("CCFFFF", "CCFFFG")},
      {"a width of zero", replaced("19.2", "0")},
      {"a width not a number", replaced("19.2", "19.2pt")},
      {"an unknown escape", replaced("a\\tb", "a\\qb")},
      {"a field missing", replaced("\tCCFFFF", "")},
      {"a cell before any row", replaced("row\ncell", "cell")},
      {"an unknown record", replaced("row\n", "column\n")},
      {"no page", "tsumiki-pages 1\npaper\tA4\ntitle\tx\nend\n"},
  };
  for (const auto& c : cases) EXPECT_FALSE(ReadPageStream(c.text).has_value()) << c.what;
}

}  // namespace
}  // namespace tsumiki
