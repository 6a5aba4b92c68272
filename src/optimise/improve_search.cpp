#include "optimise/improve_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

#include "optimise/cell_exchange.h"
#include "optimise/optimise_window.h"
#include "optimise/score_tally.h"
#include "roster/roster_score.h"
#include "roster/roster_sheet.h"
#include "ui/status.h"

namespace tsumiki {

namespace {

// Moves between looks at the clock and the event queue.
constexpr int kEventInterval = 128;
// The shortest time between two status texts: the score falls many times a second,
// and every status text is a line on the command line.
constexpr std::int64_t kStatusIntervalMs = 250;
// Length of the late-acceptance history.
constexpr int kHistoryLength = 200;
// How often a move starts at a single work or rest day rather than anywhere.
constexpr double kSingleDayPivotShare = 0.6;
// How far apart the days of a two-day exchange or a passed work day usually lie.
constexpr int kNearDays = 5;
// The longest block of days two members exchange in one move.
constexpr int kMaxBlock = 4;
// Exchanges one move makes at most (two blocks of the longest length).
constexpr int kMaxCells = 2 * kMaxBlock;
// Attempts at finding a partner member before a move is given up.
constexpr int kPartnerTries = 8;

// One change of a move: the exchange of a's and b's cells on day d, or (b == 0)
// a's duty moved from day d to day `to`, where a rested.
struct CellPair {
  int a = 0;
  int b = 0;
  int d = 0;
  int to = 0;
};

class Improver {
 public:
  Improver(ImproveContext ctx, const ImproveLimits& limits)
      : ctx_(ctx),
        model_(ctx.model),
        cells_(ctx.model, ctx.reserved),
        tally_(ctx.model),
        limits_(limits) {
    first_ = std::max(1, model_.StartDay);
    current_ = tally_.Score();
    best_ = current_;
    history_.assign(kHistoryLength, current_);
    best_roster_ = model_.Roster;
    best_fixed_ = model_.Fixed;
  }

  ImproveOutcome Run() {
    ImproveOutcome outcome;
    outcome.before = best_;
    float shown = std::numeric_limits<float>::quiet_NaN();
    std::int64_t shown_at = 0;
    std::int64_t last_best = 0;
    for (; outcome.steps < limits_.max_steps && outcome.steps - last_best < limits_.stall_steps;
         ++outcome.steps) {
      if (outcome.steps % kEventInterval == 0) {
        if (!(best_ == shown) &&
            (outcome.steps == 0 || ctx_.host.MonotonicMs() - shown_at >= kStatusIntervalMs)) {
          shown = best_;
          shown_at = ctx_.host.MonotonicMs();
          ShowStatus(ctx_.host, ImproveStatusText(best_), kDefaultColour, kDefaultColour,
                     /*topmost=*/false, ctx_.status_position);
        } else {
          ctx_.host.DoEvents();
        }
        const std::int64_t now = ctx_.host.MonotonicMs();
        if (StopRequested(ctx_.run, now)) outcome.stopped = true;
        if (outcome.stopped || now >= limits_.deadline_ms) break;
      }
      if (Step(outcome.steps) && current_ < best_) {
        best_ = current_;
        best_roster_ = model_.Roster;
        best_fixed_ = model_.Fixed;
        last_best = outcome.steps;
      }
    }
    RestoreBest();
    ShowStatus(ctx_.host, "", kDefaultColour, kDefaultColour, /*topmost=*/false,
               ctx_.status_position);
    outcome.after = RosterScore(model_);
    return outcome;
  }

 private:
  int DayCount() const { return model_.DayCount; }
  bool Works(int m, int d) const { return model_.Roster(m, d) >= 1; }

  int Draw(int lo, int hi) {
    const int span = hi - lo + 1;
    const int k = static_cast<int>(ctx_.random.RandomValue() * span);
    return lo + std::clamp(k, 0, span - 1);
  }
  int Day() { return Draw(first_, DayCount()); }
  int NearDay(int d) { return std::clamp(d + Draw(-kNearDays, kNearDays), first_, DayCount()); }
  int Member() { return Draw(1, model_.MemberCount); }

