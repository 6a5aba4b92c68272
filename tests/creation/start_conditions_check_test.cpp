#include "creation/start_conditions_check.h"

#include <gtest/gtest.h>

#include <utility>

namespace tsumiki {
namespace {

StartConditionTexts Good() {
  return {"2013", "2", "28", "21", "3", "2.5", "1.5"};
}

InputRefusal RefusalOf(const StartConditionTexts& t) {
  const auto check = CheckStartConditions(t);
  EXPECT_FALSE(check.ok());
  return check.refusal.value_or(InputRefusal{});
}

TEST(StartConditionChecks, AcceptsAGoodSetAndConvertsIt) {
  const auto check = CheckStartConditions(Good());
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(check.values, (StartConditionValues{2013, 2, 28, 21, 3, 2.5f, 1.5f}));
}

TEST(StartConditionChecks, TimeLimitMustBeAPositiveNumber) {
  const InputRefusal refusal{"制限時間の入力値不正", "入力エラー"};
  for (const char* bad :
       {"0", "abc", "", "-1", "0.0", "1e-60", "1e60", "inf", "nan", "0x10", "3分"}) {
    auto t = Good();
    t.time_limit = bad;
    EXPECT_EQ(RefusalOf(t), refusal) << bad;
  }
  auto t = Good();
  t.time_limit = "　３０ ";  // typed on a Japanese keyboard
  ASSERT_TRUE(CheckStartConditions(t).ok());
  EXPECT_EQ(CheckStartConditions(t).values.time_limit_minutes, 30.0f);
}

TEST(StartConditionChecks, ImproveTimeMustBeZeroOrMoreAndBlankIsTheDefault) {
  const InputRefusal refusal{"改善時間の入力値不正", "入力エラー"};
  for (const char* bad : {"abc", "-1", "-0.5", "inf", "1e60", "2秒"}) {
    auto t = Good();
    t.improve_seconds = bad;
    EXPECT_EQ(RefusalOf(t), refusal) << bad;
  }
  for (const auto& [text, seconds] : {std::pair{"0", 0.0f}, {"", 2.0f}, {"０．５", 0.5f}}) {
    auto t = Good();
    t.improve_seconds = text;
    EXPECT_EQ(CheckStartConditions(t).values.improve_seconds, seconds) << text;
  }
}

TEST(StartConditionChecks, AttemptsMustRoundToAtLeastOne) {
  const InputRefusal refusal{"試行回数の入力値不正", "入力エラー"};
  for (const char* bad : {"0", "abc", "", "-2", "0.4", "0.5", "1e12"}) {
    auto t = Good();
    t.attempts = bad;
    EXPECT_EQ(RefusalOf(t), refusal) << bad;
  }
  auto t = Good();
  t.attempts = "2.5";  // halves go to even
  EXPECT_EQ(CheckStartConditions(t).values.attempts, 2);
  t.attempts = "3.5";
  EXPECT_EQ(CheckStartConditions(t).values.attempts, 4);
}

TEST(StartConditionChecks, DateMustExistInTheCalendar) {
  const InputRefusal refusal{"日付の入力に誤りがあります", "入力不正"};
  auto t = Good();
  t.day = "29";
  EXPECT_EQ(RefusalOf(t), refusal);
  t.year = "2012";  // leap year
  EXPECT_TRUE(CheckStartConditions(t).ok());
  for (auto [y, m, d] : {std::tuple{"2013", "13", "1"},
                         {"2013", "0", "1"},
                         {"2013", "4", "31"},
                         {"", "4", "1"},
                         {"2013", "", "1"},
                         {"13", "4", "1"},
                         {"2013", "4", "1.5"},
                         {"1900", "2", "29"}}) {
    t = Good();
    t.year = y;
    t.month = m;
    t.day = d;
    EXPECT_EQ(RefusalOf(t), refusal) << y << "," << m << "," << d;
  }
  t = Good();
  t.year = "2000";
  t.day = "29";
  EXPECT_TRUE(CheckStartConditions(t).ok());
}

TEST(StartConditionChecks, RunInOrderAndStopAtTheFirstRefusal) {
  StartConditionTexts all_bad{"x", "x", "x", "x", "0", "0", "0"};
  EXPECT_EQ(RefusalOf(all_bad).message, kTimeLimitInvalidMessage);
  all_bad.time_limit = "10";
  EXPECT_EQ(RefusalOf(all_bad).message, kAttemptsInvalidMessage);
  all_bad.attempts = "1";
  EXPECT_EQ(RefusalOf(all_bad).message, kDateInvalidMessage);
  all_bad = Good();
  all_bad.base_day = "32";
  EXPECT_EQ(RefusalOf(all_bad), (InputRefusal{"基準開始日の入力値不正", "入力エラー"}));
  all_bad.base_day = "abc";
  EXPECT_EQ(RefusalOf(all_bad).message, kBaseDayInvalidMessage);
}

TEST(StartConditionNumbers, ParseAndFormatAsTheDialogShowsThem) {
  EXPECT_EQ(ParseNumberText(" +1.5e1 "), 15.0);
  EXPECT_EQ(ParseNumberText(".5"), 0.5);
  EXPECT_EQ(ParseNumberText("－２"), -2.0);
  EXPECT_FALSE(ParseNumberText("1.2.3"));
  EXPECT_FALSE(ParseNumberText("e5"));
  EXPECT_EQ(ParseWholeNumberText("２０１３"), 2013);
  EXPECT_FALSE(ParseWholeNumberText("2013.0"));
  EXPECT_FALSE(ParseWholeNumberText("99999999999"));
  EXPECT_EQ(FormatPlainNumber(21), "21");
  EXPECT_EQ(FormatPlainNumber(2.5), "2.5");
  EXPECT_EQ(FormatPlainNumber(-0.0), "0");
  EXPECT_EQ(FormatPlainNumber(0.1), "0.1");
  EXPECT_EQ(FormatPlainNumber(1e-7), "0.0000001");
}

}  // namespace
}  // namespace tsumiki
