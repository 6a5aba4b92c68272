#include "gecode_solve.h"

#include <gecode/int.hh>
#include <gecode/search.hh>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <memory>

namespace tsumiki::bench {

namespace {

using namespace Gecode;

// A whole number that fits an int, or false.
bool WholeInt(double value, int& out) {
  if (!std::isfinite(value) || value != std::round(value) ||
      std::fabs(value) > std::numeric_limits<int>::max() / 2) {
    return false;
  }
  out = static_cast<int>(value);
  return true;
}

bool ZeroOneColumns(const exact::LinearModel& lp) {
  for (const exact::Column& column : lp.Columns()) {
    if (column.lower < 0 || column.upper > 1 || column.lower > column.upper) return false;
    if (column.lower != 0 && column.lower != 1) return false;
    if (column.upper != 0 && column.upper != 1) return false;
  }
  return true;
}

bool WholeCoefficients(const exact::LinearModel& lp) {
  int unused = 0;
  for (const exact::Row& row : lp.Rows()) {
    for (const auto& term : row.terms) {
      if (!WholeInt(term.second, unused)) return false;
    }
  }
  return true;
}

class MonthSpace : public Space {
 public:
  MonthSpace(const exact::LinearModel& lp, const std::vector<int>& order, Branching branching)
      : cells_(*this, static_cast<int>(lp.Columns().size()), 0, 1) {
    for (std::size_t c = 0; c < lp.Columns().size(); ++c) {
      const exact::Column& column = lp.Columns()[c];
      if (column.lower == column.upper) rel(*this, cells_[static_cast<int>(c)], IRT_EQ, static_cast<int>(column.lower));
    }
    for (const exact::Row& row : lp.Rows()) {
      Post(row);
      if (failed()) return;
    }
    BoolVarArgs ordered;
    for (const int c : order) ordered << cells_[c];
    switch (branching) {
      case Branching::kColumns:
      case Branching::kDays:
        branch(*this, ordered, BOOL_VAR_NONE(), BOOL_VAL_MAX());
        break;
      case Branching::kAfcLuby:
        branch(*this, ordered, BOOL_VAR_AFC_MAX(0.99), BOOL_VAL_MAX());
        break;
      case Branching::kActionLuby:
        branch(*this, ordered, BOOL_VAR_ACTION_MAX(0.99), BOOL_VAL_MAX());
        break;
      case Branching::kChbLuby:
        branch(*this, ordered, BOOL_VAR_CHB_MAX(), BOOL_VAL_MAX());
        break;
    }
  }
  MonthSpace(MonthSpace& other) : Space(other) { cells_.update(*this, other.cells_); }
  Space* copy() override { return new MonthSpace(*this); }

  std::vector<double> Values() const {
    std::vector<double> values(static_cast<std::size_t>(cells_.size()));
    for (int c = 0; c < cells_.size(); ++c) values[static_cast<std::size_t>(c)] = cells_[c].val();
    return values;
  }

 private:
  // lower <= sum <= upper, leaving out a bound that the 0/1 columns meet anyway
  // (a member's "at most one duty a day" needs no "at least none").
  void Post(const exact::Row& row) {
    IntArgs coefficients;
    BoolVarArgs columns;
    long least = 0;
    long most = 0;
    for (const auto& [column, coefficient] : row.terms) {
      int a = 0;
      WholeInt(coefficient, a);
      coefficients << a;
      columns << cells_[column];
      (a < 0 ? least : most) += a;
    }
    const double lower = std::ceil(row.lower - 1e-9);
    const double upper = std::floor(row.upper + 1e-9);
    if (lower > upper || lower > static_cast<double>(most) || upper < static_cast<double>(least)) {
      fail();
      return;
    }
    const bool need_lower = lower > static_cast<double>(least);
    const bool need_upper = upper < static_cast<double>(most);
    if (need_lower && need_upper && lower == upper) {
      linear(*this, coefficients, columns, IRT_EQ, static_cast<int>(lower));
      return;
    }
    if (need_lower) linear(*this, coefficients, columns, IRT_GQ, static_cast<int>(lower));
    if (need_upper) linear(*this, coefficients, columns, IRT_LQ, static_cast<int>(upper));
  }

  BoolVarArray cells_;
};

// The time limit, and the flag another thread sets to end the search.
class FlagOrTime : public Search::Stop {
 public:
  FlagOrTime(double seconds, const std::atomic<bool>* flag)
      : time_(static_cast<unsigned long>(std::max(seconds, 0.001) * 1000)), flag_(flag) {}
  bool stop(const Search::Statistics& s, const Search::Options& o) override {
    return (flag_ != nullptr && flag_->load(std::memory_order_relaxed)) || time_.stop(s, o);
  }

 private:
  Search::TimeStop time_;
  const std::atomic<bool>* flag_;
};

template <class Engine>
GecodeResult Run(Engine& engine, const std::atomic<bool>* flag) {
  GecodeResult result;
  std::unique_ptr<MonthSpace> solution(engine.next());
  const Search::Statistics statistics = engine.statistics();
  result.statistics = {statistics.node, statistics.fail, statistics.restart};
  const bool flagged = flag != nullptr && flag->load(std::memory_order_relaxed);
  if (solution != nullptr) {
    result.solve.values = solution->Values();
    result.solve.status = exact::SolveStatus::kSolved;
  } else if (!engine.stopped() && !flagged) {
    result.solve.status = exact::SolveStatus::kInfeasible;
  }
  return result;
}

}  // namespace

bool ParseBranching(std::string_view name, Branching& out) {
  for (const Branching b : {Branching::kColumns, Branching::kDays, Branching::kAfcLuby,
                            Branching::kActionLuby, Branching::kChbLuby}) {
    if (name == BranchingName(b)) {
      out = b;
      return true;
    }
  }
  return false;
}

const char* BranchingName(Branching branching) {
  switch (branching) {
    case Branching::kColumns:
      return "columns";
    case Branching::kDays:
      return "days";
    case Branching::kAfcLuby:
      return "afc";
    case Branching::kActionLuby:
      return "action";
    case Branching::kChbLuby:
      return "chb";
  }
  return "?";
}

GecodeResult SolveWithGecode(const exact::LinearModel& lp, const std::vector<int>& order,
                             Branching branching, const exact::SolveLimits& limits) {
  if (!ZeroOneColumns(lp) || !WholeCoefficients(lp)) {
    GecodeResult refused;
    refused.refused = true;
    return refused;
  }
  auto space = std::make_unique<MonthSpace>(lp, order, branching);
  FlagOrTime stop(limits.seconds, limits.stop);
  Search::Options options;
  options.threads = 1;  // as CBC runs: one core for the search, one for the program
  options.stop = &stop;
  if (branching != Branching::kColumns && branching != Branching::kDays) {
    options.cutoff = Search::Cutoff::luby(100);
    RBS<MonthSpace, DFS> engine(space.get(), options);
    return Run(engine, limits.stop);
  }
  DFS<MonthSpace> engine(space.get(), options);
  return Run(engine, limits.stop);
}

}  // namespace tsumiki::bench
