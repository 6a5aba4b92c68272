#pragma once

#include <string_view>
#include <vector>

#include "exact/cbc_solve.h"
#include "exact/linear_model.h"

namespace tsumiki::bench {

// How the constraint search picks its next decision. Every kind tries 1 before 0,
// so a decision gives a member a duty and propagation takes the member's other
// duties of the day away.
enum class Branching {
  kColumns,    // the columns as built: member by member, day by day
  kDays,       // day by day, every member of a day before the next day
  kAfcLuby,    // the variable in the most failed constraints, restarts on a Luby
               // sequence of failure limits
  kActionLuby,  // the variable pruned most often lately, the same restarts
  kChbLuby,     // conflict-history based, the same restarts
};

// Parses "columns", "days", "afc", "action", "chb"; false for anything else.
bool ParseBranching(std::string_view name, Branching& out);
const char* BranchingName(Branching branching);

struct GecodeStatistics {
  unsigned long nodes = 0;
  unsigned long failures = 0;
  unsigned long restarts = 0;
};

// Solves a model of 0/1 columns with whole-number coefficients with Gecode on the
// calling thread: a BoolVar per column with its bounds, a linear constraint per
// row, the first solution only. `order` lists every column once in the order the
// kColumns and kDays branchings take them. kSolved means a solution, kInfeasible
// that the search was exhausted, kStopped the time limit or the flag.
// A model with other columns or fractional coefficients is refused (kStopped,
// `refused` set): the constraint model would not say what the rows say.
struct GecodeResult {
  exact::SolveResult solve;
  GecodeStatistics statistics;
  bool refused = false;
};
GecodeResult SolveWithGecode(const exact::LinearModel& lp, const std::vector<int>& order,
                             Branching branching, const exact::SolveLimits& limits);

}  // namespace tsumiki::bench
