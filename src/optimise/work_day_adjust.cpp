#include "optimise/work_day_adjust.h"

#include <limits>

#include "roster/combos.h"
#include "roster/extra_rules.h"
#include "roster/patterns.h"
#include "roster/roster_change.h"
#include "roster/roster_score.h"
#include "roster/roster_sheet.h"
#include "roster/work_day_rules.h"
#include "ui/status.h"

namespace tsumiki {

namespace {

int Need(const ConditionModel& model, int m) {
  // A target of 0 means the member is not to be given work by the adjustment.
  if (model.WorkDayTarget(m) == 0) return 0;
  return model.WorkDayTarget(m) - model.WorkDays(m);
}

// Rules of the roster that CanAddDuty does not cover but an added duty must keep:
// a duty that starts a required sequence needs its follower on the next day
// already, no forbidden member combination may fill up, and the member's most
// counts, weekends and shortest runs stay kept.
bool BreaksRosterRules(const ConditionModel& model, int t, int d, int m) {
  const int follower = RequiredFollower(model, t);
  if (follower >= 1 && d < model.DayCount && model.Roster(m, d + 1) != follower) return true;
  return ForbiddenComboHit(model, m, d, t) ||
         !ExtraLimitsAllowDuty(model, m, d, t, /*month_filled=*/true);
}

// One sweep over the duty types and the day order for member m. The type loop goes
// on while t + 1 < TypeCount, and the position loop while k + 1 <= DayCount -
// StartDay: both stop one short of their range (the last type and the most
// over-staffed day are never tried), and both always try their first entry.
void Sweep(const AdjustContext& ctx, int m, const IndexArray<int>& order, bool strict,
           bool long_rest_only, int& need) {
  ConditionModel& model = ctx.model;
  const int days = model.DayCount;
  for (int t = 1;; ++t) {
    for (int k = 1;; ++k) {
      const int d = order(k);
      const bool skip = model.Roster(m, d) != 0 ||
                        CanAddDuty(model, m, d, t, days) != kRuleAccept ||
                        BreaksRosterRules(model, t, d, m) ||
                        (long_rest_only && model.MaxConsecRest != 0 &&
                         OffRunAround(model, m, d) <= model.MaxConsecRest) ||
                        (strict && SingleDayGuard(model, m, d) != kRuleAccept);
      if (!skip) {
        RosterSheetCells sheet(ctx.book);
        PlaceDuty(model, m, d, t, &sheet);
        --need;
      }
      if (!(k + 1 <= days - model.StartDay && !ctx.run.AbortRequested && need > 0)) break;
    }
    if (!(t + 1 < model.TypeCount && need > 0)) break;
  }
}

// Whether some duty of day d is staffed below its desired staffing.
bool BelowDesired(const ConditionModel& model, int d) {
  for (int t = 1; t <= model.TypeCount; ++t) {
    if (model.Extra.DesiredStaff(t, d) <= model.NeedTable(t, d)) continue;
    if (StaffOnDuty(model, d, t) < model.Extra.DesiredStaff(t, d)) return true;
  }
  return false;
}

}  // namespace

void DaysBySurplus(ConditionModel& model, IndexArray<int>& order) {
  const int first = model.StartDay;
  const int last = model.DayCount;
  const int total_row = model.TypeCount + 1;
  for (int d = first; d <= last; ++d) {
    int on_duty = 0;
    for (int m = 1; m <= model.MemberCount; ++m) {
      if (model.Roster(m, d) >= 1) ++on_duty;
    }
    model.DayKeys(d) = static_cast<float>(on_duty - model.NeedTable(total_row, d)) +
                       static_cast<float>(d) / 1000.0f;
    // Among days of equal surplus, one below its desired staffing comes first.
    if (model.Extra.HasSoft && BelowDesired(model, d)) model.DayKeys(d) -= 0.5f;
  }
  // Selection by smallest key; a day taken is marked rather than given a large
  // key, so that no real key can be mistaken for a taken day.
  IndexArray<char> taken(first, last);
  for (int i = 1; i <= last - first + 1; ++i) {
    int best_day = 0;
    float best_key = std::numeric_limits<float>::infinity();
    for (int d = first; d <= last; ++d) {
      if (!taken(d) && model.DayKeys(d) < best_key) {
        best_key = model.DayKeys(d);
        best_day = d;
      }
    }
    if (best_day == 0) break;
    order(i) = best_day;
    taken(best_day) = 1;
  }
}

int AdjustWorkDays(const AdjustContext& ctx, bool strict) {
  ConditionModel& model = ctx.model;
  if (!model.WorkDayAdjust || ctx.run.AbortRequested) return 0;
  const double rest_deviation = ReadRosterNumber(ctx.book, layout::kRestDeviation);
  const double rest_balance = ReadRosterNumber(ctx.book, layout::kRestBalance);
  if (rest_deviation == 0 && rest_balance == 0) return 0;
  if (model.StartDay < 1 || model.StartDay > model.DayCount) return 0;

  ShowStatus(ctx.host, kAdjustingStatus, kDefaultColour, kDefaultColour, /*topmost=*/false,
             ctx.status_position);
  IndexArray<int> order(0, model.DayCount - model.StartDay + 2);
  for (int m = 1; m <= model.MemberCount; ++m) {
    int need = Need(model, m);
    if (need > 0) {
      DaysBySurplus(model, order);
      Sweep(ctx, m, order, strict, /*long_rest_only=*/true, need);
    }
    DaysBySurplus(model, order);
    need = Need(model, m);
    if (need >= 1) Sweep(ctx, m, order, strict, /*long_rest_only=*/false, need);
  }
  const int result = WorkDayShortfall(model);
  ShowStatus(ctx.host, "", kDefaultColour, kDefaultColour, /*topmost=*/false, ctx.status_position);
  return result;
}

}  // namespace tsumiki
