#pragma once

#include <filesystem>
#include <string>

#include "check/roster_calendar.h"
#include "check/roster_reading.h"
#include "check/roster_totals.h"

namespace tsumiki {

// The month handed to the staff, the same from the command line and the desktop
// program: calendars for each member, and the page of the whole month. Neither
// ever writes over `workbook`, the file the month was read from.

// The workbook names no workplace; the name the planner gave its file stands in.
std::string WorkplaceOf(const std::filesystem::path& workbook);

// The present moment as DTSTAMP writes it ("20270105T083000Z").
std::string UtcStampNow();

struct CalendarExport {
  int written = 0;
  std::string error;  // empty, or the Japanese reason the export stopped
};

// One calendar file per listed member (a row with a number or a name), or for
// member row `only` alone when it is not 0, into `folder`, which is made when
// missing. Stops at the first file that cannot be written.
CalendarExport WriteMemberCalendars(const ConditionModel& model, const MonthLabels& labels,
                                    const CalendarStamp& stamp, const std::filesystem::path& folder,
                                    int only, const std::filesystem::path& workbook);

// The month's page into `file`; an empty text, or why it could not be written.
std::string WriteRosterPage(const ConditionModel& model, const MonthLabels& labels,
                            const RosterTotals& totals, const std::filesystem::path& file,
                            const std::filesystem::path& workbook);

// Reported after WriteMemberCalendars; {0}: the folder, {1}: how many files.
inline constexpr std::string_view kCalendarsWritten =
    "「{0}」に {1} 人分の予定表（.ics）を書き出しました。";
inline constexpr std::string_view kCalendarExportTitle = "予定表の書き出し";
inline constexpr std::string_view kPageExportTitle = "ページの書き出し";

}  // namespace tsumiki
