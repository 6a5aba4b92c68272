#include "check/month_judgement.h"

#include <utility>

#include "ui/random.h"
#include "ui/silent_host.h"

namespace tsumiki {

MonthJudgement JudgeMonth(EngineContext& ctx) {
  MonthJudgement judgement;
  LoadResult loaded = ReadRosterAsItStands(ctx);
  if (loaded.start_day < 0) {
    judgement.refusal = std::move(loaded.refusal);
    if (!judgement.refusal) judgement.refusal.emplace();
    return judgement;
  }
  judgement.labels = ReadMonthLabels(ctx.book, ctx.model);
  judgement.totals = CountRosterTotals(ctx.model);
  judgement.findings = CheckRosterRules(ctx.model);
  return judgement;
}

MonthJudgement JudgeMonth(workbook::Workbook& book, const ConditionModel& start,
                          ConditionModel& model) {
  model.CreateYear = start.CreateYear;
  model.CreateMonth = start.CreateMonth;
  model.CreateStartDay = start.CreateStartDay;
  model.BaseStartDay = start.BaseStartDay;
  // Nobody watches the judgement: its status texts go nowhere.
  SilentHost host;
  RunState run;
  SessionValues values;
  RandomSource random;
  EngineContext context{book, host, model, run, values, random};
  return JudgeMonth(context);
}

}  // namespace tsumiki
