#pragma once

#include "conditions/condition_model.h"
#include "conditions/run_state.h"
#include "optimise/optimise_progress.h"
#include "ui/host.h"
#include "ui/random.h"
#include "workbook/workbook.h"

namespace tsumiki {

// What the work-day adjustment works with: the model and the run, the host for
// events and the status text, and the workbook whose Time_Table shows each added
// duty and whose roster sheet gives the rest deviation.
struct AdjustContext {
  ConditionModel& model;
  workbook::Workbook& book;
  Host& host;
  RunState& run;
  int status_position = 0;
};

// What the searches the creation run calls on a month work with: the adjustment's
// context and the run's random generator, which orders the days of a pass, draws
// the members of a shake and seeds the repair and improvement searches.
struct SearchContext {
  ConditionModel& model;
  workbook::Workbook& book;
  Host& host;
  RunState& run;
  RandomSource& random;
  int status_position = 0;
  // Where the optimisation reports how far it is; null reports to nobody.
  OptimiseProgress* progress = nullptr;

  AdjustContext Adjust() const { return AdjustContext{model, book, host, run, status_position}; }
  OptimiseProgress& Progress() const { return progress ? *progress : NoOptimiseProgress(); }
};

}  // namespace tsumiki
