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
#include "roster/extra_rules.h"
#include "roster/roster_score.h"
#include "roster/roster_sheet.h"

namespace tsumiki {

namespace {

// A breach weighs more than a missing day: placing a day alone on a rest run must
// not pay for itself by cutting a run short.
constexpr int kBreachWeight = 3;

class Search {
 public:
  Search(RepairContext ctx, const RepairLimits& limits, const RepairParameters& params)
      : ctx_(ctx),
        model_(ctx.model),
        cells_(ctx.model, ctx.reserved, /*extra_limits=*/!limits.mend_extra_limits),
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
          cadence_.Tick(outcome.steps, Cost(), limits_.deadline_ms, [this](double cost) {
            return RepairStatusText(static_cast<int>(cost), limits_.mend_extra_limits);
          });
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
  int MissingDays(int m) const {
    return Counted(m) ? std::max(0, model_.WorkDayTarget(m) - model_.WorkDays(m)) : 0;
  }
  // The breaches of the optional limits, where the search mends them.
  int Breaches(int m) const { return limits_.mend_extra_limits ? ExtraLimitBreaches(model_, m) : 0; }
  int CostOf(int missing_days, int breaches) const {
    return missing_days + kBreachWeight * breaches;
  }
  // The member's share of the cost.
  int Missing(int m) const { return CostOf(MissingDays(m), Breaches(m)); }

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
      if (limits_.mend_extra_limits && kind < 0.2) {
        TryAddRun(s, step);
      } else {
        TryAdd(s, step);
      }
    } else if (kind < 0.6) {
      TryBlockSwap(s, step);
    } else {
      TryTwoDay(s, step);
    }
  }

  void TryAdd(int s, std::int64_t step) {
    const int d = draw_.Day();
    if (model_.Roster(s, d) != 0 || !cells_.Free(s, d)) return;
    const int breaches = Breaches(s);
    const int before = CostOf(MissingDays(s), breaches);
    for (int t = 1; t <= cells_.rules().AddableTypes(); ++t) {
      move_.Clear();
      move_.Set(s, d, t, model_.Fixed(s, d));
      move_.Apply(model_);
      if (!WithinTarget(s) || !cells_.Holds(s, s, d)) {
        move_.Undo(model_);
        continue;
      }
      if (KeepAdded(s, breaches, before, step)) return;
    }
  }

  // Keeps the days just added to s where they break no more limits than the
  // `breaches` s had (a day added where the search mends the limits never breaks
  // one) and the acceptor takes the cost, from `before`; else takes them back.
  bool KeepAdded(int s, int breaches, int before, std::int64_t step) {
    const int after = Breaches(s);
    if (after <= breaches &&
        acceptor_.Accept(Cost() - before + CostOf(MissingDays(s), after), step)) {
      Track(s);
      return true;
    }
    move_.Undo(model_);
    return false;
  }

  // Places a run of work days, as long as s's shortest work run or one longer, on
  // rest days of s: a single day would break that run and the days off around it.
  void TryAddRun(int s, std::int64_t step) {
    const int d = draw_.Day();
    if (model_.Roster(s, d) != 0) return;
    int first = d;
    while (first > draw_.First() && model_.Roster(s, first - 1) == 0) --first;
    int last = d;
    while (last < model_.DayCount && model_.Roster(s, last + 1) == 0) ++last;
    const int wanted = std::max(1, model_.Extra.WorkRunLeast(s)) + draw_.Draw(0, 1);
    const int room = model_.WorkDayTarget(s) - model_.WorkDays(s);
    const int length = std::min({wanted, room, last - first + 1});
    if (length < 1) return;
    const int from = draw_.Draw(first, last - length + 1);
    const int breaches = Breaches(s);
    const int before = CostOf(MissingDays(s), breaches);
    const int types = cells_.rules().AddableTypes();
    for (int day = from; day < from + length; ++day) {
      bool placed = false;
      const int offset = draw_.Draw(0, types - 1);
      for (int i = 0; i < types && !placed && cells_.Free(s, day); ++i) {
        const int keep = move_.Size();
        move_.Set(s, day, 1 + (offset + i) % types, model_.Fixed(s, day));
        move_.ApplyFrom(model_, keep);
        placed = cells_.Holds(s, s, day);
        if (!placed) move_.UndoTo(model_, keep);
      }
      if (!placed) {
        move_.Undo(model_);
        return;
      }
    }
    KeepAdded(s, breaches, before, step);
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
    const CellChange& second = move_.Last();
    const int b = second.b;
    const int before = Missing(a) + Missing(b);
    move_.Apply(model_);
    if (cells_.Holds(a, b, d1) && cells_.Holds(a, b, second.d) &&
        acceptor_.Accept(Cost() - before + Missing(a) + Missing(b), step)) {
      Track(a);
      Track(b);
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

std::string RepairStatusText(int missing_days, bool mending) {
  if (mending) {
    return std::string(kMendStatusPrefix) + std::to_string(missing_days) +
           std::string(kMendStatusSuffix);
  }
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

bool MendExtraLimits(const SearchContext& ctx, const IndexGrid<int>& reserved,
                     std::int64_t deadline_ms) {
  ConditionModel& model = ctx.model;
  if (ExtraLimitsKept(model) && WorkDayShortfall(model) == 0) return true;
  RepairLimits limits{deadline_ms};
  limits.mend_extra_limits = true;
  RepairSearch(RepairContext{model, ctx.host, ctx.run, ctx.random, reserved, ctx.status_position},
               limits);
  WriteRosterDays(ctx.book, model);
  return ExtraLimitsKept(model) && WorkDayShortfall(model) == 0;
}

}  // namespace tsumiki
