#include "optimise/improve_search.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "optimise/cell_exchange.h"
#include "optimise/local_search/cell_move.h"
#include "optimise/local_search/event_cadence.h"
#include "optimise/local_search/exchange_moves.h"
#include "optimise/local_search/late_acceptance.h"
#include "optimise/local_search/search_parameters.h"
#include "optimise/local_search/termination.h"
#include "optimise/move_check.h"
#include "optimise/score_tally.h"
#include "optimise/score_text.h"
#include "roster/month_objective.h"
#include "roster/roster_change.h"
#include "roster/roster_score.h"
#include "roster/roster_sheet.h"

namespace tsumiki {

namespace {

class Improver {
 public:
  Improver(ImproveContext ctx, const ImproveLimits& limits, const ImproveParameters& params)
      : model_(ctx.model),
        cells_(ctx.model, ctx.reserved),
        tally_(ctx.model),
        params_(params),
        limits_{limits.deadline_ms, limits.max_steps, limits.stall_steps},
        first_(std::max(1, ctx.model.StartDay)),
        draw_(ctx.model, cells_, ctx.random, first_),
        cadence_(ctx.host, ctx.run, ctx.status_position, params.event_interval,
                 params.status_interval_ms),
        acceptor_(params.history_length, tally_.Score()) {
    best_ = acceptor_.Current();
    best_roster_ = model_.Roster;
    best_fixed_ = model_.Fixed;
    fewest_.assign(static_cast<std::size_t>(model_.MemberCount) + 1, 0);
    for (int m = 1; m <= model_.MemberCount; ++m) {
      fewest_[static_cast<std::size_t>(m)] = std::min(model_.WorkDays(m), model_.WorkDayTarget(m));
    }
  }

  ImproveOutcome Run() {
    ImproveOutcome outcome;
    outcome.before = best_;
    std::int64_t last_best = 0;
    for (; !limits_.BudgetSpent(outcome.steps, last_best); ++outcome.steps) {
      const CadenceStop stop = cadence_.Tick(
          outcome.steps, best_, limits_.deadline_ms,
          [](double score) { return ImproveStatusText(static_cast<float>(score)); });
      if (stop == CadenceStop::kAborted) outcome.stopped = true;
      if (stop != CadenceStop::kNone) break;
      if (Step(outcome.steps) && acceptor_.Current() < best_) {
        best_ = acceptor_.Current();
        best_roster_ = model_.Roster;
        best_fixed_ = model_.Fixed;
        last_best = outcome.steps;
      }
    }
    RestoreBest();
    cadence_.Clear();
    outcome.after = MonthObjective(model_);
    return outcome;
  }

 private:
  int DayCount() const { return model_.DayCount; }
  bool Works(int m, int d) const { return model_.Roster(m, d) >= 1; }
  int NearDay(int d) { return draw_.NearDay(d, params_.near_days); }

  // A single work day or a single rest day between days of the other kind: most of
  // what the score counts beyond the spreads. Falls back to any cell.
  bool SingleDay(int m, int d) const {
    const bool w = Works(m, d);
    return d > first_ && d < DayCount() && Works(m, d - 1) != w && Works(m, d + 1) != w;
  }
  void Pivot(int& m, int& d) {
    m = draw_.Member();
    d = draw_.Day();
    if (draw_.Share() >= params_.single_day_pivot_share) return;
    for (int tries = 0; tries < params_.partner_tries && !SingleDay(m, d); ++tries) {
      m = draw_.Member();
      d = draw_.Day();
    }
  }

  // One day: a and b both work d in different duties (counts stay as they are).
  bool BuildOneDay(int a, int d) {
    if (!Works(a, d) || !cells_.Free(a, d)) return false;
    for (int tries = 0; tries < params_.partner_tries; ++tries) {
      const int b = draw_.Member();
      if (Works(b, d) && model_.Roster(b, d) != model_.Roster(a, d) && cells_.Free(b, d)) {
        move_.Exchange(a, b, d);
        return true;
      }
    }
    return false;
  }

  // A block of 2..max_block days from d: a night with its after-night, or a run.
  bool BuildBlock(int a, int d) {
    const int length = 2 + draw_.Draw(0, params_.max_block - 2);
    const int from = std::clamp(d - draw_.Draw(0, length - 1), first_, DayCount());
    const int to = from + length - 1;
    if (to > DayCount()) return false;
    return draw_.Block(a, from, to, move_);
  }

