#include "check/rule_check.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>

#include "check/rule_check_extra.h"
#include "check/rule_texts.h"
#include "conditions/layout.h"

namespace tsumiki {
namespace {

using layout::Format;

bool IsDuty(const ConditionModel& model, int code) {
  return code >= 1 && code <= model.TypeCount;
}

bool InMask(int mask, int type) {
  return type >= 1 && type <= 16 && (mask & (1 << (type - 1))) != 0;
}

std::string N(int value) {
  return std::to_string(value);
}

// Walks the roster once per rule and collects what is broken.
class RuleChecker {
 public:
  explicit RuleChecker(const ConditionModel& model) : m_(model) {}

  std::vector<Finding> Run() {
    UnknownDuties();
    Staffing();
    Reservations();
    DayBans();
    NextDayBans();
    ForbiddenSequences();
    RequiredSequences();
    ForbiddenCombinations();
    RequiredCombinations();
    ConsecutiveWork();
    WorkDayTargets();
    CheckExtraRules(m_, found_);
    // Day by day as the planner reads the sheet; the month's targets come last.
    std::stable_sort(found_.begin(), found_.end(), [](const Finding& a, const Finding& b) {
      const auto key = [](const Finding& f) { return std::tuple(f.day == 0, f.day, f.member); };
      return key(a) < key(b);
    });
    return std::move(found_);
  }

 private:
  void Add(int member, int day, RuleKind rule, std::string reason, int duty = 0) {
    found_.push_back(Finding{member, day, rule, std::move(reason), duty});
  }

  int Code(int m, int d) const { return m_.Roster(m, d); }
  bool Works(int m, int d) const { return IsDuty(m_, Duty(m, d)); }

  // The duty of member m on day d; days 0, -1, ... are the previous month's last
  // days when they are in use, and otherwise rest days.
  int Duty(int m, int d) const {
    if (d >= 1) return d <= m_.DayCount ? Code(m, d) : kRestDay;
    const int back = 1 - d;
    return m_.UsePrevMonth && back <= kPrevMonthDays ? m_.PrevMonthTail(m, back) : kRestDay;
  }

  std::string Abbrev(int code) const {
    if (IsDuty(m_, code)) return m_.TypeAbbrev(code);
    return std::string(code == kRestDay ? rule_text::kRestDayName : "?");
  }

  // The member rows a combination lists, in its order; numbers that match no
  // member are left out.
  std::vector<int> Listed(const ComboRule& rule) const {
    std::vector<int> rows;
    for (int k = 1; k <= kComboMembers; ++k) {
      const int number = rule.Members[static_cast<std::size_t>(k)];
      if (number < 1) continue;
      for (int m = 1; m <= m_.MemberCount; ++m) {
        if (std::strtod(m_.MemberInfo(m, 1).c_str(), nullptr) == number) {
          rows.push_back(m);
          break;
        }
      }
    }
    return rows;
  }

  void UnknownDuties() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      for (int d = 1; d <= m_.DayCount; ++d) {
        const int c = Code(m, d);
        if (c != kRestDay && !IsDuty(m_, c)) {
          Add(m, d, RuleKind::kUnknownDuty, std::string(rule_text::kUnknownDuty));
        }
      }
    }
  }

  // Extra staff is how members reach their work-day targets; the last duty type
  // (a night's second half, as a rule) is never added to.
  bool ExtraAllowed(int t) const {
    return m_.WorkDayAdjust && (t < m_.TypeCount || m_.TypeCount == 1);
  }

  void Staffing() {
    for (int d = 1; d <= m_.DayCount; ++d) {
      for (int t = 1; t <= m_.TypeCount; ++t) {
        int staff = 0;
        for (int m = 1; m <= m_.MemberCount; ++m) staff += Code(m, d) == t ? 1 : 0;
        const int need = m_.NeedTable(t, d);
        if (staff < need) {
          Add(0, d, RuleKind::kStaffShort,
              Format(rule_text::kStaffShort, {Abbrev(t), N(need), N(staff), N(need - staff)}), t);
        } else if (staff > need && !ExtraAllowed(t)) {
          Add(0, d, RuleKind::kStaffOver,
              Format(rule_text::kStaffOver, {Abbrev(t), N(need), N(staff), N(staff - need)}), t);
        }
      }
    }
  }

