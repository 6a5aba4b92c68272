#include "roster/run_lengths.h"

#include "roster/patterns.h"

namespace tsumiki {
namespace {

// Counts the days before d whose "is a work day" equals `work`, in the roster
// and then, when the whole month so far belongs to the run, in the tail.
int RunBefore(const ConditionModel& model, int m, int d, bool work) {
  int run = 1;
  int day = d - 1;
  for (; day >= 1; --day) {
    if ((model.Roster(m, day) >= 1) != work) return run;
    ++run;
  }
  if (!model.UsePrevMonth) return run;
  for (int j = 1; j <= kPrevMonthDays; ++j) {
    if ((model.PrevMonthTail(m, j) >= 1) != work) break;
    ++run;
  }
  return run;
}

}  // namespace

int WorkRunBefore(const ConditionModel& model, int m, int d) {
  return RunBefore(model, m, d, /*work=*/true);
}

int OffRunBefore(const ConditionModel& model, int m, int d) {
  return RunBefore(model, m, d, /*work=*/false);
}

int WorkRunAround(const ConditionModel& model, int m, int d) {
  return WorkRunBefore(model, m, d) + WorkRunFrom(model, m, d + 1);
}

int JudgedWorkRun(const ConditionModel& model, int m, int d) {
  return LongestWorkRun(model, m) > 0 ? WorkRunAround(model, m, d) : 0;
}

int WorkRunFrom(const ConditionModel& model, int m, int day) {
  // A reserved night, say, is in the roster long before its morning-after: a run
  // that reaches it must count the morning-after as well.
  int run = 0;
  int previous = 0;  // the duty counted last; 0 before the first day
  for (; day >= 1 && day <= model.DayCount; ++day) {
    int duty = model.Roster(m, day);
    if (duty < 1 && previous >= 1) duty = RequiredFollower(model, previous);
    if (duty < 1) break;
    ++run;
    previous = duty;
  }
  return run;
}

}  // namespace tsumiki
