#include "check/rule_check_extra.h"

#include <string>

#include "check/rule_texts.h"
#include "conditions/layout.h"

namespace tsumiki {
namespace {

using layout::Format;

std::string N(int value) {
  return std::to_string(value);
}

// -1 for an unknown code, which is neither work nor rest; 1 work, 0 rest.
int Kind(const ConditionModel& model, int code) {
  if (code >= 1 && code <= model.TypeCount) return 1;
  return code == kRestDay ? 0 : -1;
}

int KindOn(const ConditionModel& model, int m, int d) {
  if (d >= 1) return Kind(model, model.Roster(m, d));
  return Kind(model, model.PrevMonthTail(m, 1 - d));
}

void DutyCounts(const ConditionModel& model, std::vector<Finding>& found) {
  const ExtraConditions& x = model.Extra;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int t = 1; t <= model.TypeCount; ++t) {
      if (x.DutyLeast(m, t) <= 0 && x.DutyMost(m, t) == kNoLimit) continue;
      int count = 0;
      for (int d = 1; d <= model.DayCount; ++d) count += model.Roster(m, d) == t ? 1 : 0;
      const std::string& abbrev = model.TypeAbbrev(t);
      if (count < x.DutyLeast(m, t)) {
        found.push_back(
            {m, 0, RuleKind::kDutyCount,
             Format(rule_text::kDutyCountShort, {abbrev, N(count), N(x.DutyLeast(m, t))}), t});
      } else if (x.DutyMost(m, t) != kNoLimit && count > x.DutyMost(m, t)) {
        found.push_back({m, 0, RuleKind::kDutyCount,
                         Format(rule_text::kDutyCountOver, {abbrev, N(count), N(x.DutyMost(m, t))}),
                         t});
      }
    }
  }
}

void Runs(const ConditionModel& model, std::vector<Finding>& found) {
  const ExtraConditions& x = model.Extra;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (const bool work : {false, true}) {
      const int least = work ? x.WorkRunLeast(m) : x.RestRunLeast(m);
      for (const ShortRun& run : ShortRuns(model, m, work, least)) {
        found.push_back({m, run.day, work ? RuleKind::kWorkRunShort : RuleKind::kRestRunShort,
                         Format(work ? rule_text::kWorkRunShort : rule_text::kRestRunShort,
                                {N(run.length), N(least)})});
      }
    }
  }
}

// The weekend that goes over the limit is the one reported, on its first day.
void Weekends(const ConditionModel& model, std::vector<Finding>& found) {
  const ExtraConditions& x = model.Extra;
  for (int m = 1; m <= model.MemberCount; ++m) {
    if (x.WeekendsMost(m) == kNoLimit) continue;
    int worked = 0;
    int counted = 0;  // the last weekend counted
    for (int d = 1; d <= model.DayCount; ++d) {
      const int weekend = x.WeekendOf(d);
      if (weekend == 0 || weekend == counted || KindOn(model, m, d) != 1) continue;
      counted = weekend;
      ++worked;
      if (worked == x.WeekendsMost(m) + 1) {
        int first = d;
        while (first > 1 && x.WeekendOf(first - 1) == weekend) --first;
        found.push_back({m, first, RuleKind::kWeekendsOver,
                         Format(rule_text::kWeekendsOver, {N(worked), N(x.WeekendsMost(m))})});
      }
    }
  }
}

}  // namespace

std::vector<ShortRun> ShortRuns(const ConditionModel& model, int m, bool work, int least) {
  std::vector<ShortRun> runs;
  if (least < 2) return runs;
  const int want = work ? 1 : 0;
  const int earliest = model.UsePrevMonth ? 1 - kPrevMonthDays : 1;
  for (int d = 1; d <= model.DayCount;) {
    if (KindOn(model, m, d) != want) {
      ++d;
      continue;
    }
    int end = d;
    while (end < model.DayCount && KindOn(model, m, end + 1) == want) ++end;
    int first = d;
    while (d == 1 && first > earliest && KindOn(model, m, first - 1) == want) --first;
    const bool open_start = !model.UsePrevMonth && first == 1;
    const int length = end - first + 1;
    if (end < model.DayCount && !open_start && length < least) runs.push_back({d, length});
    d = end + 1;
  }
  return runs;
}

void CheckExtraRules(const ConditionModel& model, std::vector<Finding>& found) {
  if (!model.Extra.HasHard) return;
  DutyCounts(model, found);
  Runs(model, found);
  Weekends(model, found);
}

}  // namespace tsumiki
