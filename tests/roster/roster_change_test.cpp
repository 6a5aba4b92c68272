#include "roster/roster_change.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

#include "conditions/roster_writer.h"
#include "optimise/workplace.h"
#include "roster/swap.h"
#include "support/roster_edit.h"

namespace tsumiki {
namespace {

using testing::TallyMismatch;
using testing::RosterEdit;

// A sheet that remembers the last text written to each cell.
struct RecordedSheet : RosterCells {
  std::map<std::pair<int, int>, std::string> cells;
  void Set(int m, int d, const std::string& text) override { cells[{m, d}] = text; }
};

// Every operation of the change path, and its undo, on a month the day filling
// built: after each step the tallies equal a count of the roster, and the sheet
// shows every cell that was changed as the roster holds it.
TEST(RosterChange, EveryOperationAndItsUndoKeepTheTalliesACountOfTheRoster) {
  ConditionModel model;
  ASSERT_TRUE(testing::BuildWorkplaceMonth(1, model));
  ASSERT_EQ(TallyMismatch(model), "");
  int free_m = 0;  // a member who rests on day 9, and one who works that day
  int busy_m = 0;
  for (int m = 1; m <= model.MemberCount; ++m) (model.Roster(m, 9) == 0 ? free_m : busy_m) = m;
  ASSERT_TRUE(free_m > 0 && busy_m > 0);
  const int busy_type = model.Roster(busy_m, 9);
  const ConditionModel original = model;

  RecordedSheet sheet;
  using Step = std::function<void(ConditionModel&, RosterCells*)>;
  const std::pair<const char*, Step> steps[] = {
      {"place", [&](auto& mo, auto* s) { PlaceDuty(mo, free_m, 9, 2, s); }},
      {"set", [&](auto& mo, auto* s) { SetDuty(mo, free_m, 9, 3, s); }},
      {"swap", [&](auto& mo, auto* s) { SwapDuties(mo, free_m, busy_m, 9, s); }},
      {"swap back", [&](auto& mo, auto* s) { SwapDuties(mo, free_m, busy_m, 9, s); }},
      {"remove", [&](auto& mo, auto* s) { RemoveDuty(mo, free_m, 9, s); }},
      {"remove busy", [&](auto& mo, auto* s) { RemoveDuty(mo, busy_m, 9, s); }},
      {"place back", [&](auto& mo, auto* s) { PlaceDuty(mo, busy_m, 9, busy_type, s); }},
      {"filled cell",
       [&](auto& mo, auto*) {
         // As the day filling writes, counted afterwards.
         RosterEdit::WriteUncounted(mo, free_m, 10, 1);
         CountFilledCell(mo, free_m, 10, original.Roster(free_m, 10));
       }},
      {"filled back",
       [&](auto& mo, auto*) {
         const int counted = mo.Roster(free_m, 10);
         RosterEdit::WriteUncounted(mo, free_m, 10, original.Roster(free_m, 10));
         CountFilledCell(mo, free_m, 10, counted);
       }},
  };
  for (const auto& [name, step] : steps) {
    step(model, &sheet);
    EXPECT_EQ(TallyMismatch(model), "") << name;
    EXPECT_EQ(TallyDrift(model), "") << name;
    for (const auto& [cell, text] : sheet.cells) {
      EXPECT_EQ(text, DutyText(model, model.Roster(cell.first, cell.second))) << name;
    }
  }
  EXPECT_EQ(model.Roster, original.Roster);
  EXPECT_EQ(model.TypeTally, original.TypeTally);
  EXPECT_EQ(model.WorkDays, original.WorkDays);

  // A count from nothing, as the explanation makes of the month on the sheet.
  ConditionModel counted = model;
  RecountMonth(counted);
  EXPECT_EQ(TallyMismatch(counted), "");
}

// The recount of the move check: it sees a cell the tallies do not count, and
// keeps the past totals apart from the month's duties.
TEST(TallyDrift, SeesUncountedCellsAndKeepsThePastTotalsApart) {
  ConditionModel model;
  ASSERT_TRUE(testing::BuildWorkplaceMonth(1, model));
  int d = 1;
  while (d < model.DayCount && model.Roster(1, d) != 0) ++d;
  ASSERT_EQ(model.Roster(1, d), 0);
  using Step = std::function<void(ConditionModel&)>;
  const struct {
    const char* name;
    Step step;
    bool drifts;
  } cases[] = {
      {"past total", [](ConditionModel& mo) { RosterEdit::SetPastTotal(mo, 1, 1, 5); }, false},
      {"counted duty", [d](ConditionModel& mo) { SetDuty(mo, 1, d, 1); }, false},
      {"uncounted duty", [d](ConditionModel& mo) { RosterEdit::WriteUncounted(mo, 1, d, 1); },
       true},
      {"uncounted day 0", [](ConditionModel& mo) { RosterEdit::WriteUncounted(mo, 1, 0, 1); },
       false},
      {"month recounted",
       [d](ConditionModel& mo) {
         RosterEdit::SetPastTotal(mo, 2, kTallyTotal, 7);
         RosterEdit::WriteUncounted(mo, 1, d, 1);
         RecountMonth(mo);
       },
       false},
  };
  for (const auto& c : cases) {
    ConditionModel changed = model;
    c.step(changed);
    EXPECT_EQ(TallyDrift(changed).empty(), !c.drifts) << c.name << ": " << TallyDrift(changed);
  }
}

}  // namespace
}  // namespace tsumiki
