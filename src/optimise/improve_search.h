#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "conditions/condition_model.h"
#include "conditions/run_state.h"
#include "optimise/repair_search.h"
#include "optimise/search_context.h"
#include "ui/host.h"
#include "ui/random.h"

namespace tsumiki {

// Status text while the improvement search runs: kImproveStatusPrefix + the best
// score so far ("0.00") + kImproveStatusSuffix.
inline constexpr std::string_view kImproveStatusPrefix = "改善中（スコア ";
inline constexpr std::string_view kImproveStatusSuffix = "）";

std::string ImproveStatusText(float score);

// The improvement search works with what the repair search works with.
using ImproveContext = RepairContext;

// Moves the search may try per second of 改善時間. The budget is counted in moves,
// not read off the clock, so that a seeded run repeats exactly; a machine of today
// tries this many in well under a second, and the clock (the budget itself and the
// run's deadline) only ends a search on a much slower one.
inline constexpr double kMovesPerSecond = 1'500'000.0;
std::int64_t MoveBudget(float seconds);

struct ImproveLimits {
  std::int64_t deadline_ms = 0;  // Host::MonotonicMs() at which the search ends
  // Moves tried at most, and moves tried without a new best month: the search ends
  // at the first limit it meets, so a fast machine repeats a seeded run exactly.
  std::int64_t max_steps = 3'000'000;
  std::int64_t stall_steps = 150'000;
};

struct ImproveOutcome {
  float before = 0;  // the score of the month the search was given
  float after = 0;   // the score of the month it leaves (the best found)
  std::int64_t steps = 0;
  bool stopped = false;  // ended by an abort or the run's deadline
};

// A late-acceptance search over days StartDay..DayCount of a month whose work-day
// targets are all met (or, from the exact model, whose members are within their
// ranges of days off), that lowers MonthObjective. Moves: the exchange of two
// members' different duties on one day, the exchange of a work day and a rest day
// between two members over two days, the exchange of a block of days, a work day
// passed round three members, a duty staffed above the need moved by its member to
// another day that needs it (in a month with desired staffing, chiefly to a day
// below it), and two such moves made together. A move is kept
// only when every rule of RepairRules still holds and every member with a
// day-off count is still at the target (one below it no further below). The best month found is put back at the
// end, whatever ended the search; Roster, Fixed, TypeTally and WorkDays stay in
// step; the sheet is not touched. Lets events run every few hundred moves.
ImproveOutcome ImproveSearch(ImproveContext ctx, const ImproveLimits& limits);

// The driver's entry: runs ImproveSearch for `seconds` (ended sooner by the run's
// deadline or an abort) and writes a changed month into Time_Table once.
ImproveOutcome ImproveRoster(const SearchContext& ctx, const IndexGrid<int>& reserved,
                             float seconds);

}  // namespace tsumiki
