#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "conditions/condition_model.h"

namespace tsumiki::testing {

// Which days and which optional rules CheckRoster looks at.
struct CheckOptions {
  int first_day = 1;
  int last_day = 0;  // 0 = DayCount
  // Work-day targets are a separate matter: the day filling alone does not
  // promise them (the work-day adjustment does).
  bool work_days_at_most_target = false;  // no member works more days than the target
  bool work_days_exact = false;           // members with days off set hit the target exactly
  // Staff above the need is allowed on the duty types that may be added to reach
  // work-day targets: every type but the last (the only type when there is one),
  // or, with extra_staff_on_every_type, the last one too.
  bool extra_staff_for_targets = false;
  bool extra_staff_on_every_type = false;
  // A reservation on a day the member's schedule bars is the planner's to
  // settle: such a cell is no day ban.
  bool reservations_override_bans = false;
};

// The kinds of rule the checker knows.
enum class Rule {
  kNoDutyType,         // a roster code that is no duty type
  kStaffing,           // staff per type and day
  kDayBan,             // a type barred that day
  kNextDayBan,         // a type barred after the previous day's type
  kForbiddenSequence,  // a forbidden sequence starts on the day
  kReservation,        // a reserved cell holds another code
  kConsecutiveWork,    // too many work days in a row
  kForbiddenCombination,
  kRequiredCombination,
  kRequiredSequence,  // the type due after the previous day's type is missing
  kWorkDayTarget,
  kDutyCount,  // a type taken too few or too many times in the month
  kWorkRun,    // a run of work shorter than the member's least
  kRestRun,    // a run of rest shorter than the member's least
  kWeekends,   // more weekends worked than allowed
};

// One broken rule. A field the rule has no use for stays 0.
struct Breach {
  Rule rule = Rule::kNoDutyType;
  int member = 0;  // row; 0 for a rule of the day
  // The day the breach is placed on; 0 for a rule of the whole month. A forbidden
  // sequence begun in the previous month starts on a day <= 0.
  int day = 0;
  int last_day = 0;  // where a run of work ends
  int type = 0;      // the duty concerned (for a reservation and a due follower: the one wanted)
  int previous = 0;  // the previous day's duty (next-day bans, required sequences)
  int index = 0;     // the rule's number in its table (sequences, combinations)
  // What the roster has (a count, or a cell's code) and what the rule asks (the
  // need, the target, the limit; for a forbidden combination the most allowed).
  int actual = 0;
  int expected = 0;

  bool operator==(const Breach&) const = default;
};

// Lists every rule that the roster (model.Roster) breaks on the days
// first_day..last_day: staffing per type and day, bans of the day and of the
// previous day's duty, forbidden sequences (with the previous month's tail and
// "*"), reservations (Fixed), the consecutive-work limit, forbidden and required
// combinations, required sequences, counts per duty, shortest runs of work and of
// rest, weekends worked, and optionally the work-day targets. A rule that spans
// several days is reported when one of its days lies in the range. The order is
// fixed: by kind of rule, then by member or day as the rule is read.
//
// Written from the rules as a planner states them, independently of the engine's
// code, so that a fault in the engine cannot hide itself here.
std::vector<Breach> CheckRoster(const ConditionModel& model, const CheckOptions& options = {});

// A breach as one readable line, for failure messages.
std::string Describe(const Breach& breach);
void PrintTo(const Breach& breach, std::ostream* out);

// The lines joined for a test failure message.
std::string JoinProblems(const std::vector<Breach>& breaches);

}  // namespace tsumiki::testing
