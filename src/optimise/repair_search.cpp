#include "optimise/repair_search.h"

#include <algorithm>
#include <vector>

#include "optimise/cell_exchange.h"
#include "optimise/local_search/cell_move.h"
#include "optimise/local_search/event_cadence.h"
#include "optimise/local_search/exchange_moves.h"
#include "optimise/local_search/indexed_set.h"
#include "optimise/local_search/late_acceptance.h"
#include "optimise/local_search/search_parameters.h"
#include "roster/roster_score.h"
#include "roster/roster_sheet.h"

namespace tsumiki {

namespace {

class Search {
 public:
  Search(RepairContext ctx, const RepairLimits& limits, const RepairParameters& params)
      : ctx_(ctx),
        model_(ctx.model),
        cells_(ctx.model, ctx.reserved),
        params_(params),
        limits_(limits),
        draw_(ctx.model, cells_, ctx.random, std::max(1, ctx.model.StartDay)),
        cadence_(ctx.host, ctx.run, ctx.status_position, params.event_interval, 0),
        acceptor_(params.history_length, InitialCost()) {
    short_ = IndexedSet(model_.MemberCount + 1);
    for (int m = 1; m <= model_.MemberCount; ++m) Track(m);
  }

  RepairOutcome Run() {
    RepairOutcome outcome;
    for (; outcome.steps < limits_.max_steps && Cost() > 0; ++outcome.steps) {
      const CadenceStop stop =
          cadence_.Tick(outcome.steps, Cost(), limits_.deadline_ms,
                        [](double cost) { return RepairStatusText(static_cast<int>(cost)); });
      if (stop != CadenceStop::kNone) {
        outcome.stopped = true;
        break;
      }
      Step(outcome.steps);
    }
    cadence_.Clear();
    outcome.missing = Cost();
    return outcome;
  }

 private:
  int Cost() const { return acceptor_.Current(); }
  int InitialCost() const {
    int cost = 0;
    for (int m = 1; m <= model_.MemberCount; ++m) cost += Missing(m);
    return cost;
  }
  bool Counted(int m) const { return model_.WorkDayTarget(m) != model_.DayCount; }
  int Missing(int m) const {
    return Counted(m) ? std::max(0, model_.WorkDayTarget(m) - model_.WorkDays(m)) : 0;
  }

  // Keeps the set of short members in step with member m.
  void Track(int m) { short_.Mark(m, Missing(m) > 0); }

  int Pivot() {
    if (!short_.Empty() && draw_.Share() < params_.short_pivot_share) {
      return short_.At(draw_.Draw(0, short_.Size() - 1));
    }
    return draw_.Member();
  }

  bool WithinTarget(int m) const { return model_.WorkDays(m) <= model_.WorkDayTarget(m); }

  void Step(std::int64_t step) {
    const int s = Pivot();
    const double kind = draw_.Share();
    move_.Clear();
    if (Missing(s) > 0 && kind < 0.3) {
      TryAdd(s, step);
    } else if (kind < 0.6) {
      TryBlockSwap(s, step);
    } else {
      TryTwoDay(s, step);
    }
  }

  void TryAdd(int s, std::int64_t step) {
    const int d = draw_.Day();
    if (model_.Roster(s, d) != 0 || !cells_.Free(s, d)) return;
    const int before = Missing(s);
    for (int t = 1; t <= cells_.rules().AddableTypes(); ++t) {
      move_.Clear();
      move_.Set(s, d, t, model_.Fixed(s, d));
      move_.Apply(model_);
      if (WithinTarget(s) && cells_.Holds(s, s, d) &&
          acceptor_.Accept(Cost() - before + Missing(s), step)) {
        Track(s);
        return;
      }
      move_.Undo(model_);
    }
  }

  // Exchanges the cells of a and b on 1..max_block consecutive days: a single day
  // moves a work day between them, a longer block moves a whole night sequence
  // (night, after-night) or a work run, so the day's staffing never changes.
  void TryBlockSwap(int a, std::int64_t step) {
    const int length = 1 + draw_.Draw(0, params_.max_block - 1);
    if (model_.DayCount - draw_.First() + 1 < length) return;
    const int from = draw_.Draw(draw_.First(), model_.DayCount - length + 1);
    const int to = from + length - 1;
    const int b = draw_.Member();
    if (a == b || !cells_.BlockMovable(a, b, from, to)) return;
    for (int d = from; d <= to; ++d) move_.Exchange(a, b, d);
    const int before = Missing(a) + Missing(b);
    move_.Apply(model_);
    bool holds = WithinTarget(a) && WithinTarget(b);
    for (int d = from; d <= to && holds; ++d) holds = cells_.Holds(a, b, d);
    if (holds && acceptor_.Accept(Cost() - before + Missing(a) + Missing(b), step)) {
      Track(a);
      Track(b);
      return;
    }
    move_.Undo(model_);
  }

  // a works d1 and rests d2, b the reverse (or the other way round): both days are
  // exchanged, so every day keeps its staffing and both members their counts.
  void TryTwoDay(int a, std::int64_t step) {
    const int d1 = draw_.Day();
    if (!draw_.TwoDay(a, d1, params_.near_days, /*tries=*/8, move_)) return;
    move_.Apply(model_);
    const CellChange& second = move_.Last();
    if (cells_.Holds(a, second.b, d1) && cells_.Holds(a, second.b, second.d) &&
        acceptor_.Accept(Cost(), step)) {
      return;
    }
    move_.Undo(model_);
  }

  RepairContext ctx_;
  ConditionModel& model_;
  CellExchange cells_;
  RepairParameters params_;
  RepairLimits limits_;
  ExchangeMoves draw_;
  EventCadence cadence_;
  LateAcceptance<int> acceptor_;
  CellMove move_;
  IndexedSet short_;
};

}  // namespace

std::string RepairStatusText(int missing_days) {
  return std::string(kRepairStatusPrefix) + std::to_string(missing_days) +
         std::string(kRepairStatusSuffix);
}

RepairOutcome RepairSearch(RepairContext ctx, const RepairLimits& limits) {
  if (ctx.model.StartDay > ctx.model.DayCount || ctx.model.MemberCount < 1) {
    return RepairOutcome{WorkDayShortfall(ctx.model), 0, false};
  }
  return Search(ctx, limits, RepairParameters{}).Run();
}

bool RepairWorkDays(const SearchContext& ctx, const IndexGrid<int>& reserved,
                    std::int64_t deadline_ms) {
  ConditionModel& model = ctx.model;
  if (WorkDayShortfall(model) <= 0) return WorkDayShortfall(model) == 0;
  const RepairOutcome outcome = RepairSearch(
      RepairContext{model, ctx.host, ctx.run, ctx.random, reserved, ctx.status_position},
      RepairLimits{deadline_ms});
  WriteRosterDays(ctx.book, model);
  return outcome.missing == 0 && WorkDayShortfall(model) == 0;
}

}  // namespace tsumiki
