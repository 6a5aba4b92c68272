#include "optimise/repair_search.h"

#include <algorithm>
#include <vector>

#include "optimise/cell_exchange.h"
#include "roster/roster_change.h"
#include "roster/roster_score.h"
#include "roster/roster_sheet.h"
#include "ui/status.h"

namespace tsumiki {

namespace {

// Moves between looks at the clock and the event queue.
constexpr int kEventInterval = 256;
// Length of the late-acceptance history.
constexpr int kHistoryLength = 64;
// How often the pivot of a move is a member who is short of the target.
constexpr double kShortPivotShare = 0.85;
// How far apart the two days of a two-day exchange usually lie.
constexpr int kNearDays = 7;
// The longest block of days two members exchange in one move.
constexpr int kMaxBlock = 4;

class Search {
 public:
  Search(RepairContext ctx, const RepairLimits& limits)
      : ctx_(ctx), model_(ctx.model), cells_(ctx.model, ctx.reserved), limits_(limits) {
    first_ = std::max(1, model_.StartDay);
    slot_.assign(static_cast<std::size_t>(model_.MemberCount + 1), -1);
    for (int m = 1; m <= model_.MemberCount; ++m) {
      cost_ += Missing(m);
      Track(m);
    }
    history_.assign(kHistoryLength, cost_);
  }

  RepairOutcome Run() {
    RepairOutcome outcome;
    int shown = -1;
    for (; outcome.steps < limits_.max_steps && cost_ > 0; ++outcome.steps) {
      if (outcome.steps % kEventInterval == 0) {
        if (cost_ != shown) {
          shown = cost_;
          ShowStatus(ctx_.host, RepairStatusText(cost_), kDefaultColour, kDefaultColour,
                     /*topmost=*/false, ctx_.status_position);
        } else {
          ctx_.host.DoEvents();
        }
        const std::int64_t now = ctx_.host.MonotonicMs();
        if (StopRequested(ctx_.run, now) || now >= limits_.deadline_ms) {
          outcome.stopped = true;
          break;
        }
      }
      Step(outcome.steps);
    }
    ShowStatus(ctx_.host, "", kDefaultColour, kDefaultColour, /*topmost=*/false,
               ctx_.status_position);
    outcome.missing = cost_;
    return outcome;
  }

 private:
  int DayCount() const { return model_.DayCount; }
  bool Counted(int m) const { return model_.WorkDayTarget(m) != model_.DayCount; }
  int Missing(int m) const {
    return Counted(m) ? std::max(0, model_.WorkDayTarget(m) - model_.WorkDays(m)) : 0;
  }
  bool Free(int m, int d) const { return cells_.Free(m, d); }
  void Exchange(int a, int b, int d) { cells_.Exchange(a, b, d); }

  // Keeps the list of short members in step with member m.
  void Track(int m) {
    const bool is_short = Missing(m) > 0;
    int& slot = slot_[static_cast<std::size_t>(m)];
    if (is_short && slot < 0) {
      slot = static_cast<int>(short_.size());
      short_.push_back(m);
    } else if (!is_short && slot >= 0) {
      const int last = short_.back();
      short_[static_cast<std::size_t>(slot)] = last;
      slot_[static_cast<std::size_t>(last)] = slot;
      short_.pop_back();
      slot = -1;
    }
  }

  int Draw(int lo, int hi) {
    const int span = hi - lo + 1;
    const int k = static_cast<int>(ctx_.random.RandomValue() * span);
    return lo + std::clamp(k, 0, span - 1);
  }
  int Day() { return Draw(first_, DayCount()); }
  int Member() { return Draw(1, model_.MemberCount); }

  int Pivot() {
    if (!short_.empty() && ctx_.random.RandomValue() < kShortPivotShare) {
      return short_[static_cast<std::size_t>(Draw(0, static_cast<int>(short_.size()) - 1))];
    }
    return Member();
  }

  bool WithinTarget(int m) const { return model_.WorkDays(m) <= model_.WorkDayTarget(m); }

