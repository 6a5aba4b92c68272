#include "optimise/random_swap.h"

#include <algorithm>

#include "roster/roster_sheet.h"
#include "roster/roster_change.h"
#include "roster/swap.h"
#include "roster/work_day_rules.h"

namespace tsumiki {

namespace {

// A member drawn from one random value: Int(value * N) + 1, kept inside 1..N.
int DrawMember(RandomSource& random, int n) {
  const int offset = static_cast<int>(random.RandomValue() * static_cast<double>(n));
  return std::clamp(offset, 0, n - 1) + 1;
}

// Day d alone between two days of the other kind (day 0 stands before day 1).
bool IsSingleDay(const ConditionModel& model, int m, int d) {
  const bool before = model.Roster(m, d - 1) != 0;
  const bool today = model.Roster(m, d) != 0;
  const bool after = model.Roster(m, d + 1) != 0;
  return before == after && today != before;
}

}  // namespace

void RandomSwapPass(const SearchContext& ctx, int mode, int last_day) {
  ConditionModel& model = ctx.model;
  const int n = model.MemberCount;
  RosterSheetCopy sheet(ctx.book);
  for (int d = model.StartDay; d <= last_day && !ctx.run.AbortRequested; ++d) {
    for (int r = 1; r <= n; ++r) {
      ctx.host.DoEvents();
      if (StopRequested(ctx.run, ctx.host.MonotonicMs())) break;
      const int a = DrawMember(ctx.random, n);
      const int b = DrawMember(ctx.random, n);
      if (a == b) continue;
      SwapDuties(model, a, b, d);
      bool stays = SwapCheck(model, a, b, d, SwapRule::kWithWorkDayTarget) == kRuleAccept;
      if (stays && d < model.DayCount) {
        if (mode == kModeMinimiseSingleHigh && IsSingleDay(model, a, d)) stays = false;
        if ((mode == kModeMinimiseSingleHigh || mode == kModeMinimiseSingleLow) &&
            IsSingleDay(model, b, d)) {
          stays = false;
        }
      }
      if (stays) {
        sheet.Set(a, d, DutyText(model, model.Roster(a, d)));
        sheet.Set(b, d, DutyText(model, model.Roster(b, d)));
      } else {
        SwapDuties(model, b, a, d);
      }
    }
  }
  sheet.WriteBack();
}

}  // namespace tsumiki