  void Reservations() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      for (int d = 1; d <= m_.DayCount; ++d) {
        const int reserved = m_.Fixed(m, d);
        if (reserved >= 1 && Code(m, d) != reserved) {
          Add(m, d, RuleKind::kReservation,
              Format(rule_text::kReservation, {Abbrev(reserved), Abbrev(Code(m, d))}));
        }
      }
    }
  }

  void DayBans() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      for (int d = 1; d <= m_.DayCount; ++d) {
        const int c = Code(m, d);
        const int mask = m_.DutyBanMask(m, d);
        if (!IsDuty(m_, c) || !InMask(mask, c) || m_.Fixed(m, d) == c) continue;
        if (mask == kAnyType) {
          Add(m, d, RuleKind::kDayOffRequest, Format(rule_text::kDayOffRequest, {Abbrev(c)}));
        } else {
          Add(m, d, RuleKind::kDutyBan, Format(rule_text::kDutyBan, {Abbrev(c)}));
        }
      }
    }
  }

  void NextDayBans() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      for (int d = 1; d <= m_.DayCount; ++d) {
        const int before = Duty(m, d - 1);
        const int now = Code(m, d);
        if (IsDuty(m_, before) && IsDuty(m_, now) && InMask(m_.NextDayBan(before), now)) {
          Add(m, d, RuleKind::kNextDayBan,
              Format(rule_text::kNextDayBan, {Abbrev(before), Abbrev(now)}));
        }
      }
    }
  }

  // A forbidden sequence is read from its first column to its last filled one: a
  // duty must be that duty, "*" any duty, and an empty column any day. Runs that
  // begin in the previous month count when they reach into this one; they are
  // reported on the month's first day.
  void ForbiddenSequences() {
    for (int p = 1; p <= m_.ForbiddenPatternCount; ++p) {
      if (m_.ForbiddenPatterns(p, 1) <= 0) continue;
      std::vector<int> cols;
      for (int k = 1; k <= 5; ++k) cols.push_back(m_.ForbiddenPatterns(p, k));
      while (cols.back() <= 0) cols.pop_back();
      const int length = static_cast<int>(cols.size());
      std::string shown;
      for (int want : cols) {
        if (!shown.empty()) shown += "→";
        shown += want == kAnyType ? std::string("*")
                 : want <= 0      ? std::string(rule_text::kAnyDayMark)
                                  : Abbrev(want);
      }
      for (int m = 1; m <= m_.MemberCount; ++m) {
        int reported = 0;
        for (int start = 2 - length; start + length - 1 <= m_.DayCount; ++start) {
          bool hit = true;
          for (int k = 0; k < length && hit; ++k) {
            const int want = cols[static_cast<std::size_t>(k)];
            const int have = Duty(m, start + k);
            if (want == kAnyType)
              hit = IsDuty(m_, have);
            else if (want > 0)
              hit = have == want;
          }
          const int day = std::max(1, start);
          if (hit && day != reported) {
            Add(m, day, RuleKind::kForbiddenSequence,
                Format(rule_text::kForbiddenSequence, {N(p), shown}));
            reported = day;
          }
        }
      }
    }
  }

  // The duty that must follow `first`: the first pair that starts with it.
  int Follower(int first) const {
    for (int p = 1; p <= m_.RequiredPatternCount; ++p) {
      const int next = m_.RequiredPatterns(p, 2);
      if (m_.RequiredPatterns(p, 1) == first && IsDuty(m_, next)) return next;
    }
    return 0;
  }

  // Across the month's start only when the previous month's days are in use.
  void RequiredSequences() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      for (int d = m_.UsePrevMonth ? 1 : 2; d <= m_.DayCount; ++d) {
        const int before = Duty(m, d - 1);
        const int due = IsDuty(m_, before) ? Follower(before) : 0;
        if (due != 0 && Code(m, d) != due) {
          Add(m, d, RuleKind::kRequiredSequence,
              Format(rule_text::kRequiredSequence,
                     {Abbrev(before), Abbrev(due), Abbrev(Code(m, d))}));
        }
      }
    }
  }

  std::string Names(const std::vector<int>& rows, int d, int t) const {
    std::string names;
    for (int row : rows) {
      if (Code(row, d) != t) continue;
      if (!names.empty()) names += "、";
      names += m_.MemberInfo(row, 2);
    }
    return names;
  }

  void ForbiddenCombinations() {
    for (int r = 1; r <= m_.ForbiddenCombos.Hi(); ++r) {
      const ComboRule& rule = m_.ForbiddenCombos(r);
      if (rule.TypeIndex <= 0 || rule.Count < 1) continue;
      const std::vector<int> rows = Listed(rule);
      for (int d = 1; d <= m_.DayCount; ++d) {
        for (int t = 1; t <= m_.TypeCount; ++t) {
          if (rule.TypeIndex != t && rule.TypeIndex != kAnyType) continue;
          const auto together =
              std::count_if(rows.begin(), rows.end(), [&](int row) { return Code(row, d) == t; });
          if (together >= rule.Count) {
            Add(0, d, RuleKind::kForbiddenCombination,
                Format(rule_text::kForbiddenCombination,
                       {N(r), Abbrev(t), N(static_cast<int>(together)), Names(rows, d, t)}),
                t);
          }
        }
      }
    }
  }

  // As many listed members as the rule asks for, or as the day's need of the duty
  // allows when that is fewer.
  void RequiredCombinations() {
    for (int r = 1; r <= m_.RequiredCombos.Hi(); ++r) {
      const ComboRule& rule = m_.RequiredCombos(r);
      const int t = rule.TypeIndex;
      if (!IsDuty(m_, t)) continue;
      const std::vector<int> rows = Listed(rule);
      for (int d = 1; d <= m_.DayCount; ++d) {
        const auto on =
            std::count_if(rows.begin(), rows.end(), [&](int row) { return Code(row, d) == t; });
        const int wanted = std::min(rule.Count, m_.NeedTable(t, d));
        if (on < wanted) {
          Add(0, d, RuleKind::kRequiredCombination,
              Format(rule_text::kRequiredCombination,
                     {N(r), Abbrev(t), N(wanted), N(static_cast<int>(on))}),
              t);
        }
      }
    }
  }

  // A run is reported on its first day in this month; a run at the month's start
  // counts the previous month's work days before it.
  void ConsecutiveWork() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      const int longest = LongestWorkRun(m_, m);
      if (longest <= 0) continue;
      for (int d = 1; d <= m_.DayCount;) {
        if (!Works(m, d)) {
          ++d;
          continue;
        }
        int end = d;
        while (end < m_.DayCount && Works(m, end + 1)) ++end;
        int first = d;
        if (d == 1) {
          while (first > 1 - kPrevMonthDays && Works(m, first - 1)) --first;
        }
        const int run = end - first + 1;
        if (run > longest) {
          Add(m, d, RuleKind::kConsecutiveWork,
              Format(rule_text::kConsecutiveWork, {N(run), N(longest)}));
        }
        d = end + 1;
      }
    }
  }

  // Never above the target; a member with days off set (a target below the
  // month's length) is to meet it exactly, or to work at least the days that the
  // most days off leaves.
  void WorkDayTargets() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      int work = 0;
      for (int d = 1; d <= m_.DayCount; ++d) work += Works(m, d) ? 1 : 0;
      const int target = m_.WorkDayTarget(m);
      const int least = LeastWorkDays(m_, m);
      if (work > target) {
        Add(m, 0, RuleKind::kWorkDayTarget, Format(rule_text::kWorkDaysOver, {N(work), N(target)}));
      } else if (work < least) {
        Add(m, 0, RuleKind::kWorkDayTarget,
            Format(least < target ? rule_text::kWorkDaysBelowLeast : rule_text::kWorkDaysShort,
                   {N(work), N(least)}));
      }
    }
  }

  const ConditionModel& m_;
  std::vector<Finding> found_;
};

}  // namespace

