#include <gtest/gtest.h>

#include <random>
#include <string>

#include "check/roster_totals.h"
#include "check/rule_check.h"
#include "support/model_builder.h"
#include "support/roster_edit.h"

namespace tsumiki {
namespace {

using testing::ModelBuilder;

// 単勤 and 単休 of one member over a week: 'W' a duty, '.' a rest day; `before`
// the previous month's last day when it is in use.
TEST(RosterTotals, SingleRunsEndInsideTheMonthAndMeetThePreviousMonth) {
  struct Row {
    const char* week;
    const char* before;  // "" = previous month not in use
    int single_work;
    int single_rest;
  };
  const Row rows[] = {
      {"..W..WW", "", 1, 0},   // the open run at the end never counts
      {"W.W.WW.", "", 2, 2},   // day 1 is judged on its own
      {"W.W.WW.", "W", 1, 2},  // ... or with the previous month's last day
      {".WWWWWW", ".", 0, 0}, {".W.....", "W", 2, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.week) + " after '" + row.before + "'");
    ModelBuilder builder(7, 1, 1);
    const bool prev = row.before[0] != '\0';
    builder.UsePrevMonth(prev);
    if (prev) builder.PrevMonth(1, {row.before[0] == 'W' ? 1 : 0});
    ConditionModel model = builder.Build();
    testing::RosterEdit::WriteUncounted(model, 1, 0, model.PrevMonthTail(1, 1));
    for (int d = 1; d <= 7; ++d) {
      testing::RosterEdit::WriteUncounted(model, 1, d, row.week[d - 1] == 'W' ? 1 : 0);
    }
    const MemberTotals totals = CountRosterTotals(model).members[0];
    EXPECT_EQ(totals.single_work, row.single_work);
    EXPECT_EQ(totals.single_rest, row.single_rest);
  }
}

TEST(RosterTotals, CountsEqualACountOfTheRoster) {
  testing::WorkplaceShape shape;
  ConditionModel model = testing::BuildWorkplace(shape);
  std::mt19937 random(7);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) {
      testing::RosterEdit::WriteUncounted(model, m, d,
                                   static_cast<int>(random() % (model.TypeCount + 2)) - 1);
    }
  }
  const RosterTotals totals = CountRosterTotals(model);
  for (int m = 1; m <= model.MemberCount; ++m) {
    const MemberTotals& member = totals.members[static_cast<std::size_t>(m - 1)];
    int unknown = 0;
    for (int d = 1; d <= model.DayCount; ++d) unknown += model.Roster(m, d) == kUnknownDuty;
    int duties = 0;
    for (int t = 1; t <= model.TypeCount; ++t) {
      int count = 0;
      for (int d = 1; d <= model.DayCount; ++d) count += model.Roster(m, d) == t;
      EXPECT_EQ(member.duties[static_cast<std::size_t>(t - 1)], count) << m << " " << t;
      duties += count;
    }
    EXPECT_EQ(member.work_days, duties);
    EXPECT_EQ(member.days_off, model.DayCount - duties - unknown);
    EXPECT_EQ(member.target, model.WorkDayTarget(m));
  }
  for (int d = 1; d <= model.DayCount; ++d) {
    for (int t = 1; t <= model.TypeCount; ++t) {
      int staff = 0;
      for (int m = 1; m <= model.MemberCount; ++m) staff += model.Roster(m, d) == t;
      const DayTotals& day = totals.days[static_cast<std::size_t>(d - 1)];
      EXPECT_EQ(day.staff[static_cast<std::size_t>(t - 1)], staff);
      EXPECT_EQ(day.need[static_cast<std::size_t>(t - 1)], model.NeedTable(t, d));
    }
  }
}

}  // namespace
}  // namespace tsumiki