  // A single work day or a single rest day between days of the other kind: most of
  // what the score counts beyond the spreads. Falls back to any cell.
  bool SingleDay(int m, int d) const {
    const bool w = Works(m, d);
    return d > first_ && d < DayCount() && Works(m, d - 1) != w && Works(m, d + 1) != w;
  }
  void Pivot(int& m, int& d) {
    m = Member();
    d = Day();
    if (ctx_.random.RandomValue() >= kSingleDayPivotShare) return;
    for (int tries = 0; tries < kPartnerTries && !SingleDay(m, d); ++tries) {
      m = Member();
      d = Day();
    }
  }

  void Add(int a, int b, int d) { move_[static_cast<std::size_t>(size_++)] = CellPair{a, b, d}; }

  // One day: a and b both work d in different duties (counts stay as they are).
  bool BuildOneDay(int a, int d) {
    if (!Works(a, d) || !cells_.Free(a, d)) return false;
    for (int tries = 0; tries < kPartnerTries; ++tries) {
      const int b = Member();
      if (Works(b, d) && model_.Roster(b, d) != model_.Roster(a, d) && cells_.Free(b, d)) {
        Add(a, b, d);
        return true;
      }
    }
    return false;
  }

  // Two days: a works one of d1, d2 and rests the other, b the reverse.
  bool BuildTwoDay(int a, int d1) {
    const int d2 = ctx_.random.RandomValue() < 0.5 ? NearDay(d1) : Day();
    if (d1 == d2 || Works(a, d1) == Works(a, d2) || !cells_.Free(a, d1) || !cells_.Free(a, d2)) {
      return false;
    }
    for (int tries = 0; tries < kPartnerTries; ++tries) {
      const int b = Member();
      if (cells_.TwoDayPartner(a, b, d1, d2)) {
        Add(a, b, d1);
        Add(a, b, d2);
        return true;
      }
    }
    return false;
  }

  // A block of 2..kMaxBlock days from d: a night with its after-night, or a run.
  bool BuildBlock(int a, int d) {
    const int length = 2 + Draw(0, kMaxBlock - 2);
    const int from = std::clamp(d - Draw(0, length - 1), first_, DayCount());
    const int to = from + length - 1;
    if (to > DayCount()) return false;
    const int b = Member();
    if (a == b || !cells_.BlockMovable(a, b, from, to)) return false;
    for (int day = from; day <= to; ++day) Add(a, b, day);
    return true;
  }

  // A work day passed round: a's work on d1 goes to b, b's on d2 to c, c's on d3
  // back to a, so all three keep their counts.
  bool BuildRound(int a, int d1) {
    if (!Works(a, d1) || !cells_.Free(a, d1)) return false;
    const int b = Member();
    const int c = Member();
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
    Add(a, b, d1);
    Add(b, c, d2);
    Add(c, a, d3);
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
    if (size_ != 0 || type < 1 || type > cells_.rules().AddableTypes() || !cells_.Free(a, d) ||
        model_.Fixed(a, d) >= 1 || Staff(type, d) <= model_.NeedTable(type, d)) {
      return false;
    }
    const int to = ctx_.random.RandomValue() < 0.5 ? NearDay(d) : Day();
    if (Works(a, to) || !cells_.Free(a, to) || model_.Fixed(a, to) >= 1 ||
        model_.NeedTable(type, to) < 1) {
      return false;
    }
    move_[static_cast<std::size_t>(size_++)] = CellPair{a, 0, d, to};
    return true;
  }

  bool BuildSimple(int a, int d) {
    if (size_ + kMaxBlock > kMaxCells) return false;
    const double kind = ctx_.random.RandomValue();
    if (kind < 0.25) return BuildOneDay(a, d);
    if (kind < 0.6) return BuildTwoDay(a, d);
    if (kind < 0.72) return BuildBlock(a, d);
    if (kind < 0.84) return BuildRound(a, d);
    return BuildMoveDuty(a, d);
  }

  // Two moves made together, the second around a member and a day the first
  // touched: either alone may break a rule the pair keeps.
  bool BuildChain(int a, int d) {
    if (!BuildSimple(a, d)) return false;
    const CellPair last = move_[static_cast<std::size_t>(size_ - 1)];
    const int before = size_;
    const int day = NearDay(last.b != 0 ? last.d : last.to);
    if (!BuildSimple(last.b != 0 ? last.b : last.a, day) && !BuildSimple(last.a, day)) {
      return false;
    }
    return size_ > before;
  }

