#include "optimise/open_slot_search.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "optimise/cell_exchange.h"
#include "optimise/local_search/cell_move.h"
#include "optimise/local_search/event_cadence.h"
#include "optimise/local_search/exchange_moves.h"
#include "optimise/local_search/indexed_set.h"
#include "optimise/local_search/late_acceptance.h"
#include "optimise/move_check.h"
#include "optimise/score_tally.h"
#include "roster/patterns.h"
#include "roster/repair_rules.h"
#include "roster/roster_sheet.h"

namespace tsumiki {

namespace {

int DayViolations(const ConditionModel& model, int addable, int d, std::vector<int>& staff) {
  staff.assign(static_cast<std::size_t>(model.TypeCount + 1), 0);
  for (int m = 1; m <= model.MemberCount; ++m) {
    const int code = model.Roster(m, d);
    if (code >= 1 && code <= model.TypeCount) ++staff[static_cast<std::size_t>(code)];
  }
  int violations = 0;
  for (int t = 1; t <= model.TypeCount; ++t) {
    const int have = staff[static_cast<std::size_t>(t)];
    const int need = model.NeedTable(t, d);
    if (have < need) violations += need - have;
    if (t > addable && have > need) violations += have - need;
  }
  return violations;
}

int AddableTypes(const ConditionModel& model) { return std::max(1, model.TypeCount - 1); }

class OpenSlotFiller {
 public:
  OpenSlotFiller(RepairContext ctx, const Termination& limits, const OpenSlotParameters& params)
      : model_(ctx.model),
        cells_(ctx.model, ctx.reserved),
        params_(params),
        limits_(limits),
        first_(std::max(1, ctx.model.StartDay)),
        draw_(ctx.model, cells_, ctx.random, first_),
        cadence_(ctx.host, ctx.run, ctx.status_position, params.event_interval,
                 params.status_interval_ms),
        staff_(static_cast<std::size_t>((model_.DayCount + 2) * (model_.TypeCount + 1)), 0),
        violations_(static_cast<std::size_t>(model_.DayCount + 2), 0),
        missing_(static_cast<std::size_t>(model_.MemberCount + 1), 0),
        open_days_(model_.DayCount + 2),
        short_(model_.MemberCount + 1),
        tally_(ctx.model),
        acceptor_(params.history_length, 0) {
    for (int d = first_; d <= model_.DayCount; ++d) RefreshDay(d);
    for (int m = 1; m <= model_.MemberCount; ++m) RefreshMember(m);
    acceptor_ = LateAcceptance<float>(params.history_length, Cost());
    level_ = Hard();
  }

  OpenSlotOutcome Run() {
    OpenSlotOutcome outcome;
    std::int64_t last_best = 0;
    float best = Cost();
    for (; !limits_.BudgetSpent(outcome.steps, last_best) && open_ > 0; ++outcome.steps) {
      const CadenceStop stop =
          cadence_.Tick(outcome.steps, open_, limits_.deadline_ms,
                        [](double open) { return OpenSlotStatusText(static_cast<int>(open)); });
      if (stop != CadenceStop::kNone) {
        outcome.stopped = true;
        break;
      }
      Step(outcome.steps);
      if (Cost() < best) {
        best = Cost();
        last_best = outcome.steps;
      }
    }
    cadence_.Clear();
    outcome.open = open_;
    return outcome;
  }

 private:
  // The hard violations weighted far above RosterScore: every kept fill lowers
  // the cost, and among moves that only carry a hole on, the score decides, so
  // the month the search leaves is no rougher than it must be.
  int Hard() const { return open_ + missing_total_; }
  float Cost() { return static_cast<float>(Hard()) * params_.hard_weight + tally_.Score(); }
  int& Staff(int d, int t) {
    return staff_[static_cast<std::size_t>(d * (model_.TypeCount + 1) + t)];
  }
  bool Counted(int m) const { return model_.WorkDayTarget(m) != model_.DayCount; }
  bool WithinTarget(int m) const { return model_.WorkDays(m) <= model_.WorkDayTarget(m); }

