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

}  // namespace tsumiki::testing
