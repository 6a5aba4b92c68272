#pragma once

#include <optional>
#include <vector>

#include "check/roster_reading.h"
#include "check/roster_totals.h"
#include "check/rule_check.h"
#include "conditions/condition_model.h"
#include "conditions/engine_context.h"
#include "ui/notice.h"
#include "workbook/workbook.h"

namespace tsumiki {

// A finished month as the sheet holds it, judged: its labels, totals and the
// rules it breaks. Nothing but the refusal when the conditions cannot be read.
struct MonthJudgement {
  std::optional<Notice> refusal{};
  MonthLabels labels;
  RosterTotals totals;
  std::vector<Finding> findings;
  bool Readable() const { return !refusal; }
};

// Reads the conditions and the roster as it stands into ctx.model
// (ReadRosterAsItStands) and judges it; status texts go to ctx.host.
MonthJudgement JudgeMonth(EngineContext& ctx);

// The same on a workbook nobody watches (a private copy): the month and start
// days are taken from `start`, the month is read into `model`, and no status
// text is shown.
MonthJudgement JudgeMonth(workbook::Workbook& book, const ConditionModel& start,
                          ConditionModel& model);

}  // namespace tsumiki
