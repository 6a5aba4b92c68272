#pragma once

#include <vector>

#include "conditions/condition_model.h"
#include "exact/linear_model.h"

namespace tsumiki::exact {

// The 0/1 columns x(m, d, t) "member m holds duty t on day d" for the days to
// build (StartDay..DayCount). Days before StartDay and the previous month's tail
// are given and enter the rules as constants; so do duties a member may not take
// that day (DutyBanMask): they get no column at all. A reservation (Fixed) fixes
// its column to 1 and takes the member's other duties of the day away.
class CellVariables {
 public:
  // Adds the columns to `lp`. `model` must outlive this object.
  CellVariables(const ConditionModel& model, LinearModel& lp);

  // Whether `day` is one the model builds.
  bool Open(int day) const { return day >= first_ && day <= model_->DayCount; }
  // The column of (m, d, t), -1 when the duty cannot be given (or d is not open).
  int Column(int m, int d, int t) const;
  // "m holds duty t on `day`" as a term; any day, given days and days outside the
  // month as constants (a day after the month holds no duty).
  LinearExpr Duty(int m, int day, int t) const;
  // Every column of member m, over the open days.
  std::vector<int> ColumnsOf(int m) const;
  // Member m's columns on the open days outside first..last.
  std::vector<int> ColumnsOutside(int m, int first, int last) const;
  int FirstDay() const { return first_; }
  int LastDay() const { return model_->DayCount; }
  int MemberCount() const { return model_->MemberCount; }
  // "m works on `day`" (any duty) as a term.
  LinearExpr Works(int m, int day) const;
  // The duty of a given day, as the independent rules read it: the roster before
  // StartDay, the previous month's last ten days when they are in use, else none.
  int GivenDuty(int m, int day) const;

  // The month of a solution: days StartDay..DayCount of each member, read from the
  // column values into `roster` (member, day) — 0 for a rest day.
  void ReadMonth(const std::vector<double>& values, IndexGrid<int>& roster) const;

 private:
  std::size_t Slot(int m, int d, int t) const;

  const ConditionModel* model_;
  int first_;
  std::vector<int> columns_;
};

}  // namespace tsumiki::exact
