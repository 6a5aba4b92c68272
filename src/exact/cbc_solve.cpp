#include "exact/cbc_solve.h"

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <CbcSolver.hpp>
#include <ClpEventHandler.hpp>
#include <ClpSimplex.hpp>
#include <CoinPackedMatrix.hpp>
#include <OsiClpSolverInterface.hpp>
#include <string>
#include <vector>

namespace tsumiki::exact {

namespace {

// Ends branch and bound at its next event once the flag is set.
class StopOnFlag : public CbcEventHandler {
 public:
  explicit StopOnFlag(const std::atomic<bool>* stop) : stop_(stop) {}
  CbcAction event(CbcEvent) override { return Stopping(stop_) ? stop : noAction; }
  CbcEventHandler* clone() const override { return new StopOnFlag(*this); }

 private:
  const std::atomic<bool>* stop_;
};

// Ends an LP (the root LP can take seconds on the largest months) at its next
// simplex iteration once the flag is set.
class StopLpOnFlag : public ClpEventHandler {
 public:
  explicit StopLpOnFlag(const std::atomic<bool>* stop) : stop_(stop) {}
  int event(Event) override { return Stopping(stop_) ? 0 : -1; }
  ClpEventHandler* clone() const override { return new StopLpOnFlag(*this); }

 private:
  const std::atomic<bool>* stop_;
};

// The rows in one row-ordered matrix, built in one go: appending row by row copies
// the matrix again and again (seconds on a 100-member month).
void LoadInto(const LinearModel& lp, OsiClpSolverInterface& solver) {
  const std::vector<Column>& columns = lp.Columns();
  const std::vector<Row>& rows = lp.Rows();
  const double inf = solver.getInfinity();
  std::vector<CoinBigIndex> starts;
  std::vector<int> lengths;
  std::vector<int> indices;
  std::vector<double> values;
  std::vector<double> row_lower;
  std::vector<double> row_upper;
  for (const Row& row : rows) {
    starts.push_back(static_cast<CoinBigIndex>(indices.size()));
    lengths.push_back(static_cast<int>(row.terms.size()));
    for (const auto& [column, coefficient] : row.terms) {
      indices.push_back(column);
      values.push_back(coefficient);
    }
    row_lower.push_back(row.lower == -kUnbounded ? -inf : row.lower);
    row_upper.push_back(row.upper == kUnbounded ? inf : row.upper);
  }
  const CoinPackedMatrix matrix(false, static_cast<int>(columns.size()),
                                static_cast<int>(rows.size()),
                                static_cast<CoinBigIndex>(indices.size()), values.data(),
                                indices.data(), starts.data(), lengths.data());
  std::vector<double> col_lower;
  std::vector<double> col_upper;
  std::vector<double> cost;
  for (const Column& column : columns) {
    col_lower.push_back(column.lower);
    col_upper.push_back(column.upper);
    cost.push_back(column.cost);
  }
  solver.loadProblem(matrix, col_lower.data(), col_upper.data(), cost.data(), row_lower.data(),
                     row_upper.data());
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) solver.setInteger(c);
}

int NoCallBack(CbcModel*, int) { return 0; }

}  // namespace

SolveResult SolveWithCbc(const LinearModel& lp, const SolveLimits& limits) {
  SolveResult result;
  if (Stopping(limits.stop)) return result;
  OsiClpSolverInterface solver;
  LoadInto(lp, solver);
  solver.messageHandler()->setLogLevel(0);
  StopLpOnFlag lp_stop(limits.stop);
  solver.getModelPtr()->passInEventHandler(&lp_stop);

  CbcModel model(solver);
  model.setLogLevel(0);
  StopOnFlag bab_stop(limits.stop);
  model.passInEventHandler(&bab_stop);

  CbcSolverUsefulData data;
  data.noPrinting_ = true;
  data.useSignalHandler_ = false;  // Ctrl-C belongs to the program, which sets the stop flag
  CbcMain0(model, data);
  const std::string seconds = std::to_string(limits.seconds > 0 ? limits.seconds : 0.01);
  std::vector<const char*> argv = {"tsumiki", "-log", "0"};
  if (limits.wall_clock) argv.insert(argv.end(), {"-timeMode", "elapsed"});
  argv.insert(argv.end(), {"-sec", seconds.c_str(), "-solve", "-quit"});
  CbcMain1(static_cast<int>(argv.size()), argv.data(), model, NoCallBack, data);

  const int columns = static_cast<int>(lp.Columns().size());
  const double* best = model.bestSolution();
  if (best != nullptr && model.getNumCols() == columns) {
    result.values.assign(best, best + columns);
    result.objective = model.getObjValue();
  }
  // CBC has been measured to hand back, as proven optimal, a solution of a held
  // month that breaks one of its rows (a shortest run of days off): a solution is
  // taken only where it keeps the model.
  if (!result.values.empty() && !lp.Holds(result.values)) result.values.clear();
  if (Stopping(limits.stop)) {
    result.status = SolveStatus::kStopped;
  } else if (model.isProvenInfeasible()) {
    result.status = SolveStatus::kInfeasible;
  } else if (model.isProvenOptimal() && !result.values.empty()) {
    result.status = SolveStatus::kSolved;
  } else {
    result.status = SolveStatus::kStopped;
  }
  return result;
}

}  // namespace tsumiki::exact