  void Change(const CellPair& c, bool undo) {
    if (c.b != 0) {
      cells_.Exchange(c.a, c.b, c.d);
      return;
    }
    const int from = undo ? c.to : c.d;
    const int to = undo ? c.d : c.to;
    SetDuty(model_, c.a, to, model_.Roster(c.a, from));
    SetDuty(model_, c.a, from, kRestDay);
  }
  void Apply() {
    for (int i = 0; i < size_; ++i) Change(move_[static_cast<std::size_t>(i)], /*undo=*/false);
  }
  void Undo() {
    for (int i = size_ - 1; i >= 0; --i) Change(move_[static_cast<std::size_t>(i)], /*undo=*/true);
  }

  bool AtTarget(int m) const {
    return model_.WorkDayTarget(m) == model_.DayCount ||
           model_.WorkDays(m) == model_.WorkDayTarget(m);
  }

  bool Holds() const {
    for (int i = 0; i < size_; ++i) {
      const CellPair& c = move_[static_cast<std::size_t>(i)];
      if (c.b == 0) {
        // The day the duty left must still be staffed (a chain may have changed it).
        for (int t = 1; t <= model_.TypeCount; ++t) {
          if (Staff(t, c.d) < model_.NeedTable(t, c.d)) return false;
        }
        if (!cells_.Holds(c.a, c.a, c.d) || !cells_.Holds(c.a, c.a, c.to)) return false;
      } else if (!AtTarget(c.a) || !AtTarget(c.b) || !cells_.Holds(c.a, c.b, c.d)) {
        return false;
      }
    }
    return true;
  }

  // Late acceptance with ties: the new score is kept when it is no worse than the
  // current one or than the score `kHistoryLength` steps back.
  bool Accept(float next, std::int64_t step) {
    float& past = history_[static_cast<std::size_t>(step % kHistoryLength)];
    const bool keep = next <= current_ || next <= past;
    if (keep) current_ = next;
    past = current_;
    return keep;
  }

  bool Step(std::int64_t step) {
    size_ = 0;
    int a = 0;
    int d = 0;
    Pivot(a, d);
    const bool built = ctx_.random.RandomValue() < 0.2 ? BuildChain(a, d) : BuildSimple(a, d);
    if (!built || size_ == 0) return false;
    Apply();
    if (Holds()) {
      RefreshMoved();
      if (Accept(tally_.Score(), step)) return true;
      Undo();
      RefreshMoved();
      return false;
    }
    Undo();
    return false;
  }

  // The members the move changed, read anew into the tally.
  void RefreshMoved() {
    for (int i = 0; i < size_; ++i) {
      const CellPair& c = move_[static_cast<std::size_t>(i)];
      tally_.Refresh(model_, c.a);
      if (c.b != 0) tally_.Refresh(model_, c.b);
    }
  }

  void RestoreBest() {
    for (int m = 1; m <= model_.MemberCount; ++m) {
      for (int d = first_; d <= DayCount(); ++d) {
        if (model_.Roster(m, d) != best_roster_(m, d)) SetDuty(model_, m, d, best_roster_(m, d));
        model_.Fixed(m, d) = best_fixed_(m, d);
      }
    }
  }

  ImproveContext ctx_;
  ConditionModel& model_;
  CellExchange cells_;
  ScoreTally tally_;
  ImproveLimits limits_;
  int first_ = 1;
  float current_ = 0;
  float best_ = 0;
  std::vector<float> history_;
  IndexGrid<int> best_roster_;
  IndexGrid<int> best_fixed_;
  std::array<CellPair, kMaxCells> move_{};
  int size_ = 0;
};

}  // namespace

std::string ImproveStatusText(float score) {
  return std::string(kImproveStatusPrefix) + FormatScore(score, 2) +
         std::string(kImproveStatusSuffix);
}

ImproveOutcome ImproveSearch(ImproveContext ctx, const ImproveLimits& limits) {
  if (ctx.model.StartDay > ctx.model.DayCount || ctx.model.MemberCount < 2) {
    const float score = RosterScore(ctx.model);
    return ImproveOutcome{score, score, 0, false};
  }
  return Improver(ctx, limits).Run();
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
