#include "roster/repair_rules.h"

#include <algorithm>

#include "roster/combos.h"
#include "roster/duty_mask.h"
#include "roster/extra_rules.h"
#include "roster/patterns.h"

namespace tsumiki {

namespace {

constexpr int kPatternColumns = 5;

bool Works(int code) {
  return code >= 1;
}

}  // namespace

RepairRules::RepairRules(const ConditionModel& model, bool extra_limits)
    : extra_limits_(extra_limits) {
  addable_ = std::max(1, model.TypeCount - 1);
  auto rows_of = [&](const ComboRule& rule) {
    Combo combo{rule.TypeIndex, rule.Count, {}};
    for (int m = 1; m <= model.MemberCount; ++m) {
      if (ComboLists(model, m, rule)) combo.rows.push_back(m);
    }
    return combo;
  };
  for (int r = 1; r <= model.ForbiddenCombos.Hi(); ++r) {
    const ComboRule& rule = model.ForbiddenCombos(r);
    if (rule.TypeIndex > 0 && rule.Count >= 1) forbidden_rows_.push_back(rows_of(rule));
  }
  for (int r = 1; r <= model.RequiredCombos.Hi(); ++r) {
    const ComboRule& rule = model.RequiredCombos(r);
    if (rule.TypeIndex >= 1 && rule.TypeIndex <= model.TypeCount) {
      required_rows_.push_back(rows_of(rule));
    }
  }
  pattern_length_.assign(static_cast<std::size_t>(model.ForbiddenPatternCount + 1), 0);
  for (int p = 1; p <= model.ForbiddenPatternCount; ++p) {
    if (model.ForbiddenPatterns(p, 1) <= 0) continue;
    int length = kPatternColumns;
    while (length > 0 && model.ForbiddenPatterns(p, length) <= 0) --length;
    pattern_length_[static_cast<std::size_t>(p)] = length;
  }
}

int RepairRules::DutyOn(const ConditionModel& model, int m, int day) const {
  if (day >= 1) return day <= model.DayCount ? model.Roster(m, day) : 0;
  if (!model.UsePrevMonth || 1 - day > kPrevMonthDays) return 0;
  return model.PrevMonthTail(m, 1 - day);
}

bool RepairRules::SequenceHit(const ConditionModel& model, int m, int d) const {
  const int earliest = model.UsePrevMonth ? 1 - kPrevMonthDays : 1;
  for (int p = 1; p < static_cast<int>(pattern_length_.size()); ++p) {
    const int length = pattern_length_[static_cast<std::size_t>(p)];
    if (length == 0) continue;
    for (int start = std::max(earliest, d - length + 1);
         start <= d && start + length - 1 <= model.DayCount; ++start) {
      bool match = true;
      for (int k = 1; k <= length && match; ++k) {
        const int want = model.ForbiddenPatterns(p, k);
        if (want <= 0) continue;
        const int have = DutyOn(model, m, start + k - 1);
        match = want == kAnyType ? Works(have) : have == want;
      }
      if (match) return true;
    }
  }
  return false;
}

bool RepairRules::RunTooLong(const ConditionModel& model, int m, int d) const {
  if (LongestWorkRun(model, m) <= 0) return false;
  int run = 1;
  for (int i = d - 1; i >= 1 - kPrevMonthDays && Works(DutyOn(model, m, i)); --i) ++run;
  for (int i = d + 1; i <= model.DayCount && Works(model.Roster(m, i)); ++i) ++run;
  return RunPastLongest(model, m, run);
}

bool RepairRules::MemberDayHolds(const ConditionModel& model, int m, int d) const {
  const int code = model.Roster(m, d);
  if (model.Fixed(m, d) >= 1 && code != model.Fixed(m, d)) return false;
  const bool has_before = d > 1 || model.UsePrevMonth;
  const int before = has_before ? model.Roster(m, d - 1) : 0;
  const int after = d < model.DayCount ? model.Roster(m, d + 1) : 0;
  if (Works(before) && before <= model.TypeCount) {
    if (Works(code) && MaskHasDuty(model.NextDayBan(before), code)) return false;
    const int due = RequiredFollower(model, before);
    if (due != 0 && code != due) return false;
  }
  if (extra_limits_ && !ExtraLimitsHold(model, m, d)) return false;
  if (!Works(code)) return true;  // a rest day starts nothing and ends no run
  if (MaskHasDuty(model.DutyBanMask(m, d), code)) return false;
  if (code <= model.TypeCount) {
    if (Works(after) && MaskHasDuty(model.NextDayBan(code), after)) return false;
    const int due = RequiredFollower(model, code);
    if (due != 0 && d < model.DayCount && after != due) return false;
  }
  return !SequenceHit(model, m, d) && !RunTooLong(model, m, d);
}

bool RepairRules::CombosHold(const ConditionModel& model, int d) const {
  for (const Combo& combo : forbidden_rows_) {
    for (int t = 1; t <= model.TypeCount; ++t) {
      if (combo.type != t && combo.type != kAnyType) continue;
      int together = 0;
      for (const int row : combo.rows) together += model.Roster(row, d) == t ? 1 : 0;
      if (together >= combo.count) return false;
    }
  }
  for (const Combo& combo : required_rows_) {
    int on = 0;
    for (const int row : combo.rows) on += model.Roster(row, d) == combo.type ? 1 : 0;
    if (on < std::min(combo.count, model.NeedTable(combo.type, d))) return false;
  }
  return true;
}

}  // namespace tsumiki
