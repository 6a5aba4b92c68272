#include "optimise/optimise_search.h"

#include <algorithm>
#include <limits>

#include "optimise/move_check.h"
#include "optimise/score_text.h"
#include "optimise/work_day_adjust.h"
#include "roster/roster_change.h"
#include "roster/roster_score.h"
#include "roster/swap.h"
#include "roster/work_day_rules.h"

namespace tsumiki {

namespace {

// Times the day order is stirred per pass.
constexpr int kShuffleSwaps = 30;

// A position in first..last drawn from one random value; a value that rounds up to
// the end of the range stays inside it.
int DrawPosition(RandomSource& random, int first, int last) {
  const int count = last - first + 1;
  const int offset = static_cast<int>(static_cast<double>(count) * random.RandomValue());
  return first + std::clamp(offset, 0, count - 1);
}

}  // namespace

float ImproveMemberOnDay(const SearchContext& ctx, int m, int d, float best, RosterSheetCopy& sheet,
                         PassState& state) {
  ConditionModel& model = ctx.model;
  const int n = model.MemberCount;
  if (m >= n) return kNoImprovement;
  ScoreTally& tally = state.tally;
  const std::vector<int>& work_runs = state.WorkRuns(model, d);
  float candidate = best;
  int partner = 0;
  for (int j = m + 1; j <= n; ++j) {
    ctx.host.DoEvents();
    if (StopRequested(ctx.run, ctx.host.MonotonicMs())) break;
    if (model.Roster(m, d) == model.Roster(j, d)) continue;
    const int run_m = work_runs[static_cast<std::size_t>(m)];
    const int run_j = work_runs[static_cast<std::size_t>(j)];
    // The work-run limit refuses this exchange whatever the codes: spare the swap.
    if (RunPastLongest(model, m, run_m) || RunPastLongest(model, j, run_j)) continue;
    SwapDuties(model, m, j, d);
    const bool acceptable = SwapCheckWithWorkRuns(model, m, j, d, SwapRule::kWithWorkDayTarget,
                                                  run_m, run_j) == kRuleAccept;
    if (acceptable) {
      const float score = tally.ScoreAfterSwap(model, m, j, d);
      if (score < candidate) {
        candidate = score;
        partner = j;
      }
    }
    SwapDuties(model, j, m, d);
  }
  if (partner == 0 || !(candidate < best)) return kNoImprovement;
  SwapDuties(model, m, partner, d, &sheet);
  tally.Swapped(model, m, partner, d);
  CheckAcceptedMove(model, tally.Score(), "the optimisation pass");
  return candidate;
}

float OptimisePass(const SearchContext& ctx, int k, int last_day) {
  ConditionModel& model = ctx.model;
  const int first = model.StartDay;
  // Wishes and desired staffing can weigh more than any balance score: the first
  // acceptable swap is then taken from above every objective.
  float best_score = model.Extra.HasSoft ? std::numeric_limits<float>::max() : kStartScore;

  IndexArray<int> order(0, std::max(last_day, first) + 1);
  for (int p = first; p <= last_day; ++p) order(p) = p;
  if (last_day >= first) {
    for (int s = 0; s < kShuffleSwaps; ++s) {
      const int i = DrawPosition(ctx.random, first, last_day);
      const int j = DrawPosition(ctx.random, first, last_day);
      std::swap(order(i), order(j));
    }
  }

  RosterSheetCopy sheet(ctx.book);
  PassState state(model);
  for (int p = first; p <= last_day; ++p) {
    ctx.host.DoEvents();
    const int d = order(p);
    if (StopRequested(ctx.run, ctx.host.MonotonicMs())) break;
    for (int m = 1; m <= model.MemberCount; ++m) {
      const float c = ImproveMemberOnDay(ctx, m, d, best_score, sheet, state);
      if (c != kNoImprovement && c < best_score) {
        best_score = c;
        ctx.Progress().BestScore(best_score);
      }
      // The partner loop has seen the abort already; the other members need not
      // each look again.
      if (StopRequested(ctx.run, ctx.host.MonotonicMs())) break;
    }
    ctx.Progress().StepDone((k - 1) * model.DayCount + p);
  }
  sheet.WriteBack();
  return RoundScore(best_score);
}

void Optimise(const SearchContext& ctx, int /*first_argument*/, int passes, int last_day) {
  if (ctx.run.AbortRequested) return;
  ctx.book.SetAppState({.screen_updating = true, .automatic_calculation = false, .events = false});
  ctx.Progress().OptimiseStarted(passes * last_day);

  float previous = kStartScore;
  bool going_on = true;
  int passes_done = 0;
  do {
    const int k = passes_done + 1;
    const float result = OptimisePass(ctx, k, last_day);
    if (result == previous) going_on = false;
    if (WorkDayShortfall(ctx.model) > 0 && ctx.run.RosterComplete) {
      AdjustWorkDays(ctx.Adjust(), /*strict=*/true);
      AdjustWorkDays(ctx.Adjust(), /*strict=*/false);
    }
    passes_done = ctx.run.AbortRequested ? passes : k;
    previous = result;
  } while (passes_done < passes && going_on);

  // Automatic and back to manual: the workbook recalculates once.
  ctx.book.SetAppState({.screen_updating = true, .automatic_calculation = true, .events = false});
  ctx.book.SetAppState({.screen_updating = true, .automatic_calculation = false, .events = false});
  ctx.Progress().OptimiseEnded();
}

}  // namespace tsumiki
