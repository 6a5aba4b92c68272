#pragma once

#include <string>
#include <vector>

#include "conditions/condition_model.h"

namespace tsumiki::testing {

// Builds a ConditionModel in code for rule and day-filling tests, without a
// workbook. Members get the numbers NumberOf(m) = 100 + m, so that a mix-up of
// member numbers and rows shows. Duty types are abbreviated "T1", "T2", ...
// Every member starts with a work-day target of DayCount.
class ModelBuilder {
 public:
  ModelBuilder(int days, int types, int members);

  static int NumberOf(int m) { return 100 + m; }

  ModelBuilder& Need(int t, int d, int staff);
  ModelBuilder& NeedEveryDay(int t, int staff);
  // Bars the types of `mask` (bit t-1 = type t; kAnyType = whole day off).
  ModelBuilder& Ban(int m, int d, int mask);
  ModelBuilder& NextDayBan(int t, int mask);
  // Columns 1..5 of a forbidden sequence; 0 = empty cell, kAnyType = "*".
  ModelBuilder& ForbiddenPattern(const std::vector<int>& columns);
  ModelBuilder& RequiredPattern(int first, int follower);
  // Members are given as rows; the record stores their numbers.
  ModelBuilder& ForbiddenCombo(int type, int count, const std::vector<int>& rows);
  ModelBuilder& RequiredCombo(int type, int count, const std::vector<int>& rows);
  // A reservation as the load places it: Roster, Fixed and the tallies.
  ModelBuilder& Reserve(int m, int d, int t);
  // A duty already in the roster (a day built before), counted in the tallies.
  ModelBuilder& Assign(int m, int d, int t);
  ModelBuilder& Target(int m, int target);
  ModelBuilder& MaxConsecWork(int days);
  ModelBuilder& WorkFocus(bool on);
  // The previous month's last days of member m, last day first.
  ModelBuilder& PrevMonth(int m, const std::vector<int>& last_days_first);
  ModelBuilder& UsePrevMonth(bool on);

  ConditionModel& model() { return model_; }
  ConditionModel Build() const { return model_; }

 private:
  ConditionModel model_;
};

// The shape of a made-up workplace for day-filling tests and benchmarks.
struct WorkplaceShape {
  int members = 20;
  int types = 6;  // with 4 or more, the last two are a night duty and its follow-up
  int days = 30;
  bool work_focus = false;
  bool prev_month = true;
  int days_off = 8;  // every member also gets 0..2 more
};

// A workplace with every kind of condition the day filling meets: staffing that
// differs between weekdays and weekends, a required night -> after-night
// sequence (the after-night staffing follows the night staffing of the day
// before), next-day bans, forbidden sequences, whole and partial days off,
// reservations, days-off targets, a consecutive-work limit, forbidden and
// required combinations and a previous-month tail. Consistent by construction:
// a day filled under the rules breaks none of them.
ConditionModel BuildWorkplace(const WorkplaceShape& shape);

}  // namespace tsumiki::testing
