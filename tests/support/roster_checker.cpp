#include "support/roster_checker.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <sstream>

namespace tsumiki::testing {
namespace {

class Checker {
 public:
  Checker(const ConditionModel& model, const CheckOptions& options)
      : m_(model), opt_(options), first_(options.first_day) {
    last_ = options.last_day > 0 ? options.last_day : model.DayCount;
    if (first_ < 1) first_ = 1;
    if (last_ > model.DayCount) last_ = model.DayCount;
  }

  std::vector<Breach> Run() {
    Codes();
    Staffing();
    DayBans();
    NextDayBans();
    ForbiddenSequences();
    Reservations();
    ConsecutiveWork();
    ForbiddenCombos();
    RequiredCombos();
    RequiredSequences();
    WorkDayTargets();
    ExtraLimits();
    return problems_;
  }

 private:
  bool InRange(int from, int to) const { return from <= last_ && to >= first_; }

  void Report(const Breach& breach) { problems_.push_back(breach); }

  bool Works(int code) const { return code >= 1; }

  // Duty of member m on day `day`, days before 1 from the previous month's tail
  // (only when it is in use; otherwise they count as unknown = no duty).
  int DutyOn(int m, int day) const {
    if (day >= 1) return day <= m_.DayCount ? m_.Roster(m, day) : 0;
    if (!m_.UsePrevMonth || 1 - day > 10) return 0;
    return m_.PrevMonthTail(m, 1 - day);
  }

  static bool Bit(int mask, int t) { return t >= 1 && t <= 16 && ((mask >> (t - 1)) & 1) != 0; }

  int RowOfNumber(int number) const {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      if (std::atof(m_.MemberInfo(m, 1).c_str()) == number) return m;
    }
    return 0;
  }

  std::vector<int> Rows(const ComboRule& rule) const {
    std::vector<int> rows;
    for (int k = 1; k <= kComboMembers; ++k) {
      const int n = rule.Members[static_cast<std::size_t>(k)];
      if (n >= 1 && RowOfNumber(n) >= 1) rows.push_back(RowOfNumber(n));
    }
    return rows;
  }