  // A work day passed round: a's work on d1 goes to b, b's on d2 to c, c's on d3
  // back to a, so all three keep their counts.
  bool BuildRound(int a, int d1) {
    if (!Works(a, d1) || !cells_.Free(a, d1)) return false;
    const int b = draw_.Member();
    const int c = draw_.Member();
    const int d2 = NearDay(d1);
    const int d3 = NearDay(d2);
    if (a == b || b == c || c == a || d1 == d2 || d2 == d3 || d1 == d3) return false;
    if (Works(b, d1) || !Works(b, d2) || Works(c, d2) || !Works(c, d3) || Works(a, d3)) {
      return false;
    }
    if (!cells_.Free(b, d1) || !cells_.Free(b, d2) || !cells_.Free(c, d2) || !cells_.Free(c, d3) ||
        !cells_.Free(a, d3)) {
      return false;
    }
    move_.Exchange(a, b, d1);
    move_.Exchange(b, c, d2);
    move_.Exchange(c, a, d3);
    return true;
  }

  int Staff(int type, int d) const {
    int staff = 0;
    for (int m = 1; m <= model_.MemberCount; ++m) staff += model_.Roster(m, d) == type ? 1 : 0;
    return staff;
  }

  // A duty staffed above the need, moved by its member to a rest day on which the
  // duty is needed too: the member keeps the count, and over-staffing is allowed
  // on that type to reach targets.
  // Only as the first change of a move: the exchanges after it are undone before
  // it, so the duty is always where it went when it is moved back.
  bool BuildMoveDuty(int a, int d) {
    const int type = model_.Roster(a, d);
    if (!move_.Empty() || type < 1 || type > cells_.rules().AddableTypes() ||
        !cells_.Free(a, d) || model_.Fixed(a, d) >= 1 ||
        Staff(type, d) <= model_.NeedTable(type, d)) {
      return false;
    }
    const int to = draw_.Share() < 0.5 ? NearDay(d) : draw_.Day();
    if (Works(a, to) || !cells_.Free(a, to) || model_.Fixed(a, to) >= 1 ||
        model_.NeedTable(type, to) < 1) {
      return false;
    }
    move_.MoveDuty(a, d, to);
    return true;
  }

  // A day below the desired staffing of a duty that may be staffed above the
  // need: a member resting there brings the duty from a day of theirs where it is
  // staffed above the need, and so keeps the count.
  bool BuildToDesired() {
    const int type = draw_.Draw(1, cells_.rules().AddableTypes());
    const int to = draw_.Day();
    if (tally_.Staffed(type, to) >= model_.Extra.DesiredStaff(type, to)) return false;
    for (int tries = 0; tries < params_.partner_tries; ++tries) {
      const int a = draw_.Member();
      if (Works(a, to) || !cells_.Free(a, to) || model_.Fixed(a, to) >= 1) continue;
      int spare = 0;
      for (int d = first_; d <= DayCount(); ++d) spare += SpareDuty(a, d, type) ? 1 : 0;
      if (spare == 0) continue;
      for (int d = first_, pick = draw_.Draw(1, spare);; ++d) {
        if (SpareDuty(a, d, type) && --pick == 0) {
          move_.MoveDuty(a, d, to);
          return true;
        }
      }
    }
    return false;
  }
  // Member a holds `type` on day d, free to move, and the day has more of it than
  // it needs.
  bool SpareDuty(int a, int d, int type) const {
    return model_.Roster(a, d) == type && cells_.Free(a, d) && model_.Fixed(a, d) < 1 &&
           tally_.Staffed(type, d) > model_.NeedTable(type, d);
  }

  bool BuildSimple(int a, int d) {
    // A move holds two blocks of the longest length at most.
    if (move_.Size() > params_.max_block) return false;
    const double kind = draw_.Share();
    if (kind < 0.25) return BuildOneDay(a, d);
    if (kind < 0.6) return draw_.TwoDay(a, d, params_.near_days, params_.partner_tries, move_);
    if (kind < 0.72) return BuildBlock(a, d);
    if (kind < 0.84) return BuildRound(a, d);
    return BuildMoveDuty(a, d);
  }

  // Two moves made together, the second around a member and a day the first
  // touched: either alone may break a rule the pair keeps.
  bool BuildChain(int a, int d) {
    if (!BuildSimple(a, d)) return false;
    const CellChange last = move_.Last();
    const bool exchange = last.kind == CellChange::Kind::kExchange;
    const int before = move_.Size();
    const int day = NearDay(exchange ? last.d : last.to);
    if (!BuildSimple(exchange ? last.b : last.a, day) && !BuildSimple(last.a, day)) {
      return false;
    }
    return move_.Size() > before;
  }

