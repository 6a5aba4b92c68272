#pragma once

#include <string>
#include <string_view>

#include "ui/index_array.h"

namespace tsumiki {

// A limit the planner left empty.
inline constexpr int kNoLimit = -1;

// The conditions beyond the staffing table and the schedule: how often a member
// takes each duty, how short a run of days off or of work days may be, how many
// weekends a member works, and the wishes and the desired staffing a month should
// meet where it can. All of it is optional; a model whose workbook states none of
// it has Any() false and every array holds "no condition".
struct ExtraConditions {
  IndexGrid<int> DutyLeast;  // (member, type): least count in the period, 0 = none
  IndexGrid<int> DutyMost;   // (member, type): most count, kNoLimit = none
  IndexArray<int> RestRunLeast;  // (member): shortest run of days off, 0/1 = none
  IndexArray<int> WorkRunLeast;  // (member): shortest run of work days, 0/1 = none
  // (member): longest run of work days, in place of 連続勤務上限; kNoLimit = the
  // workplace's, 0 = none.
  IndexArray<int> WorkRunMost;
  IndexArray<int> WeekendsMost;  // (member): most weekends worked, kNoLimit = none
  // (member): most days off, kNoLimit = exactly Member_DayOff's. Above it, the
  // member may work fewer days than the target, down to DayCount minus it.
  IndexArray<int> DayOffMost;
  // (day): the calendar weekend (1..WeekendCount) a Saturday or Sunday belongs to,
  // 0 on the other days. A weekend is the Saturday and the Sunday after it; the
  // period's edges may cut one to a single day.
  IndexArray<int> WeekendOf;
  int WeekendCount = 0;

  // (member, day): a wish that is no order. WishWeight 1..9, 0 = no wish; WishDuty
  // the duty type wished for, or kRestDay for a day off.
  IndexGrid<int> WishDuty;
  IndexGrid<int> WishWeight;
  // (type, day): staff the month should reach above the need, 0 = none; one
  // weight per duty type for each missing member.
  IndexGrid<int> DesiredStaff;
  IndexArray<float> DesiredWeight;
  // Weight of the balance score beside the wishes and the desired staffing.
  float ScoreWeight = 1.0f;

  // Where a hard limit's area lies in the workbook, so a message can send the
  // planner to the cell; top 0 when the model did not come from a workbook.
  struct AreaPlace {
    std::string sheet;
    int top = 0;
    int left = 0;
  };
  AreaPlace DutyLeastPlace, DutyMostPlace, RestRunPlace, WorkRunPlace, WeekendsPlace, DayOffPlace;

  bool HasHard = false;  // a count, run or weekend limit is set
  bool HasSoft = false;  // a wish or a desired staffing with a weight is set
  bool Any() const { return HasHard || HasSoft; }

  // Clears every condition, sized for the counts (member and day with one spare
  // element at each end, as the model's arrays).
  void Resize(int day_count, int type_count, int member_count);
  // Marks Saturdays and Sundays from the weekday of day 1 (0 = Sunday .. 6).
  void SetWeekends(int day_count, int first_weekday);
};

// "スケジュール!C5": cell (row, column) of an area, counted from 1 at its top left,
// or "スケジュール!C5:G5" up to `last_column` of the row; the area's name alone when
// its place is unknown.
std::string AreaCellLabel(const ExtraConditions::AreaPlace& place, std::string_view name, int row,
                          int column, int last_column = 0);

}  // namespace tsumiki