  void Codes() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      for (int d = first_; d <= last_; ++d) {
        const int c = m_.Roster(m, d);
        if (c < 0 || c > m_.TypeCount) {
          Report({.rule = Rule::kNoDutyType, .member = m, .day = d, .actual = c});
        }
      }
    }
  }

  void Staffing() {
    for (int d = first_; d <= last_; ++d) {
      for (int t = 1; t <= m_.TypeCount; ++t) {
        int staff = 0;
        for (int m = 1; m <= m_.MemberCount; ++m) staff += m_.Roster(m, d) == t ? 1 : 0;
        const bool may_exceed =
            opt_.extra_staff_on_every_type ||
            (opt_.extra_staff_for_targets && (t < m_.TypeCount || m_.TypeCount == 1));
        const int need = m_.NeedTable(t, d);
        if (staff != need && !(may_exceed && staff > need)) {
          Report({.rule = Rule::kStaffing, .day = d, .type = t, .actual = staff, .expected = need});
        }
      }
    }
  }

  void DayBans() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      for (int d = first_; d <= last_; ++d) {
        const int c = m_.Roster(m, d);
        const bool reserved = opt_.reservations_override_bans && m_.Fixed(m, d) == c;
        if (Works(c) && Bit(m_.DutyBanMask(m, d), c) && !reserved) {
          Report({.rule = Rule::kDayBan, .member = m, .day = d, .type = c});
        }
      }
    }
  }

  void NextDayBans() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      for (int d = std::max(1, first_); d <= std::min(last_ + 1, m_.DayCount); ++d) {
        const int before = d == 1 ? (m_.UsePrevMonth ? m_.Roster(m, 0) : 0) : m_.Roster(m, d - 1);
        const int now = m_.Roster(m, d);
        if (Works(before) && before <= m_.TypeCount && Works(now) &&
            Bit(m_.NextDayBan(before), now)) {
          Report({.rule = Rule::kNextDayBan, .member = m, .day = d, .type = now,
                  .previous = before});
        }
      }
    }
  }

  // A forbidden sequence: its columns in order from column 1 (which must be
  // filled), trailing empty columns dropped; an empty column inside matches any
  // day, "*" any duty.
  void ForbiddenSequences() {
    for (int p = 1; p <= m_.ForbiddenPatternCount; ++p) {
      if (m_.ForbiddenPatterns(p, 1) <= 0) continue;
      int length = 5;
      while (length > 0 && m_.ForbiddenPatterns(p, length) <= 0) --length;
      const int earliest = m_.UsePrevMonth ? 1 - 10 : 1;
      for (int m = 1; m <= m_.MemberCount; ++m) {
        for (int start = earliest; start + length - 1 <= m_.DayCount; ++start) {
          if (!InRange(start, start + length - 1)) continue;
          bool match = true;
          for (int k = 1; k <= length && match; ++k) {
            const int want = m_.ForbiddenPatterns(p, k);
            const int have = DutyOn(m, start + k - 1);
            if (want <= 0) continue;
            match = want == kAnyType ? Works(have) : have == want;
          }
          if (match) {
            Report({.rule = Rule::kForbiddenSequence, .member = m, .day = start, .index = p});
          }
        }
      }
    }
  }

  void Reservations() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      for (int d = first_; d <= last_; ++d) {
        const int fixed = m_.Fixed(m, d);
        if (fixed >= 1 && m_.Roster(m, d) != fixed) {
          Report({.rule = Rule::kReservation, .member = m, .day = d, .type = fixed,
                  .actual = m_.Roster(m, d)});
        }
      }
    }
  }

  void ConsecutiveWork() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      // Work_Run_Most of the member (-1 when empty) replaces the workplace's limit.
      const int own = m_.Extra.WorkRunMost(m);
      const int limit = own >= 0 ? own : m_.MaxConsecWork;
      if (limit <= 0) continue;
      int d = 1;
      while (d <= m_.DayCount) {
        if (!Works(m_.Roster(m, d))) {
          ++d;
          continue;
        }
        int end = d;
        while (end + 1 <= m_.DayCount && Works(m_.Roster(m, end + 1))) ++end;
        int run = end - d + 1;
        int run_start = d;
        if (d == 1) {
          while (run_start - 1 >= 1 - 10 && Works(DutyOn(m, run_start - 1))) {
            --run_start;
            ++run;
          }
        }
        if (run > limit && InRange(run_start, end)) {
          Report({.rule = Rule::kConsecutiveWork, .member = m, .day = d, .last_day = end,
                  .actual = run, .expected = limit});
        }
        d = end + 1;
      }
    }
  }

  void ForbiddenCombos() {
    for (int r = 1; r <= m_.ForbiddenCombos.Hi(); ++r) {
      const ComboRule& rule = m_.ForbiddenCombos(r);
      if (rule.TypeIndex <= 0 || rule.Count < 1) continue;
      const std::vector<int> rows = Rows(rule);
      for (int d = first_; d <= last_; ++d) {
        for (int t = 1; t <= m_.TypeCount; ++t) {
          if (rule.TypeIndex != t && rule.TypeIndex != kAnyType) continue;
          int together = 0;
          for (int row : rows) together += m_.Roster(row, d) == t ? 1 : 0;
          if (together >= rule.Count) {
            Report({.rule = Rule::kForbiddenCombination, .day = d, .type = t, .index = r,
                    .actual = together, .expected = rule.Count - 1});
          }
        }
      }
    }
  }

  // A required combination asks for `Count` listed members on its duty, as far as
  // the day's staffing of that duty allows.
  void RequiredCombos() {
    for (int r = 1; r <= m_.RequiredCombos.Hi(); ++r) {
      const ComboRule& rule = m_.RequiredCombos(r);
      const int b = rule.TypeIndex;
      if (b < 1 || b > m_.TypeCount) continue;
      const std::vector<int> rows = Rows(rule);
      for (int d = first_; d <= last_; ++d) {
        int on = 0;
        for (int row : rows) on += m_.Roster(row, d) == b ? 1 : 0;
        const int want = std::min(rule.Count, m_.NeedTable(b, d));
        if (on < want) {
          Report({.rule = Rule::kRequiredCombination, .day = d, .type = b, .index = r,
                  .actual = on, .expected = want});
        }
      }
    }
  }

  int Follower(int first) const {
    for (int p = 1; p <= m_.RequiredPatternCount; ++p) {
      const int next = m_.RequiredPatterns(p, 2);
      if (m_.RequiredPatterns(p, 1) == first && next >= 1 && next <= m_.TypeCount) return next;
    }
    return 0;
  }

  void RequiredSequences() {
    for (int m = 1; m <= m_.MemberCount; ++m) {
      for (int d = std::max(1, first_); d <= last_; ++d) {
        if (d == 1 && !m_.UsePrevMonth) continue;
        const int before = d == 1 ? m_.Roster(m, 0) : m_.Roster(m, d - 1);
        if (!Works(before)) continue;
        const int due = Follower(before);
        if (due != 0 && m_.Roster(m, d) != due) {
          Report({.rule = Rule::kRequiredSequence, .member = m, .day = d, .type = due,
                  .previous = before, .actual = m_.Roster(m, d)});
        }
      }
    }
  }

  void WorkDayTargets() {
    if (!opt_.work_days_at_most_target && !opt_.work_days_exact) return;
    for (int m = 1; m <= m_.MemberCount; ++m) {
      int work = 0;
      for (int d = 1; d <= m_.DayCount; ++d) work += Works(m_.Roster(m, d)) ? 1 : 0;
      const int target = m_.WorkDayTarget(m);
      // DayOff_Most widens the exact target into a range of days off.
      const int most_off = m_.Extra.DayOffMost(m);
      const bool counted = target != m_.DayCount || most_off != kNoLimit;
      const int fewest = most_off == kNoLimit ? target : std::min(target, m_.DayCount - most_off);
      const bool over = work > target;
      const bool off = opt_.work_days_exact && counted && (over || work < fewest);
      if ((opt_.work_days_at_most_target && over) || off) {
        Report({.rule = Rule::kWorkDayTarget, .member = m, .actual = work,
                .expected = work < fewest ? fewest : target});
      }
    }
  }

  // Counts per duty and weekends over the whole month; runs of work and of rest
  // read as a string of W and R, the previous month's tail in front when in use.
  void ExtraLimits() {
    const ExtraConditions& x = m_.Extra;
    for (int m = 1; m <= m_.MemberCount; ++m) {
      for (int t = 1; t <= m_.TypeCount; ++t) {
        int count = 0;
        for (int d = 1; d <= m_.DayCount; ++d) count += m_.Roster(m, d) == t;
        const int least = x.DutyLeast(m, t);
        if (count < least || (x.DutyMost(m, t) >= 0 && count > x.DutyMost(m, t)))
          Report({.rule = Rule::kDutyCount, .member = m, .type = t, .actual = count,
                  .expected = count < least ? least : x.DutyMost(m, t)});
      }
      std::string days;
      const int back = m_.UsePrevMonth ? 10 : 0;
      for (int d = 1 - back; d <= m_.DayCount; ++d) {
        const int code = DutyOn(m, d);
        days += code >= 1 && code <= m_.TypeCount ? 'W' : code == 0 ? 'R' : '?';
      }
      for (std::size_t i = 0; i < days.size();) {
        std::size_t j = i;
        while (j < days.size() && days[j] == days[i]) ++j;
        const int least = days[i] == 'W'   ? x.WorkRunLeast(m)
                          : days[i] == 'R' ? x.RestRunLeast(m)
                                           : 0;
        const int day = static_cast<int>(i) + 1 - back;
        const bool known_start = i > 0 || m_.UsePrevMonth;
        if (j < days.size() && known_start && static_cast<int>(j - i) < least &&
            InRange(std::max(day, 1), static_cast<int>(j) - back))
          Report({.rule = days[i] == 'W' ? Rule::kWorkRun : Rule::kRestRun, .member = m,
                  .day = std::max(day, 1), .actual = static_cast<int>(j - i), .expected = least});
        i = j;
      }
      if (x.WeekendsMost(m) < 0) continue;
      // The first day of every weekend worked; the one past the limit is reported.
      std::vector<int> worked;
      for (int d = 1; d <= m_.DayCount; ++d) {
        const int code = m_.Roster(m, d);
        const int weekend = x.WeekendOf(d);
        if (weekend == 0 || code < 1 || code > m_.TypeCount) continue;
        int first = d;
        while (first > 1 && x.WeekendOf(first - 1) == weekend) --first;
        if (worked.empty() || worked.back() != first) worked.push_back(first);
      }
      if (static_cast<int>(worked.size()) > x.WeekendsMost(m))
        Report({.rule = Rule::kWeekends, .member = m,
                .day = worked[static_cast<std::size_t>(x.WeekendsMost(m))],
                .actual = static_cast<int>(worked.size()), .expected = x.WeekendsMost(m)});
    }
  }

  const ConditionModel& m_;
  CheckOptions opt_;
  int first_;
  int last_;
  std::vector<Breach> problems_;
};

}  // namespace

