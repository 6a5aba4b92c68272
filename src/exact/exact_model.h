#pragma once

#include <memory>
#include <vector>

#include "conditions/condition_model.h"
#include "exact/cell_variables.h"
#include "exact/linear_model.h"
#include "exact/relaxation.h"

namespace tsumiki::exact {

// What the model asks for.
enum class ModelKind {
  // A month that keeps every hard rule and meets every target. Where the planner
  // weighs wishes or desired staffing, the weighted misses are minimised and the
  // solve runs to the best month within its budget; otherwise there is no
  // objective and the first solution ends the solve.
  kMonth,
  // The same rules with slack where a planner can give: people short per day and
  // duty, work days off each member's target, required combinations short. The
  // total slack is minimised.
  kRelaxation,
};

// Slack columns of the relaxation, with what each stands for.
struct StaffSlack {
  int day = 0;
  int type = 0;
  int column = -1;  // people short that day on that duty
};
struct TargetSlack {
  int member = 0;
  int fewer_column = -1;  // work days below the target
  int more_column = -1;   // work days above it
};
struct ComboSlack {
  int rule = 0;  // index into RequiredCombos
  int day = 0;
  int column = -1;  // listed members short of the count
};

// The optional limits' slack: a least count short (kDutyLeastShort), a most count
// or the weekends over (kDutyMostOver, kWeekendsOver), or a shortest run cut by
// one day (kRestRunShorter, kWorkRunShorter: one column per day, taken in order).
struct ExtraSlack {
  Shortfall::Kind kind = Shortfall::Kind::kDutyLeastShort;
  int member = 0;
  int type = 0;
  int column = -1;
};

// The integer program of one month over a fixed condition model.
struct ExactModel {
  LinearModel lp;
  std::unique_ptr<CellVariables> cells;
  ModelKind kind = ModelKind::kMonth;
  // The month model weighs wishes and desired staffing: a solve cut short by its
  // budget still gives a month, the best found by then.
  bool has_objective = false;
  std::vector<StaffSlack> staff_slack;
  std::vector<TargetSlack> target_slack;
  std::vector<ComboSlack> combo_slack;
  std::vector<ExtraSlack> extra_slack;
  // The work-day rows a range of days off widened below the target (their upper
  // bound).
  std::vector<int> widened_targets;
};

// Builds the model of days StartDay..DayCount of `model` (which must outlive the
// result): staffing with extra staff allowed on every type but the last, day bans,
// reservations, next-day bans, forbidden sequences ("*" and the previous month's
// tail), required sequences, forbidden and required combinations, the
// consecutive-work limit, the exact work-day targets and the optional counts,
// weekends and shortest runs — the rules a finished month is judged by.
ExactModel BuildExactModel(const ConditionModel& model, ModelKind kind);

// The rule families, one file each; each adds its rows (and, for the relaxation,
// its slack columns) to `out`.
void AddStaffingRows(const ConditionModel& model, ExactModel& out);
void AddNextDayRows(const ConditionModel& model, ExactModel& out);
void AddForbiddenSequenceRows(const ConditionModel& model, ExactModel& out);
void AddRequiredSequenceRows(const ConditionModel& model, ExactModel& out);
void AddComboRows(const ConditionModel& model, ExactModel& out);
void AddWorkRunRows(const ConditionModel& model, ExactModel& out);
void AddTargetRows(const ConditionModel& model, ExactModel& out);
// Counts per duty, weekends and shortest runs of the optional conditions.
void AddExtraRows(const ConditionModel& model, ExactModel& out);
// The weighted wishes and desired staffing as the month's objective (months only).
void AddSoftObjective(const ConditionModel& model, ExactModel& out);

// The weight of one unit of slack in the relaxation's objective. Every slack
// counts people-days: a duty left open, a work day added to or taken from a
// target, a listed member missing from a combination. One weight for all makes
// the least relaxation the fewest people-days the planner has to find or give,
// which is how a planner weighs them: no kind is cheaper to settle by hand.
inline constexpr double kSlackWeight = 1.0;

}  // namespace tsumiki::exact
