// The rules between neighbouring days of one member: next-day bans, forbidden
// sequences and required sequences. A window that lies wholly in the given days is
// left to the planner: no choice of the model can change it.
#include <algorithm>

#include "exact/exact_model.h"
#include "roster/duty_mask.h"

namespace tsumiki::exact {

namespace {

// Whether any day of first..last is one the model builds.
bool TouchesOpenDay(const CellVariables& cells, int first, int last) {
  for (int day = first; day <= last; ++day) {
    if (cells.Open(day)) return true;
  }
  return false;
}

// The follower a required sequence puts after `first`: the first pair starting
// with it that names a real duty type.
int Follower(const ConditionModel& model, int first) {
  for (int p = 1; p <= model.RequiredPatternCount; ++p) {
    const int next = model.RequiredPatterns(p, 2);
    if (model.RequiredPatterns(p, 1) == first && next >= 1 && next <= model.TypeCount) return next;
  }
  return 0;
}

}  // namespace

// Duty a on day d-1 bars each duty of NextDayBan(a) on day d. One duty a day at
// most, so the banned duties of day d add up to at most 1 and one row per duty a
// covers them all.
void AddNextDayRows(const ConditionModel& model, ExactModel& out) {
  const CellVariables& cells = *out.cells;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = std::max(1, model.StartDay); d <= model.DayCount; ++d) {
      for (int a = 1; a <= model.TypeCount; ++a) {
        const int banned = model.NextDayBan(a);
        if (banned == 0) continue;
        LinearExpr pair = cells.Duty(m, d - 1, a);
        if (pair.IsConstant() && pair.constant == 0) continue;
        for (int u = 1; u <= model.TypeCount; ++u) {
          if (MaskHasDuty(banned, u)) pair.Add(cells.Duty(m, d, u));
        }
        out.lp.AddRow(pair, -kUnbounded, 1);
      }
    }
  }
}

// A forbidden sequence: its columns in order from the first (which must be
// filled), trailing empty columns dropped; an empty column inside matches any day
// and "*" any duty. No window of a member may match every filled column.
void AddForbiddenSequenceRows(const ConditionModel& model, ExactModel& out) {
  const CellVariables& cells = *out.cells;
  const int earliest = model.UsePrevMonth ? 1 - kPrevMonthDays : 1;
  for (int p = 1; p <= model.ForbiddenPatternCount; ++p) {
    if (model.ForbiddenPatterns(p, 1) <= 0) continue;
    int length = 5;
    while (length > 0 && model.ForbiddenPatterns(p, length) <= 0) --length;
    for (int m = 1; m <= model.MemberCount; ++m) {
      for (int start = earliest; start + length - 1 <= model.DayCount; ++start) {
        if (!TouchesOpenDay(cells, start, start + length - 1)) continue;
        LinearExpr matched;
        int filled = 0;
        for (int k = 1; k <= length; ++k) {
          const int want = model.ForbiddenPatterns(p, k);
          if (want <= 0) continue;
          ++filled;
          const int day = start + k - 1;
          matched.Add(want == kAnyType ? cells.Works(m, day) : cells.Duty(m, day, want));
        }
        out.lp.AddRow(matched, -kUnbounded, filled - 1);
      }
    }
  }
}

// Duty a on day d-1 puts its follower on day d (from day 1 only when the previous
// month is in use); a on the last day needs nothing after it.
void AddRequiredSequenceRows(const ConditionModel& model, ExactModel& out) {
  const CellVariables& cells = *out.cells;
  for (int a = 1; a <= model.TypeCount; ++a) {
    const int next = Follower(model, a);
    if (next == 0) continue;
    for (int m = 1; m <= model.MemberCount; ++m) {
      for (int d = std::max(1, model.StartDay); d <= model.DayCount; ++d) {
        if (d == 1 && !model.UsePrevMonth) continue;
        LinearExpr lead = cells.Duty(m, d - 1, a);
        if (lead.IsConstant() && lead.constant == 0) continue;
        lead.Add(cells.Duty(m, d, next), -1);
        out.lp.AddRow(lead, -kUnbounded, 0);
      }
    }
  }
}

}  // namespace tsumiki::exact
