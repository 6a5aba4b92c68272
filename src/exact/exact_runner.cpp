#include "exact/exact_runner.h"

#include <algorithm>

#include "exact/cbc_solve.h"
#include "exact/child_solve.h"
#include "exact/exact_model.h"
#include "exact/member_search.h"
#include "exact/model_parts.h"
#include "exact/month_mend.h"
#include "exact/solution_reading.h"

namespace tsumiki::exact {

namespace {

// CBC looks at its clock between nodes and cut rounds; on a busy machine it
// overruns its limit by up to a second or so.
constexpr double kBestMonthMargin = 2.0;

// Share of the search for the best month whose member groups hold the work days
// at the targets, where a wider range of days off lets members work fewer days:
// the months at the targets are fewer and the groups better them faster; the
// ranges then give what they can. Measured on the benchmark's months against all
// of it within the ranges.
constexpr double kAtTargetsShare = 0.5;

// `lp` with every work-day row a range of days off widened held at its target.
LinearModel AtTargets(const ExactModel& month, const LinearModel& lp) {
  LinearModel at_targets = lp;
  for (const int row : month.widened_targets) {
    const double target = lp.Rows()[static_cast<std::size_t>(row)].upper;
    at_targets.SetRowBounds(row, target, target);
  }
  return at_targets;
}

// The first month at the targets, as the day filling aims for them; only where
// none exists there, one within the wider ranges of days off (`at_targets` then
// false). A month proven impossible at the targets may exist within the ranges.
SolveResult SolveFirstMonth(const ExactModel& month, const LinearModel& lp, SolveLimits limits,
                            bool& at_targets) {
  at_targets = false;
  if (month.widened_targets.empty()) return SolveByParts(lp, limits, SolveInChild);
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  SolveResult solved = SolveByParts(AtTargets(month, lp), limits, SolveInChild);
  at_targets = solved.status == SolveStatus::kSolved;
  if (solved.status != SolveStatus::kInfeasible) return solved;
  limits.seconds -= std::chrono::duration<double>(Clock::now() - start).count();
  if (limits.seconds <= 0) return {};
  return SolveByParts(lp, limits, SolveInChild);
}

}  // namespace

bool FoundMonth(const ExactModel& month, const SolveResult& solved) {
  if (solved.status == SolveStatus::kSolved) return true;
  // The budget ended the search for the best month: the best found is a month
  // that keeps every rule. A stop request leaves no values.
  return month.has_objective && solved.status == SolveStatus::kStopped && !solved.values.empty();
}

MonthSolve SolveMonth(const ExactModel& month, double seconds, const std::atomic<bool>* stop,
                      const OnBetter& on_better) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  MonthSolve out;
  if (!month.has_objective) {
    bool at_targets = false;
    out.solved = SolveFirstMonth(month, month.lp, SolveLimits{seconds, stop}, at_targets);
    out.found = FoundMonth(month, out.solved);
    out.first_seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return out;
  }
  // With costs CBC can search long for a first solution that the model without
  // them finds at once; that one is the month to better, and it proves the
  // month impossible as fast as today.
  SolveLimits first{seconds, stop, true};
  first.deadline = DeadlineAfter(start, seconds);
  bool at_targets = false;
  out.solved = SolveFirstMonth(month, month.lp.WithoutCosts(), first, at_targets);
  out.first_seconds = std::chrono::duration<double>(Clock::now() - start).count();
  out.found = out.solved.status == SolveStatus::kSolved;
  if (!out.found) return out;
  out.solved.objective = month.lp.CostOf(out.solved.values);
  if (on_better) on_better(out.solved);
  // The search for the best ends itself a little before the budget, so that its
  // best is back before the caller's deadline stops the child.
  const double left = seconds - out.first_seconds;
  const double budget = left - std::min(kBestMonthMargin, left / 5);
  const LinearModel held = at_targets ? AtTargets(month, month.lp) : LinearModel{};
  const EarlyModel early{at_targets ? &held : nullptr, budget * kAtTargetsShare};
  out.solved =
      ImproveByMembers(month.lp, *month.cells, std::move(out.solved), budget, stop, early, on_better);
  return out;
}

void ExactRunner::Start(const ConditionModel& model, double seconds, Task task) {
  Stop();
  model_ = std::make_unique<ConditionModel>(model);
  stop_.store(false);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    finished_ = false;
    answer_.reset();
    best_so_far_.reset();
  }
  thread_ = std::thread([this, seconds, task] {
    task == Task::kSolve ? Run(seconds) : WorkOnMonth(seconds, task);
  });
}

void ExactRunner::WorkOnMonth(double seconds, Task task) {
  ExactAnswer answer;
  std::optional<IndexGrid<int>> month = task == Task::kMend
                                            ? MendByMembers(*model_, seconds, &stop_)
                                            : BetterByMembers(*model_, seconds, &stop_);
  if (month) {
    answer.kind = ExactAnswer::Kind::kMonth;
    answer.month = std::move(*month);
  }
  Answer(std::move(answer));
}

void ExactRunner::Run(double seconds) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  ExactAnswer answer;
  const ExactModel month = BuildExactModel(*model_, ModelKind::kMonth);
  const MonthSolve found = SolveMonth(month, seconds, &stop_, [&](const SolveResult& better) {
    IndexGrid<int> grid = model_->Roster;
    month.cells->ReadMonth(better.values, grid);
    std::lock_guard<std::mutex> lock(mutex_);
    best_so_far_ = std::move(grid);
  });
  const SolveResult& solved = found.solved;
  if (found.found) {
    answer.kind = ExactAnswer::Kind::kMonth;
    answer.month = model_->Roster;
    month.cells->ReadMonth(solved.values, answer.month);
  } else if (solved.status == SolveStatus::kInfeasible) {
    const double used = std::chrono::duration<double>(Clock::now() - start).count();
    const ExactModel relaxed = BuildExactModel(*model_, ModelKind::kRelaxation);
    const SolveResult least =
        SolveInChild(relaxed.lp, SolveLimits{std::max(0.0, seconds - used), &stop_});
    // The proof stands even when the second solve was cut short; a relaxation
    // found by then is still a good list to give.
    answer.kind = ExactAnswer::Kind::kNoMonth;
    if (!least.values.empty()) {
      answer.relaxation = ReadRelaxation(*model_, relaxed, least);
      answer.relaxation.least = least.status == SolveStatus::kSolved;
    }
  }
  Answer(std::move(answer));
}

void ExactRunner::Answer(ExactAnswer answer) {
  std::lock_guard<std::mutex> lock(mutex_);
  answer_ = std::move(answer);
  finished_ = true;
  done_.notify_all();
}

std::optional<IndexGrid<int>> ExactRunner::BestSoFar() {
  std::lock_guard<std::mutex> lock(mutex_);
  return best_so_far_;
}

std::optional<ExactAnswer> ExactRunner::Poll() {
  return WaitFor(std::chrono::milliseconds(0));
}

std::optional<ExactAnswer> ExactRunner::WaitFor(std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait_for(lock, timeout, [this] { return finished_; });
  if (!finished_) return std::nullopt;
  return answer_;
}

void ExactRunner::Stop() {
  stop_.store(true);
  if (thread_.joinable()) thread_.join();
}

}  // namespace tsumiki::exact