  // A member at the target stays there. One the month left below it, within
  // the range of days off, may come nearer to it but never go further.
  bool WorkDaysKept(int m) const {
    const int target = model_.WorkDayTarget(m);
    return target == model_.DayCount ||
           (model_.WorkDays(m) <= target && model_.WorkDays(m) >= fewest_[static_cast<std::size_t>(m)]);
  }

  bool Holds() const {
    for (int i = 0; i < move_.Size(); ++i) {
      const CellChange& c = move_[i];
      if (c.kind == CellChange::Kind::kMoveDuty) {
        // The day the duty left must still be staffed (a chain may have changed it).
        for (int t = 1; t <= model_.TypeCount; ++t) {
          if (Staff(t, c.d) < model_.NeedTable(t, c.d)) return false;
        }
        if (!cells_.Holds(c.a, c.a, c.d) || !cells_.Holds(c.a, c.a, c.to)) return false;
      } else if (!WorkDaysKept(c.a) || !WorkDaysKept(c.b) || !cells_.Holds(c.a, c.b, c.d)) {
        return false;
      }
    }
    return true;
  }

  bool Step(std::int64_t step) {
    move_.Clear();
    int a = 0;
    int d = 0;
    Pivot(a, d);
    // Only a month with desired staffing draws the move towards it, so that the
    // draws of any other month stay as they were.
    bool built = false;
    if (tally_.KeepsStaffing() && draw_.Share() < params_.desired_share) {
      built = BuildToDesired();
    } else {
      built = draw_.Share() < params_.chain_share ? BuildChain(a, d) : BuildSimple(a, d);
    }
    if (!built || move_.Empty()) return false;
    move_.Apply(model_);
    if (Holds()) {
      RefreshMoved();
      if (acceptor_.Accept(tally_.Score(), step)) {
        CheckAcceptedMove(model_, tally_.Score(), "the improvement search");
        return true;
      }
      move_.Undo(model_);
      RefreshMoved();
      return false;
    }
    move_.Undo(model_);
    return false;
  }

  // The members the move changed, read anew into the tally.
  void RefreshMoved() {
    for (int i = 0; i < move_.Size(); ++i) {
      const CellChange& c = move_[i];
      tally_.Refresh(model_, c.a);
      if (c.kind == CellChange::Kind::kExchange) tally_.Refresh(model_, c.b);
    }
  }

  void RestoreBest() {
    for (int m = 1; m <= model_.MemberCount; ++m) {
      for (int d = first_; d <= DayCount(); ++d) {
        if (model_.Roster(m, d) != best_roster_(m, d)) SetDuty(model_, m, d, best_roster_(m, d));
        SetFixedMark(model_, m, d, best_fixed_(m, d));
      }
    }
  }

  ConditionModel& model_;
  CellExchange cells_;
  ScoreTally tally_;
  ImproveParameters params_;
  Termination limits_;
  int first_ = 1;
  ExchangeMoves draw_;
  EventCadence cadence_;
  LateAcceptance<float> acceptor_;
  float best_ = 0;
  IndexGrid<int> best_roster_;
  IndexGrid<int> best_fixed_;
  std::vector<int> fewest_;  // work days no member goes below
  CellMove move_;
};

}  // namespace

std::string ImproveStatusText(float score) {
  return std::string(kImproveStatusPrefix) + FormatScore(score, 2) +
         std::string(kImproveStatusSuffix);
}

ImproveOutcome ImproveSearch(ImproveContext ctx, const ImproveLimits& limits) {
  if (ctx.model.StartDay > ctx.model.DayCount || ctx.model.MemberCount < 2) {
    const float score = MonthObjective(ctx.model);
    return ImproveOutcome{score, score, 0, false};
  }
  return Improver(ctx, limits, ImproveParameters{}).Run();
}

std::int64_t MoveBudget(float seconds) {
  return static_cast<std::int64_t>(std::llround(static_cast<double>(seconds) * kMovesPerSecond));
}

ImproveOutcome ImproveRoster(const SearchContext& ctx, const IndexGrid<int>& reserved,
                             float seconds) {
  const std::int64_t now = ctx.host.MonotonicMs();
  std::int64_t deadline = now + static_cast<std::int64_t>(std::llround(seconds * 1000.0));
  if (ctx.run.DeadlineMs >= 0) deadline = std::min(deadline, ctx.run.DeadlineMs);
  const ImproveOutcome outcome = ImproveSearch(
      ImproveContext{ctx.model, ctx.host, ctx.run, ctx.random, reserved, ctx.status_position},
      ImproveLimits{deadline, MoveBudget(seconds)});
  if (outcome.after < outcome.before) WriteRosterDays(ctx.book, ctx.model);
  return outcome;
}

}  // namespace tsumiki
