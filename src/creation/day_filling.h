#pragma once

#include "conditions/condition_model.h"
#include "conditions/engine_context.h"
#include "conditions/roster_writer.h"
#include "conditions/run_state.h"
#include "ui/host.h"
#include "ui/index_array.h"
#include "ui/random.h"

namespace tsumiki {

// What filling one day works on. Randomness comes only from `random`: the member
// order (ShuffleOrder) and the order in which the duty types are filled.
struct DayFillContext {
  ConditionModel& model;
  RunState& run;  // FailedSlot is written here
  RandomSource& random;
  const Host& host;  // clock for ShuffleOrder's reseeding

  static DayFillContext From(EngineContext& engine) {
    return DayFillContext{engine.model, engine.run, engine.random, engine.host};
  }
};

// How an attempt at a day ended.
enum class DayResult { kFilled, kFailed };

// Fills day d so that every duty type gets the staff NeedTable asks for:
// required sequences from yesterday first, then required combinations, then up to
// ten attempts with a random order of duty types.
//
// After kFailed the day's Roster and Fixed columns are exactly as they were on
// entry: a failed call leaves nothing behind. Only column d of Roster and Fixed changes;
// the tallies (TypeTally, WorkDays) are the caller's to update.
DayResult TryDay(DayFillContext& ctx, int d);

// The day filling that goes on when TryDay could not fill day d: the same steps,
// but a place nobody can take is left open and the filling goes on with the next
// type. Of up to ten random type orders the fill that leaves the fewest places
// open is kept (the first of them on a tie). Returns the places left open. Only
// column d of Roster and Fixed changes; the tallies are the caller's to update.
int FillDayLeavingOpen(DayFillContext& ctx, int d);

// Fills the remaining need of day d type by type in `order` (entries 1..TypeCount).
// On failure sets run.FailedSlot to (d, type) and returns false.
bool FillDayInOrder(DayFillContext& ctx, const IndexArray<int>& order, int d);

// The member who takes one more place of duty t on day d (already written into
// Roster when the duty began a required sequence), or 0 when nobody can.
int PickMember(DayFillContext& ctx, int d, int t);

// What the required combination of duty t asks of day d.
struct ForcedPick {
  enum class Kind {
    kNoneNeeded,  // the combination needs nobody more on d (or t has none)
    kMember,      // `member`, the first listed in ranking order that may take t
    kNoneAllowed  // members are still lacking but none of the listed may take t
  };
  Kind kind = Kind::kNoneNeeded;
  int member = 0;
};
ForcedPick ForcedChoice(const ConditionModel& model, int d, int t);

// Puts back a day saved by SaveDayColumn, uncounted as the day filling drafts it.
void RestoreDayColumn(ConditionModel& model, int d, const DayColumn& saved);

}  // namespace tsumiki