std::vector<Breach> CheckRoster(const ConditionModel& model, const CheckOptions& options) {
  return Checker(model, options).Run();
}

std::string Describe(const Breach& b) {
  const auto n = [](int value) { return std::to_string(value); };
  const std::string where = "member " + n(b.member) + " day " + n(b.day) + ": ";
  switch (b.rule) {
    case Rule::kNoDutyType:
      return where + "code " + n(b.actual) + " is no duty type";
    case Rule::kStaffing:
      return "day " + n(b.day) + " type " + n(b.type) + ": " + n(b.actual) + " staff, " +
             n(b.expected) + " needed";
    case Rule::kDayBan:
      return where + "type " + n(b.type) + " barred that day";
    case Rule::kNextDayBan:
      return where + "type " + n(b.type) + " barred after type " + n(b.previous);
    case Rule::kForbiddenSequence:
      return where + "forbidden sequence " + n(b.index) + " starts here";
    case Rule::kReservation:
      return where + "fixed type " + n(b.type) + " but roster has " + n(b.actual);
    case Rule::kConsecutiveWork:
      return where + n(b.actual) + " work days in a row up to day " + n(b.last_day);
    case Rule::kForbiddenCombination:
      return "day " + n(b.day) + ": forbidden combination " + n(b.index) + " has " + n(b.actual) +
             " members on type " + n(b.type);
    case Rule::kRequiredCombination:
      return "day " + n(b.day) + ": required combination " + n(b.index) + " has " + n(b.actual) +
             " of " + n(b.expected) + " members";
    case Rule::kRequiredSequence:
      return where + "type " + n(b.type) + " must follow type " + n(b.previous) +
             ", roster has " + n(b.actual);
    case Rule::kWorkDayTarget:
      return "member " + n(b.member) + ": " + n(b.actual) + " work days, target " + n(b.expected);
    case Rule::kDutyCount:
      return "member " + n(b.member) + ": type " + n(b.type) + " taken " + n(b.actual) + " times";
    case Rule::kWorkRun:
      return where + "work run of " + n(b.actual);
    case Rule::kRestRun:
      return where + "rest run of " + n(b.actual);
    case Rule::kWeekends:
      return where + n(b.actual) + " weekends worked";
  }
  return where + "unknown rule";
}

void PrintTo(const Breach& breach, std::ostream* out) { *out << Describe(breach); }

std::string JoinProblems(const std::vector<Breach>& breaches) {
  std::ostringstream out;
  for (const Breach& breach : breaches) out << Describe(breach) << '\n';
  return out.str();
}

}  // namespace tsumiki::testing
