#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "conditions/condition_model.h"
#include "exact/cbc_solve.h"
#include "exact/exact_model.h"
#include "exact/member_search.h"
#include "exact/relaxation.h"

namespace tsumiki::exact {

// What the exact model made of the month.
struct ExactAnswer {
  enum class Kind {
    kMonth,    // `month` keeps every rule and meets every target
    kNoMonth,  // proven: none exists; `relaxation` says what must give
    kStopped,  // stopped (request or time budget) before an answer
  };
  Kind kind = Kind::kStopped;
  IndexGrid<int> month;  // (member, day) for days StartDay..DayCount, for kMonth
  // For kNoMonth: the least relaxation (or, when the budget ended the second
  // solve, the best found). For kStopped after the proof: nothing.
  Relaxation relaxation;
};

// Whether a solve of the month model gave a month: a solution, or for a month
// with an objective the best found when the budget ended the search.
bool FoundMonth(const ExactModel& month, const SolveResult& solved);

// The month model solved as a run solves it, in child processes: without an
// objective to its first solution; with one, first without the costs (a month
// fast, or the proof that none exists), then bettered a few members at a time
// and at last whole within what is left of `seconds` (ImproveByMembers). The
// first solution is found part by part where the members' months are bound to
// one another only by the costs (SolveByParts).
struct MonthSolve {
  SolveResult solved;  // status kInfeasible: proven, no month exists
  bool found = false;  // `solved.values` hold a month
  double first_seconds = 0;  // to the first month (or the proof)
};
// `on_better` hears of the first month and of each better one.
MonthSolve SolveMonth(const ExactModel& month, double seconds, const std::atomic<bool>* stop,
                      const OnBetter& on_better = {});

// Solves the month on its own thread, beside the search: first the exact model,
// then, when that proves no month exists, the relaxation; or works on the
// search's month (Task). It works on a copy of the conditions, so the search may
// change its own model meanwhile.
//
// Stop() returns once the thread has joined; the solves run in a child process
// that a stop kills (see SolveInChild), so only the model's build can delay it.
class ExactRunner {
 public:
  ExactRunner() = default;
  ~ExactRunner() { Stop(); }
  ExactRunner(const ExactRunner&) = delete;
  ExactRunner& operator=(const ExactRunner&) = delete;

  enum class Task {
    kSolve,  // the month from the conditions, or the proof and the relaxation
    kMend,   // the month in the roster mended (MendByMembers): a month or kStopped
    kBetter,  // the month in the roster bettered (BetterByMembers): a month or kStopped
  };
  // Starts on a copy of `model` as it stands (conditions loaded, days before the
  // start day read back; to mend, the month in the roster) with `seconds` for the
  // solves together. A runner still running is stopped first.
  void Start(const ConditionModel& model, double seconds, Task task = Task::kSolve);
  bool Started() const { return thread_.joinable() || answer_.has_value(); }
  // The answer once the thread has finished, without waiting.
  std::optional<ExactAnswer> Poll();
  // The best month of a weighed month's search so far, while it goes on.
  std::optional<IndexGrid<int>> BestSoFar();
  // Waits up to `timeout` for the answer.
  std::optional<ExactAnswer> WaitFor(std::chrono::milliseconds timeout);
  void RequestStop() { stop_.store(true); }
  // Requests the stop and joins the thread.
  void Stop();

 private:
  void Run(double seconds);
  void WorkOnMonth(double seconds, Task task);
  void Answer(ExactAnswer answer);

  std::unique_ptr<ConditionModel> model_;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable done_;
  bool finished_ = false;
  std::optional<ExactAnswer> answer_;
  std::optional<IndexGrid<int>> best_so_far_;
};

}  // namespace tsumiki::exact
