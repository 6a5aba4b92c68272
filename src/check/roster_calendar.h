#pragma once

#include <string>

#include "check/roster_reading.h"

namespace tsumiki {

// What names a member's calendar besides the roster itself.
struct CalendarStamp {
  // The workplace as the staff know it (the workbook's file stem when the workbook
  // names none); part of the calendar's name and of every event's UID.
  std::string workplace;
  // DTSTAMP of every event: the moment of export, UTC, "20270105T083000Z".
  std::string dtstamp;
};

// One member's month as an iCalendar object (RFC 5545: CRLF line ends, lines
// folded at 75 octets): an all-day VEVENT per day with a duty type, its SUMMARY
// the duty's name and abbreviation, and the workplace, month and member in
// X-WR-CALNAME. The UID of a day's event is made of the workplace, the member's
// number and the date, so importing the next version of the month replaces the
// event instead of adding a second one. Needs labels.first_date; days with a rest
// or a code that is no duty type have no event.
std::string MemberCalendar(const ConditionModel& model, const MonthLabels& labels,
                           const CalendarStamp& stamp, int member);

// The file one member's calendar goes into: "<number>_<name>.ics", with the
// characters that cannot stand in a file name replaced by "_".
std::string MemberCalendarFileName(const ConditionModel& model, int member);

// "2027年1月": the month of the period's first day; empty without a date.
std::string MonthCaption(const MonthLabels& labels);

}  // namespace tsumiki
