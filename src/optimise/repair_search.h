#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "conditions/condition_model.h"
#include "conditions/run_state.h"
#include "optimise/search_context.h"
#include "ui/host.h"
#include "ui/random.h"

namespace tsumiki {

// Status text while the repair search places missing work days:
// kRepairStatusPrefix + days still missing + kRepairStatusSuffix; while it also
// mends the optional limits, kMendStatusPrefix + what is left + kMendStatusSuffix.
inline constexpr std::string_view kRepairStatusPrefix = "勤務日数を補充中（残り";
inline constexpr std::string_view kRepairStatusSuffix = "日）";
inline constexpr std::string_view kMendStatusPrefix = "勤務日数と回数・連続日数の条件を調整中（残り";
inline constexpr std::string_view kMendStatusSuffix = "）";

std::string RepairStatusText(int missing_days, bool mending = false);

// What the repair search works with: the model and the run, the host for events,
// the clock and the status text, and the run's random generator.
struct RepairContext {
  ConditionModel& model;
  Host& host;
  RunState& run;
  RandomSource& random;
  // The reservations of the load. Other cells of Fixed hold duties a required
  // sequence fixed during the day filling: those may move, and Fixed moves with them.
  const IndexGrid<int>& reserved;
  int status_position = 0;
};

struct RepairLimits {
  std::int64_t deadline_ms = 0;        // Host::MonotonicMs() at which the search gives up
  std::int64_t max_steps = 4'000'000;  // moves tried at most
  // The optional hard limits (least counts, shortest runs, most counts, weekends)
  // counted with the missing days instead of kept by every move: the day filling
  // cannot promise them, and moves that must keep them cannot walk away from a
  // month that misses them.
  bool mend_extra_limits = false;
};

struct RepairOutcome {
  int missing = 0;         // WorkDayShortfall at the end (with the limits' breaches, mending them)
  std::int64_t steps = 0;  // moves tried
  bool stopped = false;    // ended by an abort or the deadline
};

// A local search over days StartDay..DayCount of a complete month that places the
// work days members still miss (WorkDayShortfall) without ever taking a member
// beyond the target. Moves: a duty on a short member's rest day (over-staffing,
// only on the types the work-day adjustment may add), the exchange of two members'
// cells on one day, and the exchange of a work day and a rest day between two
// members over two days; late acceptance over the missing days, ties accepted, so
// chains of neutral moves walk the plateau. Mending the optional limits, it also
// places a whole work run on a short member's days off, and a day it adds never
// breaks one of those limits. Every kept move holds the rules of RepairRules
// (without those limits where it mends them); reserved cells never move. Roster, TypeTally and WorkDays stay in
// step; the sheet is not touched. Lets events run every few hundred moves and
// stops at an abort or the deadline.
RepairOutcome RepairSearch(RepairContext ctx, const RepairLimits& limits);

// The driver's entry: runs RepairSearch with the deadline and writes the month
// into Time_Table once. True when no work day is missing any more.
bool RepairWorkDays(const SearchContext& ctx, const IndexGrid<int>& reserved,
                    std::int64_t deadline_ms);

// The driver's entry for a filled month with optional hard limits: runs
// RepairSearch mending them with the missing days and writes the month once.
// True when every such limit holds and no work day is missing.
bool MendExtraLimits(const SearchContext& ctx, const IndexGrid<int>& reserved,
                     std::int64_t deadline_ms);

}  // namespace tsumiki
