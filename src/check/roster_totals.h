#pragma once

#include <vector>

#include "conditions/condition_model.h"

namespace tsumiki {

// One member's month as counted from the roster.
struct MemberTotals {
  std::vector<int> duties;  // days of duty type t at t-1
  int work_days = 0;
  int target = 0;       // WorkDayTarget
  int days_off = 0;     // days without a duty
  int single_work = 0;  // 単勤: a work run of one day
  int single_rest = 0;  // 単休: a rest run of one day
  int wishes_granted = 0;  // wishes (希望) the roster meets
  int wishes_missed = 0;
};

// One day's staffing: staff on duty type t against its need, at t-1.
struct DayTotals {
  std::vector<int> staff;
  std::vector<int> need;
  std::vector<int> desired;  // 希望人数, 0 = none
};

struct RosterTotals {
  std::vector<MemberTotals> members;  // member m at m-1
  std::vector<DayTotals> days;        // day d at d-1
  // Whether the workbook sets any wish, and any desired staffing; for duty type t
  // at t-1, the days with a desired staffing and those that reach it.
  bool has_wishes = false;
  bool has_desired = false;
  std::vector<int> desired_days;
  std::vector<int> desired_reached;
};

// Counts model.Roster (days 1..DayCount) afresh; nothing is stored back. 単勤 and
// 単休 are counted as the roster score counts them: runs of exactly one day that
// end inside the month (the run still open on the last day does not count), with
// the previous month's last day in front when it is in use, so that a single day
// at the month's start is judged against it; there, as in the score, any filled
// cell is work. Elsewhere codes that are no duty type count as neither work nor a
// day off.
RosterTotals CountRosterTotals(const ConditionModel& model);

}  // namespace tsumiki
