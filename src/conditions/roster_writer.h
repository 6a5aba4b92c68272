#pragma once

#include <string>

#include "conditions/condition_model.h"

namespace tsumiki {

// One day's Roster and Fixed columns, members 0..MemberCount+1, saved and put back
// together, so that an attempt that failed leaves no stale Fixed marks behind.
struct DayColumn {
  IndexArray<int> roster;
  IndexArray<int> fixed;
};
DayColumn SaveDayColumn(const ConditionModel& model, int d);

// Where TypeTally or WorkDays differ from the past totals plus a count of days
// 1..DayCount (the first difference, in words for a developer); empty when they
// agree. O(N * (D + T)).
std::string TallyDrift(const ConditionModel& model);

// The change path: the callers that RosterWriter lets write, each defined and
// documented in its own layer, declared here so that the writer can name them.
class RosterCells;
struct EngineContext;
struct LoadContext;
struct LoadResult;
// The roster's changes (roster/roster_change.h).
void SetDuty(ConditionModel& model, int m, int d, int type, RosterCells* sheet);
void SwapDuties(ConditionModel& model, int a, int b, int d, RosterCells* sheet);
void ExchangeCells(ConditionModel& model, int a, int b, int d);
void SetFixedMark(ConditionModel& model, int m, int d, int type);
void CountFilledCell(ConditionModel& model, int m, int d, int counted);
void CountDays(ConditionModel& model, int first, int last);
void RecountMonth(ConditionModel& model);
// The load's past totals, reservations and previous month (conditions/load_steps.h).
namespace load_steps {
void ReadPastTotals(LoadContext& ctx);
void PlaceReservations(LoadContext& ctx);
void ReadPrevMonth(LoadContext& ctx);
}  // namespace load_steps
// The day filling putting a failed attempt back (creation/day_filling.h).
void RestoreDayColumn(ConditionModel& model, int d, const DayColumn& saved);
// The month on the sheet read to be judged (check/roster_reading.h).
LoadResult ReadRosterAsItStands(EngineContext& ctx);
// The tests' own scenes (tests/support/roster_edit.h).
namespace testing {
struct RosterEdit;
}  // namespace testing

// The only code that writes Roster, Fixed, TypeTally and WorkDays, and only for
// the callers of the change path named below: a write anywhere else does not
// compile. The counted operations keep TypeTally (the duty types and the total) and
// WorkDays equal to the past totals plus a count of Roster. The day filling drafts
// a day uncounted, cell by cell, and has it counted once the day stands
// (CountCell); the load writes the reservations and the previous month's last day
// the same way.
class RosterWriter {
 public:
  RosterWriter() = delete;

 private:
  friend void tsumiki::SetDuty(ConditionModel&, int, int, int, RosterCells*);
  friend void tsumiki::SwapDuties(ConditionModel&, int, int, int, RosterCells*);
  friend void tsumiki::ExchangeCells(ConditionModel&, int, int, int);
  friend void tsumiki::SetFixedMark(ConditionModel&, int, int, int);
  friend void tsumiki::CountFilledCell(ConditionModel&, int, int, int);
  friend void tsumiki::CountDays(ConditionModel&, int, int);
  friend void tsumiki::RecountMonth(ConditionModel&);
  friend void load_steps::ReadPastTotals(LoadContext&);
  friend void load_steps::PlaceReservations(LoadContext&);
  friend void load_steps::ReadPrevMonth(LoadContext&);
  friend void tsumiki::RestoreDayColumn(ConditionModel&, int, const DayColumn&);
  friend LoadResult tsumiki::ReadRosterAsItStands(EngineContext&);
  // The day filling writing a cell of the day it drafts (creation/day_filling.cpp),
  // declared nowhere else, so that no other file can call it.
  friend void DraftCell(ConditionModel&, int, int, int, bool);
  friend struct testing::RosterEdit;

  // Member m's duty on day d becomes `type` (0: none), counted.
  static void SetDuty(ConditionModel& model, int m, int d, int type);
  // Exchanges the duties of members a and b on day d, counted; the day's staffing
  // never changes.
  static void SwapDuties(ConditionModel& model, int a, int b, int d);

  // Writes a cell without counting it: a day being drafted, a reservation, day 0,
  // or a month read to be judged rather than changed.
  static void WriteUncounted(ConditionModel& model, int m, int d, int type);
  // A drafted cell that begins or continues a required sequence: Roster and Fixed
  // both become `type`, uncounted.
  static void WriteFixedUncounted(ConditionModel& model, int m, int d, int type);
  // Puts a saved day back, uncounted.
  static void RestoreDay(ConditionModel& model, int d, const DayColumn& saved);
  // Member m's cell of day d, for which the tallies still count `counted` (0:
  // nothing), is counted as what it holds now.
  static void CountCell(ConditionModel& model, int m, int d, int counted);
  // Counts days first..last, which the tallies do not count yet, on top of what
  // they hold.
  static void CountDays(ConditionModel& model, int first, int last);
  // The tallies become a count of days 1..DayCount alone, the past totals dropped.
  static void RecountMonth(ConditionModel& model);

  // Fixed marks: a reservation or a required sequence's cell, which the swaps leave
  // alone.
  static void SetFixed(ConditionModel& model, int m, int d, int type);
  static void SwapFixed(ConditionModel& model, int a, int b, int d);

  // Column `column` (a duty type or kTallyTotal) of member m's past totals, which
  // the month's duties are counted on top of; TypeTally moves with it.
  static void SetPastTotal(ConditionModel& model, int m, int column, int value);

  static void Count(ConditionModel& model, int m, int type, int delta);
};

}  // namespace tsumiki
