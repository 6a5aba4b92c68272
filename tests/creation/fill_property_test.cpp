#include <gtest/gtest.h>

#include <cstdio>

#include "conditions/layout.h"
#include "conditions/loader.h"
#include "creation/day_filling.h"
#include "roster/roster_change.h"
#include "roster/roster_sheet.h"
#include "support/model_builder.h"
#include "support/roster_checker.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"

namespace tsumiki {
namespace {

using testing::BuildWorkplace;
using testing::CheckOptions;
using testing::CheckRoster;
using testing::JoinProblems;
using testing::ScriptedHost;
using testing::WorkplaceShape;

// Counts the duties that a successful day added, as the creation driver does.
void TallyNewDuties(ConditionModel& model, const DayColumn& before, int d) {
  for (int m = 1; m <= model.MemberCount; ++m) CountFilledCell(model, m, d, before.roster(m));
}

struct Outcome {
  int days_filled = 0;
  int days_tried = 0;
};

// Fills the days of `model` from StartDay on as far as it goes (a day gets a few calls, as the
// driver gives it) and checks every day right after it was filled.
Outcome FillAndCheck(ConditionModel& model, std::uint64_t seed) {
  RunState run;
  RandomSource random(seed);
  ScriptedHost host;
  DayFillContext ctx{model, run, random, host};
  Outcome outcome;
  for (int d = model.StartDay; d <= model.DayCount; ++d) {
    ++outcome.days_tried;
    const DayColumn before = SaveDayColumn(model, d);
    bool filled = false;
    for (int attempt = 1; attempt <= 5 && !filled; ++attempt) {
      filled = TryDay(ctx, d) == DayResult::kFilled;
      if (!filled) {
        // A failed call leaves the day as it found it.
        const DayColumn after = SaveDayColumn(model, d);
        EXPECT_EQ(after.roster, before.roster) << "day " << d;
        EXPECT_EQ(after.fixed, before.fixed) << "day " << d;
      }
    }
    if (!filled) break;  // the driver would start the month again
    TallyNewDuties(model, before, d);
    ++outcome.days_filled;
    const std::vector<testing::Breach> problems = CheckRoster(model, CheckOptions{d, d});
    EXPECT_TRUE(problems.empty()) << "seed " << seed << " day " << d << "\n"
                                  << JoinProblems(problems);
    if (!problems.empty()) break;
  }
  return outcome;
}

Outcome BuildAndCheck(const WorkplaceShape& shape, std::uint64_t seed) {
  ConditionModel model = BuildWorkplace(shape);
  return FillAndCheck(model, seed);
}

class FilledDayBreaksNoRule : public ::testing::TestWithParam<WorkplaceShape> {};

TEST_P(FilledDayBreaksNoRule, OverManySeeds) {
  Outcome total;
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    const Outcome one = BuildAndCheck(GetParam(), seed);
    total.days_filled += one.days_filled;
    total.days_tried += one.days_tried;
    if (HasFailure()) return;
  }
  // Most days must have been filled, or the check above proved little.
  RecordProperty("days_filled", total.days_filled);
  RecordProperty("days_tried", total.days_tried);
  std::printf("%d of %d days filled\n", total.days_filled, total.days_tried);
  EXPECT_GT(total.days_filled * 4, total.days_tried * 3)
      << total.days_filled << " of " << total.days_tried;
}

INSTANTIATE_TEST_SUITE_P(Workplaces, FilledDayBreaksNoRule,
                         ::testing::Values(WorkplaceShape{8, 3, 28, false, false},
                                           WorkplaceShape{20, 6, 30, false, true},
                                           WorkplaceShape{20, 6, 31, true, true},
                                           WorkplaceShape{30, 6, 30, true, true},
                                           WorkplaceShape{60, 10, 30, false, true},
                                           WorkplaceShape{16, 5, 30, true, true, 13}));

// The same on the conditions of the sample workbook, as the loader reads them.
TEST(FilledDayBreaksNoRuleTest, OnTheSampleWorkbook) {
  ScriptedHost host;
  auto fx = testing::LayoutWorkbook::Sample(host);
  ConditionModel loaded;
  loaded.CreateYear = 2027;
  loaded.CreateMonth = 1;
  loaded.CreateStartDay = 1;
  loaded.BaseStartDay = 1;
  RunState run;
  SessionValues session;
  RandomSource random(1);
  EngineContext ctx{fx->book(), host, loaded, run, session, random};
  const LoadResult loaded_month = LoadRosterConditions(ctx);
  ASSERT_EQ(loaded_month.start_day, 1) << (loaded_month.refusal ? loaded_month.refusal->text : "");

  Outcome total;
  for (std::uint64_t seed = 1; seed <= 8; ++seed) {
    ConditionModel model = loaded;
    const Outcome one = FillAndCheck(model, seed);
    total.days_filled += one.days_filled;
    total.days_tried += one.days_tried;
    if (HasFailure()) return;
  }
  std::printf("%d of %d days filled\n", total.days_filled, total.days_tried);
  EXPECT_GT(total.days_filled * 2, total.days_tried)
      << total.days_filled << " of " << total.days_tried;
}

}  // namespace
}  // namespace tsumiki
