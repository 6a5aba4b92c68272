#pragma once

#include "exact/cbc_solve.h"
#include "exact/linear_model.h"

namespace tsumiki::exact {

// Solves one model; SolveInChild in a run, SolveWithCbc where no child is wanted.
using ModelSolver = SolveResult (*)(const LinearModel&, const SolveLimits&);

// Finds a solution of a model without costs part by part. Rows that always hold
// are left out, and so are rows that a column of their own can always settle
// (a shortfall column that appears in no other row); what is left falls into
// parts that share no column, and each part is solved alone. A workplace where
// every member's month depends on the others' (any staffing above zero) is one
// part and is solved whole, exactly as `solve` would; one whose members are
// bound only by wishes and desired staffing is as many small models as members,
// which CBC solves at once where the whole model can take minutes.
//
// The settling columns are given the value nearest 0 that makes their row hold.
// kInfeasible when one part is; kStopped (no values) when one part is stopped.
SolveResult SolveByParts(const LinearModel& lp, const SolveLimits& limits, ModelSolver solve);

}  // namespace tsumiki::exact
