#pragma once

#include "conditions/condition_model.h"
#include "conditions/run_state.h"
#include "ui/host.h"
#include "ui/random.h"
#include "workbook/workbook.h"

namespace tsumiki {

// Everything a command of the core works on, owned by the session and passed by
// reference: the open workbook, the host (windows, clock, events), the condition
// model, the run state, the session values and the random generator.
struct EngineContext {
  workbook::Workbook& book;
  Host& host;
  ConditionModel& model;
  RunState& run;
  SessionValues& session;
  RandomSource& random;
};

}  // namespace tsumiki
