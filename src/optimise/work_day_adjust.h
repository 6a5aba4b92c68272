#pragma once

#include <string_view>

#include "conditions/condition_model.h"
#include "optimise/search_context.h"

namespace tsumiki {

// Status text while members are topped up to their work-day targets.
inline constexpr std::string_view kAdjustingStatus = "勤務日数調整中";

// The days StartDay..DayCount ordered from the least to the most over-staffed
// (staff on duty minus the day's total need); among equal surplus a day with a
// duty below its desired staffing comes first, then the earlier day. Entries
// 1..DayCount-StartDay+1 of `order` are filled; the keys are kept in model.DayKeys.
void DaysBySurplus(ConditionModel& model, IndexArray<int>& order);

// Gives members short of their work-day target extra duties on their rest days,
// least over-staffed days first, each added duty written into Time_Table at once.
// The strict form only fills rest days that leave no single work or rest day
// behind. Runs only with 勤務日数調整 on, no abort requested, and the sheet's rest
// deviation (休み偏差, 休み増減計) not both 0. Returns WorkDayShortfall afterwards,
// or 0 when it did not run.
int AdjustWorkDays(const AdjustContext& ctx, bool strict);

}  // namespace tsumiki
