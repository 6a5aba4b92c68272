#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "conditions/condition_model.h"
#include "conditions/run_state.h"
#include "optimise/local_search/search_parameters.h"
#include "optimise/local_search/termination.h"
#include "optimise/repair_search.h"
#include "optimise/search_context.h"

namespace tsumiki {

// Status text while the open places of a month are being filled:
// kOpenSlotStatusPrefix + places still open + kOpenSlotStatusSuffix.
inline constexpr std::string_view kOpenSlotStatusPrefix = "未配置 ";
inline constexpr std::string_view kOpenSlotStatusSuffix = " 枠を調整中";

std::string OpenSlotStatusText(int open);

// The hard violations of staffing on days StartDay..DayCount: every place a duty
// is staffed below NeedTable, and every member above the need on a type that may
// not be added to reach targets (the last type, when there are several).
int OpenSlotCount(const ConditionModel& model);

// A duty of a day staffed below the need, and by how many.
struct OpenPlace {
  int day = 0;
  int type = 0;
  int missing = 0;
};
// Every such place of days StartDay..DayCount, day by day and type by type.
std::vector<OpenPlace> OpenPlaces(const ConditionModel& model);

// The first of OpenPlaces; DaySlot{} when there is none.
DaySlot FirstOpenSlot(const ConditionModel& model);

struct OpenSlotOutcome {
  int open = 0;            // OpenSlotCount at the end
  std::int64_t steps = 0;  // steps tried
  bool stopped = false;    // ended by an abort, the run's time limit or the deadline
};

// A local search over days StartDay..DayCount of a month that the day filling left
// with open places. The cost is the open places plus the work days members miss,
// weighted far above RosterScore, plus the score; the search ends when no place is
// open. Moves: a resting member put into an open place (with the duty a required
// sequence puts after it, when that place is open too); ejection chains that carry
// a hole on, each link putting a member into it and opening the cell the member
// left (a duty of another day, or another duty of the same day), closed by a member
// who may take the last hole; and the repair search's exchanges of blocks and of
// two days between members. Late acceptance whose history starts anew at each
// hard violation less. No member goes above the work-day target
// and no kept move breaks a rule of RepairRules; reserved cells never move. Every
// change goes through the change path, so TypeTally and WorkDays stay in step; the
// sheet is not touched.
OpenSlotOutcome OpenSlotSearch(RepairContext ctx, const Termination& limits,
                               const OpenSlotParameters& params = {});

// The driver's entry: runs OpenSlotSearch within its budget of steps (ended sooner
// by the deadline or an abort) and writes the month into Time_Table once. True
// when no place is open any more.
bool CloseOpenSlots(const SearchContext& ctx, const IndexGrid<int>& reserved,
                    std::int64_t deadline_ms);

}  // namespace tsumiki
