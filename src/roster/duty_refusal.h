#pragma once

#include <string>
#include <string_view>

#include "conditions/condition_model.h"

namespace tsumiki {

// Why member m may not take duty t on day d. The rules follow one another in the
// order below; kNone means the member could take the duty.
enum class DutyRefusal {
  kNone,
  kOnThisDuty,          // already holds t that day
  kOnOtherDuty,         // already holds another duty that day
  kDayOffRequest,       // 休み希望: the whole day is barred
  kDutyBan,             // その日の勤務不可 for t
  kNextDayBan,          // yesterday's duty bars t today
  kForbiddenPattern,    // t would complete a forbidden sequence
  kNextDayReservation,  // t bars the duty reserved for tomorrow
  kForbiddenCombo,      // t would complete a forbidden combination
  kConsecutiveLimit,    // the work run would pass 連続勤務上限
  kOwnLongestRun,       // the work run would pass the member's own 連勤の最長
  kExtraLimit,          // a most count, the weekends or the shortest run of days off
  kTargetReached,       // the member's work days have reached the target
  kRequiredPattern,     // the required sequence that t begins cannot be laid
};

// The first rule that refuses member m duty t on day d, given the roster as it
// stands. The model is not changed (the required-sequence test runs on a copy).
DutyRefusal FirstRefusal(const ConditionModel& model, int m, int d, int t);

// The first refusals of FirstRefusal, which only the cell itself and the member's
// requests and bans decide: the cell taken, a day-off request, a duty ban. kNone
// when none of them refuses.
DutyRefusal CellOrRequestRefusal(const ConditionModel& model, int m, int d, int t);

// The Japanese reason of a refusal; `held` is the abbreviation of the duty the
// member holds that day (used by kOnOtherDuty).
std::string RefusalText(DutyRefusal refusal, std::string_view held = {});

// "3月5日": the calendar date of roster day d.
std::string RosterDayText(const ConditionModel& model, int d);

// For day d and duty t: a heading, then one line per member with the first rule
// that refuses them, or that they could take it.
std::string ExplainDayDuty(const ConditionModel& model, int d, int t);

}  // namespace tsumiki
