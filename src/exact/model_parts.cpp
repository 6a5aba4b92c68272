#include "exact/model_parts.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <vector>

namespace tsumiki::exact {

namespace {

// The least and the most a row's terms can add up to within the column bounds.
struct Range {
  double least = 0;
  double most = 0;
};

Range TermRange(const LinearModel& lp, const Row& row, int skipped_column) {
  Range range;
  for (const auto& [column, coefficient] : row.terms) {
    if (column == skipped_column) continue;
    const Column& c = lp.Columns()[static_cast<std::size_t>(column)];
    range.least += std::min(coefficient * c.lower, coefficient * c.upper);
    range.most += std::max(coefficient * c.lower, coefficient * c.upper);
  }
  return range;
}

bool Whole(double value) { return std::isfinite(value) && value == std::floor(value); }
bool WholeOrOpen(double value) { return !std::isfinite(value) || Whole(value); }

// A row settled by a column of its own: whatever the other terms add up to, a
// whole value of `column` within its bounds makes the row hold.
struct Settled {
  std::size_t row = 0;
  int column = -1;
};

// The column, found in no other row, that can settle `row`, or -1.
int SettlingColumn(const LinearModel& lp, const Row& row, const std::vector<int>& uses) {
  for (const auto& [column, coefficient] : row.terms) {
    if (uses[static_cast<std::size_t>(column)] != 1 || std::abs(coefficient) != 1) continue;
    const Column& own = lp.Columns()[static_cast<std::size_t>(column)];
    const bool whole = std::all_of(row.terms.begin(), row.terms.end(),
                                   [](const auto& term) { return Whole(term.second); }) &&
                       WholeOrOpen(row.lower) && WholeOrOpen(row.upper) && Whole(own.lower) &&
                       WholeOrOpen(own.upper);
    if (!whole) continue;
    const Range others = TermRange(lp, row, column);
    const double least = std::min(coefficient * own.lower, coefficient * own.upper);
    const double most = std::max(coefficient * own.lower, coefficient * own.upper);
    if (least <= row.upper - others.most && most >= row.lower - others.least) return column;
  }
  return -1;
}

int Root(std::vector<int>& parent, int column) {
  while (parent[static_cast<std::size_t>(column)] != column) {
    int& up = parent[static_cast<std::size_t>(column)];
    up = parent[static_cast<std::size_t>(up)];
    column = up;
  }
  return column;
}

// The rows to solve, grouped into parts that share no column.
struct Split {
  std::vector<std::vector<std::size_t>> parts;  // row indices
  std::vector<Settled> settled;
  // A row without columns that cannot hold: the whole model is left to the
  // solver, which proves it has no solution.
  bool broken = false;
};

Split SplitRows(const LinearModel& lp) {
  const std::vector<Row>& rows = lp.Rows();
  std::vector<int> uses(lp.Columns().size(), 0);
  for (const Row& row : rows)
    for (const auto& term : row.terms) ++uses[static_cast<std::size_t>(term.first)];
  Split split;
  std::vector<std::size_t> kept;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const Range all = TermRange(lp, rows[r], -1);
    if (all.least >= rows[r].lower && all.most <= rows[r].upper) continue;  // always holds
    if (const int column = SettlingColumn(lp, rows[r], uses); column >= 0) {
      split.settled.push_back({r, column});
    } else if (rows[r].terms.empty()) {
      split.broken = true;
      return split;
    } else {
      kept.push_back(r);
    }
  }
  std::vector<int> parent(lp.Columns().size());
  std::iota(parent.begin(), parent.end(), 0);
  for (std::size_t r : kept) {
    const int first = Root(parent, rows[r].terms.front().first);
    for (const auto& term : rows[r].terms) parent[static_cast<std::size_t>(Root(parent, term.first))] = first;
  }
  std::vector<int> part_of_root(lp.Columns().size(), -1);
  for (std::size_t r : kept) {
    int& part = part_of_root[static_cast<std::size_t>(Root(parent, rows[r].terms.front().first))];
    if (part < 0) {
      part = static_cast<int>(split.parts.size());
      split.parts.emplace_back();
    }
    split.parts[static_cast<std::size_t>(part)].push_back(r);
  }
  return split;
}

// The value nearest 0 within a column's bounds.
double NearestZero(const Column& column) { return std::clamp(0.0, column.lower, column.upper); }

// Solves the rows of one part as a model of its own and writes its columns'
// values into `values`.
SolveResult SolvePart(const LinearModel& lp, const std::vector<std::size_t>& rows,
                      const SolveLimits& limits, ModelSolver solve, std::vector<double>& values) {
  std::vector<int> local(lp.Columns().size(), -1);
  std::vector<int> global;
  LinearModel part;
  for (std::size_t r : rows) {
    const Row& row = lp.Rows()[r];
    LinearExpr expr;
    for (const auto& [column, coefficient] : row.terms) {
      int& mine = local[static_cast<std::size_t>(column)];
      if (mine < 0) {
        const Column& c = lp.Columns()[static_cast<std::size_t>(column)];
        mine = part.AddColumn(c.lower, c.upper, c.cost);
        global.push_back(column);
      }
      expr.terms.emplace_back(mine, coefficient);
    }
    part.AddRow(expr, row.lower, row.upper);
  }
  SolveResult solved = solve(part, limits);
  if (solved.values.size() == global.size()) {
    for (std::size_t c = 0; c < global.size(); ++c) values[static_cast<std::size_t>(global[c])] = solved.values[c];
  }
  return solved;
}

// Gives a settling column the value nearest 0 that makes its row hold.
void Settle(const LinearModel& lp, const Settled& settled, std::vector<double>& values) {
  const Row& row = lp.Rows()[settled.row];
  double others = 0;
  double own = 1;
  for (const auto& [column, coefficient] : row.terms) {
    if (column == settled.column) {
      own = coefficient;
    } else {
      others += coefficient * values[static_cast<std::size_t>(column)];
    }
  }
  // own * s within [lower - others, upper - others], own being +1 or -1.
  double low = (row.lower - others) * own;
  double high = (row.upper - others) * own;
  if (low > high) std::swap(low, high);
  const Column& c = lp.Columns()[static_cast<std::size_t>(settled.column)];
  values[static_cast<std::size_t>(settled.column)] =
      std::clamp(0.0, std::max(low, c.lower), std::min(high, c.upper));
}

}  // namespace

SolveResult SolveByParts(const LinearModel& lp, const SolveLimits& limits, ModelSolver solve) {
  const bool costs = std::any_of(lp.Columns().begin(), lp.Columns().end(),
                                 [](const Column& c) { return c.cost != 0; });
  if (costs) return solve(lp, limits);
  const Split split = SplitRows(lp);
  if (split.broken || split.parts.size() <= 1) return solve(lp, limits);

  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  std::vector<double> values(lp.Columns().size());
  for (std::size_t c = 0; c < values.size(); ++c) values[c] = NearestZero(lp.Columns()[c]);
  SolveResult out;
  for (const std::vector<std::size_t>& rows : split.parts) {
    SolveLimits left = limits;
    left.seconds = limits.seconds - std::chrono::duration<double>(Clock::now() - start).count();
    if (left.seconds <= 0) return out;
    const SolveResult part = SolvePart(lp, rows, left, solve, values);
    if (part.status != SolveStatus::kSolved) {
      out.status = part.status;
      return out;
    }
  }
  for (const Settled& settled : split.settled) Settle(lp, settled, values);
  out.status = SolveStatus::kSolved;
  out.values = std::move(values);
  return out;
}

}  // namespace tsumiki::exact
