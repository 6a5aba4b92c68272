#include "check/created_month_check.h"

#include <gtest/gtest.h>

#include "support/model_builder.h"

namespace tsumiki {
namespace {

// A month that keeps every rule passes; one that breaks a hard rule is refused,
// with the count and the rule; work days off target alone are the planner's call.
TEST(CreatedMonthCheckTest, OnlyHardRulesRefuseAMonth) {
  testing::ModelBuilder keeps(2, 2, 1);
  keeps.Target(1, 0);
  EXPECT_FALSE(CreatedMonthRefusal(keeps.Build()));

  testing::ModelBuilder off_target(2, 2, 1);  // target 2, no work at all
  EXPECT_FALSE(CreatedMonthRefusal(off_target.Build()));

  testing::ModelBuilder banned(2, 2, 1);
  banned.Need(2, 1, 1).Need(1, 2, 1).NextDayBan(2, 1).Assign(1, 1, 2).Assign(1, 2, 1);
  const auto refusal = CreatedMonthRefusal(banned.Build());
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->rfind("作成した勤務表が条件を 1 件守っていないため", 0), 0u) << *refusal;
  EXPECT_NE(refusal->find("・2日目 101 "), std::string::npos) << *refusal;
  EXPECT_NE(refusal->find("翌日禁止"), std::string::npos) << *refusal;
}

}  // namespace
}  // namespace tsumiki
