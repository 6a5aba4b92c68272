#pragma once

#include "optimise/pass_state.h"
#include "optimise/search_context.h"
#include "roster/roster_sheet.h"

namespace tsumiki {

// The score a pass starts from, above any real balance score: the first acceptable
// swap of a pass is applied whatever it does to the score. A month with wishes or
// desired staffing starts from the largest float instead.
inline constexpr float kStartScore = 999.0f;
// What ImproveMemberOnDay returns when it applied no swap.
inline constexpr float kNoImprovement = 65535.0f;

// Tries every later member as a swap partner of member m on day d and applies the
// swap with the lowest score, if that beats `best` (ties go to the lowest-numbered
// partner). Lets events run before each partner and stops at an abort. The two
// changed cells are written into the sheet copy. Candidates are scored by the
// state's tally, which must hold the roster as it stands and is kept in step with
// every swap. Returns the new score, or kNoImprovement.
float ImproveMemberOnDay(const SearchContext& ctx, int m, int d, float best, RosterSheetCopy& sheet,
                         PassState& state);

// One greedy pass over the days StartDay..last_day in a shuffled order, with the
// members in list order. Reads Time_Table once and writes it back once, also after
// an abort. `k` is the pass number (for the steps reported). Returns the pass's
// best score cut to three decimals.
float OptimisePass(const SearchContext& ctx, int k, int last_day);

// Up to `passes` passes (stopping early when a pass ends on the same score as the
// one before, or at an abort), with the work-day adjustment after each pass while
// members are short and the roster is complete. Reports its progress to
// ctx.Progress(). `first_argument` has no effect; callers pass 1.
void Optimise(const SearchContext& ctx, int first_argument, int passes, int last_day);

}  // namespace tsumiki