  void RefreshDay(int d) {
    if (d < first_ || d > model_.DayCount) return;
    int& v = violations_[static_cast<std::size_t>(d)];
    open_ -= v;
    v = DayViolations(model_, cells_.rules().AddableTypes(), d, scratch_);
    for (int t = 1; t <= model_.TypeCount; ++t) Staff(d, t) = scratch_[static_cast<std::size_t>(t)];
    open_ += v;
    open_days_.Mark(d, v > 0);
  }
  void RefreshMember(int m) {
    int& missing = missing_[static_cast<std::size_t>(m)];
    missing_total_ -= missing;
    missing = Counted(m) ? std::max(0, model_.WorkDayTarget(m) - model_.WorkDays(m)) : 0;
    missing_total_ += missing;
    short_.Mark(m, missing > 0);
  }
  // Reads the days and members of the move's cells anew.
  void RefreshMoved() {
    move_.ForEachCell([this](int m, int d) {
      RefreshMember(m);
      RefreshDay(d);
      tally_.Refresh(model_, m);
    });
  }

  // The rules of every cell the changes from `keep` on touched, as the roster
  // now stands, and no member of theirs above the target.
  bool Holds(int keep) const {
    for (int i = keep; i < move_.Size(); ++i) {
      const CellChange& c = move_[i];
      if (!WithinTarget(c.a) || !cells_.Holds(c.a, c.a, c.d)) return false;
      if (c.kind == CellChange::Kind::kExchange &&
          (!WithinTarget(c.b) || !cells_.Holds(c.b, c.b, c.d))) {
        return false;
      }
    }
    return true;
  }
  // Makes the changes from `keep` on and keeps them when they hold.
  bool Commit(int keep) {
    move_.ApplyFrom(model_, keep);
    if (Holds(keep)) return true;
    move_.UndoTo(model_, keep);
    return false;
  }

  int Candidate() {
    if (!short_.Empty() && draw_.Share() < 0.5) return short_.At(draw_.Draw(0, short_.Size() - 1));
    return draw_.Member();
  }

  // Member m, resting on d, takes duty t there; a duty that a required sequence
  // puts after t goes on d + 1 too, when m already holds it there or its place
  // there is open.
  bool AddTake(int m, int d, int t) {
    if (model_.Roster(m, d) != 0 || !cells_.Free(m, d)) return false;
    move_.Set(m, d, t);
    const int follower = RequiredFollower(model_, t);
    if (follower == 0 || d >= model_.DayCount || model_.Roster(m, d + 1) == follower) return true;
    if (model_.Roster(m, d + 1) != 0 || !cells_.Free(m, d + 1) ||
        Staff(d + 1, follower) >= model_.NeedTable(follower, d + 1)) {
      return false;
    }
    move_.Set(m, d + 1, follower, follower);
    return true;
  }

  // Closes the hole (d, t) with a resting member who may still work a day more.
  bool Close(int d, int t) {
    for (int k = 0; k < params_.member_tries; ++k) {
      const int m = Candidate();
      const int keep = move_.Size();
      if (model_.WorkDays(m) >= model_.WorkDayTarget(m) || !AddTake(m, d, t)) {
        move_.Truncate(keep);
        continue;
      }
      if (Commit(keep)) return true;
    }
    return false;
  }

  // One link of an ejection chain: a member goes into the hole (d, t) and opens
  // the cell it leaves, which becomes the hole. A member resting on d gives up a
  // duty of another day; a member working another duty on d changes to t.
  bool Carry(int& d, int& t) {
    for (int k = 0; k < params_.member_tries; ++k) {
      const int a = draw_.Member();
      const int keep = move_.Size();
      const int code = model_.Roster(a, d);
      int next_d = d;
      int next_t = code;
      if (code == 0) {
        const int e = draw_.Share() < 0.5 ? draw_.NearDay(d, params_.near_days) : draw_.Day();
        next_d = e;
        next_t = model_.Roster(a, e);
        if (e == d || next_t < 1 || next_t > model_.TypeCount || !cells_.Free(a, e)) continue;
        move_.Set(a, e, kRestDay);
        if (!AddTake(a, d, t)) {
          move_.Truncate(keep);
          continue;
        }
      } else {
        if (code == t || code > model_.TypeCount || !cells_.Free(a, d)) continue;
        move_.Set(a, d, t);
      }
      if (!Commit(keep)) continue;
      d = next_d;
      t = next_t;
      return true;
    }
    return false;
  }

  // A duty type staffed below the need on day d, drawn among them; 0 when none is.
  int HoleType(int d) {
    int holes = 0;
    for (int t = 1; t <= model_.TypeCount; ++t) holes += Staff(d, t) < model_.NeedTable(t, d);
    if (holes == 0) return 0;
    int pick = draw_.Draw(1, holes);
    for (int t = 1; t <= model_.TypeCount; ++t) {
      if (Staff(d, t) < model_.NeedTable(t, d) && --pick == 0) return t;
    }
    return 0;
  }

