#include "creation/run_lengths.h"

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
  return RunBefore(model, m, d, true);
}

int OffRunBefore(const ConditionModel& model, int m, int d) {
  return RunBefore(model, m, d, false);
}

int WorkRunAround(const ConditionModel& model, int m, int d) {
  int after = 0;
  for (int day = d + 1; day <= model.DayCount && model.Roster(m, day) >= 1; ++day) ++after;
  return WorkRunBefore(model, m, d) + after;
}

}  // namespace tsumiki
