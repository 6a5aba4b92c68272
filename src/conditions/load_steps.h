#pragma once

#include <string_view>

#include "conditions/loader.h"

// The steps of LoadConditions, in the order it runs them. Steps that validate
// return false after they have put what to fix into ctx.refusal. Workbook reads
// throw workbook::WorkbookError, which LoadConditions reports.
namespace tsumiki::load_steps {

// Shows a status text with the default colours ("" hides the window).
void Status(LoadContext& ctx, std::string_view text);
// The refusal that ends the load (shown with OK only, no icon); the status window
// is hidden first so it does not stand over the message.
void Report(LoadContext& ctx, std::string_view text, std::string_view title);

// Every range the counts size (members, days, duty types) holds them: throws
// workbook::WorkbookError naming the first range too small. Ranges sized by a
// count read later (sequences, combinations) are checked by their steps.
void CheckRangeSizes(LoadContext& ctx);
// Next-day bans, limits, sequences, flags, status position, weights.
void ReadBasicSettings(LoadContext& ctx);
// Duty tallies of the past three months, when they are to be used.
void ReadPastTotals(LoadContext& ctx);
// Member numbers and names and their checks, day bans, work-day targets.
bool ReadMembers(LoadContext& ctx);
// Staff needed per duty type and day.
void ReadStaffing(LoadContext& ctx);
// Forbidden and required member combinations.
bool ReadCombos(LoadContext& ctx);
// Reserved duties from StartDay on into Roster, Fixed, the tallies and the sheet.
void PlaceReservations(LoadContext& ctx);
// Sequences that a next-day ban or a forbidden pair bars, reservations on
// consecutive days that a ban or a required sequence bars: told with both cells.
bool CheckContradictions(LoadContext& ctx);
// The previous month's last ten days.
void ReadPrevMonth(LoadContext& ctx);

}  // namespace tsumiki::load_steps