  // Fills a hole, or carries it through up to max_chain links and then fills it.
  // A chain that could not be closed is kept as it went: it is judged like any move.
  void BuildChain() {
    int d = open_days_.At(draw_.Draw(0, open_days_.Size() - 1));
    int t = HoleType(d);
    if (t == 0) return;
    const int links = draw_.Share() < 0.5 ? 0 : draw_.Draw(1, params_.max_chain);
    for (int link = 0; link <= links; ++link) {
      if (Close(d, t) || link == links || !Carry(d, t)) return;
    }
  }

  // The repair search's exchanges: they keep every day's staffing and move work
  // days between members, so that a member who may take a hole gets free for it.
  void BuildExchange() {
    const int a = Candidate();
    if (draw_.Share() < 0.5) {
      const int length = 1 + draw_.Draw(0, params_.max_block - 1);
      if (model_.DayCount - first_ + 1 < length) return;
      const int from = draw_.Draw(first_, model_.DayCount - length + 1);
      draw_.Block(a, from, from + length - 1, move_);
    } else {
      draw_.TwoDay(a, draw_.Day(), params_.near_days, params_.member_tries, move_);
    }
    Commit(0);
  }

  void Step(std::int64_t step) {
    move_.Clear();
    if (!open_days_.Empty() && draw_.Share() < params_.slot_pivot_share) {
      BuildChain();
    } else {
      BuildExchange();
    }
    if (move_.Empty()) return;
    RefreshMoved();
    if (acceptor_.Accept(Cost(), step)) {
      CheckAcceptedMove(model_, tally_.Score(), "the search over open places");
      if (Hard() < level_) {
        level_ = Hard();
        acceptor_.Reset(Cost());
      }
      return;
    }
    move_.Undo(model_);
    RefreshMoved();
  }

  ConditionModel& model_;
  CellExchange cells_;
  OpenSlotParameters params_;
  Termination limits_;
  int first_;
  ExchangeMoves draw_;
  EventCadence cadence_;
  std::vector<int> staff_;       // by day and type
  std::vector<int> violations_;  // by day
  std::vector<int> missing_;     // by member
  std::vector<int> scratch_;
  IndexedSet open_days_;
  IndexedSet short_;
  int open_ = 0;
  int missing_total_ = 0;
  int level_ = 0;  // the fewest hard violations so far
  ScoreTally tally_;
  LateAcceptance<float> acceptor_;
  CellMove move_;
};

}  // namespace

std::string OpenSlotStatusText(int open) {
  return std::string(kOpenSlotStatusPrefix) + std::to_string(open) +
         std::string(kOpenSlotStatusSuffix);
}

int OpenSlotCount(const ConditionModel& model) {
  std::vector<int> staff;
  int open = 0;
  for (int d = std::max(1, model.StartDay); d <= model.DayCount; ++d) {
    open += DayViolations(model, AddableTypes(model), d, staff);
  }
  return open;
}

std::vector<OpenPlace> OpenPlaces(const ConditionModel& model) {
  std::vector<OpenPlace> places;
  std::vector<int> staff;
  for (int d = std::max(1, model.StartDay); d <= model.DayCount; ++d) {
    DayViolations(model, AddableTypes(model), d, staff);
    for (int t = 1; t <= model.TypeCount; ++t) {
      const int have = staff[static_cast<std::size_t>(t)];
      if (have < model.NeedTable(t, d)) places.push_back({d, t, model.NeedTable(t, d) - have});
    }
  }
  return places;
}

DaySlot FirstOpenSlot(const ConditionModel& model) {
  const std::vector<OpenPlace> places = OpenPlaces(model);
  return places.empty() ? DaySlot{} : DaySlot{places.front().day, places.front().type};
}

OpenSlotOutcome OpenSlotSearch(RepairContext ctx, const Termination& limits,
                               const OpenSlotParameters& params) {
  if (ctx.model.StartDay > ctx.model.DayCount || ctx.model.MemberCount < 1) {
    return OpenSlotOutcome{OpenSlotCount(ctx.model), 0, false};
  }
  return OpenSlotFiller(ctx, limits, params).Run();
}

bool CloseOpenSlots(const SearchContext& ctx, const IndexGrid<int>& reserved,
                    std::int64_t deadline_ms) {
  const OpenSlotParameters params;
  const OpenSlotOutcome outcome = OpenSlotSearch(
      RepairContext{ctx.model, ctx.host, ctx.run, ctx.random, reserved, ctx.status_position},
      Termination{deadline_ms, params.max_steps, params.stall_steps}, params);
  WriteRosterDays(ctx.book, ctx.model);
  return outcome.open == 0;
}

}  // namespace tsumiki
