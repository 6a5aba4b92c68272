#pragma once

#include <string>

#include "conditions/condition_model.h"

namespace tsumiki {

// Where a change of the roster writes the cells it changed: Time_Table itself or a
// pass's copy of it (RosterSheetCopy).
class RosterCells {
 public:
  virtual ~RosterCells() = default;
  // The cell of member m on day d; an empty text is a rest day.
  virtual void Set(int m, int d, const std::string& text) = 0;
};

// The one way to change the roster. Each operation keeps TypeTally (the duty types
// and the total) and WorkDays equal to the past totals plus a count of Roster, and
// writes the cells it changed to `sheet` when one is given.

// Member m's duty on day d becomes `type` (0: none), whatever stood there.
void SetDuty(ConditionModel& model, int m, int d, int type, RosterCells* sheet = nullptr);
// Places duty `type` (1..TypeCount) in member m's free cell of day d.
void PlaceDuty(ConditionModel& model, int m, int d, int type, RosterCells* sheet = nullptr);
// Clears member m's cell of day d.
void RemoveDuty(ConditionModel& model, int m, int d, RosterCells* sheet = nullptr);
// Exchanges the duties of members a and b on day d. Calling it twice with the same
// arguments restores everything; the day's staffing never changes.
void SwapDuties(ConditionModel& model, int a, int b, int d, RosterCells* sheet = nullptr);

// As SwapDuties, with the cells' Fixed marks exchanged too: the searches move a
// fixed cell with its mark.
void ExchangeCells(ConditionModel& model, int a, int b, int d);
// Member m's cell of day d gets the Fixed mark `type` (0: none): a required
// sequence's cell or a reservation, which the swaps leave alone. The duty and the
// tallies stay as they are.
void SetFixedMark(ConditionModel& model, int m, int d, int type);

// The day filling writes a day's cells itself and the day is counted once it
// succeeds: member m's cell of day d, for which the tallies still count `counted`
// (0: nothing), is counted as what it holds now.
void CountFilledCell(ConditionModel& model, int m, int d, int counted);
// Counts the duties of days first..last, which the tallies do not count yet (the
// reservations the load placed), on top of what the tallies hold.
void CountDays(ConditionModel& model, int first, int last);
// The tallies become a count of days 1..DayCount alone, the past totals left out:
// the month judged on its own.
void RecountMonth(ConditionModel& model);

}  // namespace tsumiki