std::vector<Finding> CheckRosterRules(const ConditionModel& model) {
  return RuleChecker(model).Run();
}

std::string_view RuleName(RuleKind rule) {
  switch (rule) {
    case RuleKind::kUnknownDuty:
      return "不明な勤務";
    case RuleKind::kStaffShort:
      return "人数不足";
    case RuleKind::kStaffOver:
      return "人数過剰";
    case RuleKind::kReservation:
      return "予約";
    case RuleKind::kDayOffRequest:
      return "休み希望";
    case RuleKind::kDutyBan:
      return "勤務不可";
    case RuleKind::kNextDayBan:
      return "翌日禁止";
    case RuleKind::kForbiddenSequence:
      return "禁止パターン";
    case RuleKind::kRequiredSequence:
      return "必須パターン";
    case RuleKind::kForbiddenCombination:
      return "組合せ禁止";
    case RuleKind::kRequiredCombination:
      return "組合せ必須";
    case RuleKind::kConsecutiveWork:
      return "連続勤務上限";
    case RuleKind::kWorkDayTarget:
      return "勤務日数";
    case RuleKind::kDutyCount:
      return "勤務回数";
    case RuleKind::kRestRunShort:
      return "連休の最短";
    case RuleKind::kWorkRunShort:
      return "連勤の最短";
    case RuleKind::kWeekendsOver:
      return "週末勤務の上限";
  }
  return {};
}

std::string_view RuleId(RuleKind rule) {
  switch (rule) {
    case RuleKind::kUnknownDuty:
      return "unknown_duty";
    case RuleKind::kStaffShort:
      return "staff_short";
    case RuleKind::kStaffOver:
      return "staff_over";
    case RuleKind::kReservation:
      return "reservation";
    case RuleKind::kDayOffRequest:
      return "day_off_request";
    case RuleKind::kDutyBan:
      return "duty_ban";
    case RuleKind::kNextDayBan:
      return "next_day_ban";
    case RuleKind::kForbiddenSequence:
      return "forbidden_sequence";
    case RuleKind::kRequiredSequence:
      return "required_sequence";
    case RuleKind::kForbiddenCombination:
      return "forbidden_combination";
    case RuleKind::kRequiredCombination:
      return "required_combination";
    case RuleKind::kConsecutiveWork:
      return "consecutive_work";
    case RuleKind::kWorkDayTarget:
      return "work_day_target";
    case RuleKind::kDutyCount:
      return "duty_count";
    case RuleKind::kRestRunShort:
      return "rest_run";
    case RuleKind::kWorkRunShort:
      return "work_run";
    case RuleKind::kWeekendsOver:
      return "weekends";
  }
  return {};
}

}  // namespace tsumiki
