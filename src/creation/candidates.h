#pragma once

#include "conditions/condition_model.h"
#include "ui/index_array.h"

namespace tsumiki {

// Columns of a candidate table (rows 1..n).
inline constexpr int kCandMember = 1;   // member row
inline constexpr int kCandWorkRun = 2;  // work run ending yesterday (WorkRunBefore - 1)
inline constexpr int kCandOffRun = 3;   // days-off run ending yesterday (OffRunBefore - 1)
inline constexpr int kCandBalance = 4;  // balance score
inline constexpr int kCandRanked = 5;   // balance score plus the pattern bonus
inline constexpr int kCandColumns = 5;

// One row per candidate, columns 1..5 as above.
using CandidateTable = IndexGrid<int>;

// A table of `rows` candidates with every column 0.
CandidateTable MakeCandidateTable(int rows);

// Fills columns 2..5 of rows 1..n for duty t on day d. Members with fewer work
// days, then fewer turns of t, score higher; the bonus (used when WorkFocus is
// on) favours closing a lone work day, avoids leaving a lone day off, and favours
// members whose next days are whole days off.
void RankCandidates(const ConditionModel& model, CandidateTable& table, int n, int d, int t);

// Sorts rows first..first+count-1 in descending order of column `key`, moving
// columns 1..columns of a row together; rows with equal keys keep their order.
void SortCandidates(CandidateTable& table, int columns, int key, int first, int count);

// Rows 1..n sorted by column `key` already: among rows of equal key, a member who
// wished duty t on day d comes first and one who wished the day off last, each
// group in the order it had. Nothing changes in a model without wishes or desired
// staffing. Overwrites column kCandWorkRun.
void PreferWishes(const ConditionModel& model, CandidateTable& table, int n, int d, int t,
                  int key);

}  // namespace tsumiki
