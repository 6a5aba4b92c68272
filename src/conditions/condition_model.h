#pragma once

#include <array>
#include <string>

#include "conditions/extra_conditions.h"
#include "conditions/guarded.h"
#include "ui/index_array.h"

namespace tsumiki {

// Duty codes in the roster: 1..TypeCount a duty type, 0 a rest day, and AnyType
// for "*" (any duty type) in sequences and combinations. In masks, bit t-1 stands
// for type t, and AnyType (all ten bits) is a whole day off.
inline constexpr int kAnyType = 1023;
inline constexpr int kRestDay = 0;

// The layout's own limits, checked when the conditions are loaded.
inline constexpr int kMaxTypes = 10;
inline constexpr int kMaxPatterns = 11;
inline constexpr int kMaxComboRows = 16;
inline constexpr int kComboMembers = 20;
inline constexpr int kWeightCount = 12;
inline constexpr int kPrevMonthDays = 10;

// TypeTally column beyond the duty types.
inline constexpr int kTallyTotal = 11;  // all work days of the member

// One row of a combination table (組合せ禁止 / 組合せ必須).
struct ComboRule {
  int TypeIndex = 0;  // 1..TypeCount or kAnyType; 0 = empty row
  int Count = 0;      // column 2 of the row
  // Member numbers as entered in Member_List column 1 (not rows); positions 1..20,
  // 0 = empty position.
  std::array<int, kComboMembers + 1> Members{};
  bool operator==(const ComboRule&) const = default;
};

// The whole condition set in memory, rebuilt by LoadConditions before every
// creation pass and shared by the day filling, the optimisation and the
// readjustment. Every member and day array keeps one spare element at each end:
// member 0..MemberCount+1, day 0..DayCount+1. Day 0 of Roster is the last day of
// the previous month; day DayCount+1 always reads as a rest day.
struct ConditionModel {
  // --- Counts and run settings -------------------------------------------------
  int DayCount = 0;
  int TypeCount = 0;
  int MemberCount = 0;

  int CreateYear = 0;
  int CreateMonth = 0;
  int CreateStartDay = 0;
  int BaseStartDay = 0;
  int AttemptsPerDay = 0;
  float TimeLimitMinutes = 0;
  float ImproveSeconds = 2.0f;  // 改善時間; 0 = no improvement phase
  int StartDay = 1;

  // --- Arrays ------------------------------------------------------------------
  // Roster, Fixed, TypeTally and WorkDays change only through RosterWriter.
  Guarded<IndexGrid<int>> Roster;  // (member, day): duty type, 0 = none
  Guarded<IndexGrid<int>> Fixed;   // (member, day): reserved or sequence-fixed duty, 0 = free
  IndexGrid<int> PrevMonthTail;  // (member, j): duty j days before day 1, j = 1..10
  IndexGrid<int> NeedTable;      // (type, day): staff needed; row TypeCount+1 = day total
  IndexArray<std::string> TypeAbbrev;  // (type): short name
  IndexArray<int> NextDayBan;          // (type): mask of types barred on the next day
  IndexGrid<int> ForbiddenPatterns;    // (p = 1..11, slot 0..5): slot 0 = non-zero slots
  IndexGrid<int> RequiredPatterns;     // (p = 1..11, slot 0..2): slot 0 = non-zero slots
  IndexGrid<std::string> MemberInfo;   // (member, 1) number as entered, (member, 2) name
  Guarded<IndexGrid<int>> TypeTally;   // (member, type), column 11 total
  Guarded<IndexArray<int>> WorkDays;   // (member): work days in this period
  Guarded<IndexGrid<int>> PastTotals;  // (member, type), column 11 total: part of TypeTally
  IndexArray<int> WorkDayTarget;       // (member): DayCount minus the member's days off
  IndexGrid<int> DutyBanMask;          // (member, day): types the member may not take
  IndexArray<ComboRule> ForbiddenCombos;  // rows 1..ForbiddenComboCount
  IndexArray<ComboRule> RequiredCombos;   // rows 1..RequiredComboCount
  // Weights 1..12; not re-created by a load, so weights not read keep their value.
  IndexArray<float> OptimiseWeights{0, kWeightCount};
  IndexArray<int> MemberOrder;  // working order of the day filling
  IndexArray<float> DayKeys;    // working keys of the work-day adjustment

  // --- Scalars -----------------------------------------------------------------
  int MaxConsecWork = 0;  // 0 = no limit
  int MaxConsecRest = 0;  // 0 = no limit
  int ForbiddenPatternCount = 0;
  int RequiredPatternCount = 0;
  int ForbiddenComboCount = 0;
  int RequiredComboCount = 0;
  bool PreventSingleWork = false;
  bool WorkDayAdjust = true;
  bool WorkFocus = false;
  bool UsePrevMonth = false;

  // Counts per duty, runs, weekends, wishes and desired staffing (all optional).
  ExtraConditions Extra;

  // Re-creates every array from the three counts, clearing all elements
  // (OptimiseWeights excepted).
  void Resize(int day_count, int type_count, int member_count);
};

// The most work days in a row member m may take: the member's own Work_Run_Most
// where set, else 連続勤務上限; 0 = no limit.
inline int LongestWorkRun(const ConditionModel& model, int m) {
  const int own = model.Extra.WorkRunMost(m);
  return own == kNoLimit ? model.MaxConsecWork : own;
}

inline bool RunPastLongest(const ConditionModel& model, int m, int work_run) {
  const int longest = LongestWorkRun(model, m);
  return longest > 0 && work_run > longest;
}

// The fewest work days member m is to get: the target, or fewer where DayOff_Most
// lets the member take more days off; 0 for a member with neither set (a target
// of the whole month), whom no count binds from below.
int LeastWorkDays(const ConditionModel& model, int m);

}  // namespace tsumiki