  bool CellsHold(int a, int b, int d) const { return cells_.Holds(a, b, d); }

  // Late acceptance with ties: the new cost is kept when it is no worse than the
  // current one or than the cost `kHistoryLength` accepted steps back.
  bool Accept(int next, std::int64_t step) {
    int& past = history_[static_cast<std::size_t>(step % kHistoryLength)];
    if (next <= cost_ || next <= past) {
      cost_ = next;
      past = cost_;
      return true;
    }
    past = cost_;
    return false;
  }

  void Step(std::int64_t step) {
    const int s = Pivot();
    const double kind = ctx_.random.RandomValue();
    if (Missing(s) > 0 && kind < 0.3) {
      TryAdd(s, step);
    } else if (kind < 0.6) {
      TryBlockSwap(s, step);
    } else {
      TryTwoDay(s, step);
    }
  }

  void TryAdd(int s, std::int64_t step) {
    const int d = Day();
    if (model_.Roster(s, d) != 0 || !Free(s, d)) return;
    const int before = Missing(s);
    for (int t = 1; t <= cells_.rules().AddableTypes(); ++t) {
      PlaceDuty(model_, s, d, t);
      if (WithinTarget(s) && CellsHold(s, s, d) && Accept(cost_ - before + Missing(s), step)) {
        Track(s);
        return;
      }
      RemoveDuty(model_, s, d);
    }
  }

  // Exchanges the cells of a and b on 1..kMaxBlock consecutive days: a single day
  // moves a work day between them, a longer block moves a whole night sequence
  // (night, after-night) or a work run, so the day's staffing never changes.
  void TryBlockSwap(int a, std::int64_t step) {
    const int length = 1 + Draw(0, kMaxBlock - 1);
    if (DayCount() - first_ + 1 < length) return;
    const int from = Draw(first_, DayCount() - length + 1);
    const int to = from + length - 1;
    const int b = Member();
    if (a == b || !cells_.BlockMovable(a, b, from, to)) return;
    const int before = Missing(a) + Missing(b);
    for (int d = from; d <= to; ++d) Exchange(a, b, d);
    bool holds = WithinTarget(a) && WithinTarget(b);
    for (int d = from; d <= to && holds; ++d) holds = CellsHold(a, b, d);
    if (holds && Accept(cost_ - before + Missing(a) + Missing(b), step)) {
      Track(a);
      Track(b);
      return;
    }
    for (int d = from; d <= to; ++d) Exchange(a, b, d);
  }

  // a works d1 and rests d2, b the reverse (or the other way round): both days are
  // exchanged, so every day keeps its staffing and both members their counts.
  void TryTwoDay(int a, std::int64_t step) {
    const int d1 = Day();
    const int d2 = ctx_.random.RandomValue() < 0.5
                       ? std::clamp(d1 + Draw(-kNearDays, kNearDays), first_, DayCount())
                       : Day();
    const bool a1 = model_.Roster(a, d1) >= 1;
    const bool a2 = model_.Roster(a, d2) >= 1;
    if (d1 == d2 || a1 == a2 || !Free(a, d1) || !Free(a, d2)) return;
    int b = 0;
    for (int tries = 0; tries < 8 && b == 0; ++tries) {
      const int c = Member();
      if (cells_.TwoDayPartner(a, c, d1, d2)) b = c;
    }
    if (b == 0) return;
    Exchange(a, b, d1);
    Exchange(a, b, d2);
    if (CellsHold(a, b, d1) && CellsHold(a, b, d2) && Accept(cost_, step)) return;
    Exchange(a, b, d2);
    Exchange(a, b, d1);
  }

  RepairContext ctx_;
  ConditionModel& model_;
  CellExchange cells_;
  RepairLimits limits_;
  int first_ = 1;
  int cost_ = 0;
  std::vector<int> short_;
  std::vector<int> slot_;  // index in short_, -1 when not short
  std::vector<int> history_;
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
  return Search(ctx, limits).Run();
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
