#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

#include "exact/linear_model.h"

namespace tsumiki::exact {

enum class SolveStatus {
  kSolved,      // a solution; for a model with costs, a proven optimum
  kInfeasible,  // proven: no solution exists
  kStopped,     // stopped by the stop flag or the time budget before a proof
};

struct SolveLimits {
  double seconds = 60;                   // CBC's own time limit
  const std::atomic<bool>* stop = nullptr;  // set by another thread to end the solve
  // The time limit in wall-clock seconds instead of CPU seconds: a search for the
  // best month runs to its limit, and on a busy machine CPU seconds would take it
  // past the run's deadline.
  bool wall_clock = false;
  // When the caller must have its answer: a solve in a child process that has
  // not answered by then is ended as by a stop. CBC looks at its own limit only
  // between nodes and cut rounds, and on the largest months overran it by
  // seconds on a busy machine.
  std::chrono::steady_clock::time_point deadline = std::chrono::steady_clock::time_point::max();
};

// The moment `seconds` after `start`, as a solve's deadline.
inline std::chrono::steady_clock::time_point DeadlineAfter(std::chrono::steady_clock::time_point start,
                                                           double seconds) {
  return start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                     std::chrono::duration<double>(seconds));
}

// Whether another thread has asked the solve to end (a null flag never does).
inline bool Stopping(const std::atomic<bool>* stop) {
  return stop != nullptr && stop->load(std::memory_order_relaxed);
}

struct SolveResult {
  SolveStatus status = SolveStatus::kStopped;
  // Column values of the best solution (also after a stop, when one was found).
  std::vector<double> values;
  double objective = 0;
};

// Solves `lp` with CBC on the calling thread, single-threaded, quietly.
//
// Where a stop request is seen: at every simplex iteration of an LP (the root LP
// included) and at every branch-and-bound event. Between those CBC does not look:
// its preprocessing (probing, clique detection) and its cut rounds run to their
// end. Measured from the request to the return, at most about 115 ms of CPU on
// the shared workbooks up to 100 members × 31 days × 8 duties (README). A solve stopped by the flag reports kStopped whatever CBC made of the
// cut-short LP, so a stop is never taken for a proof.
SolveResult SolveWithCbc(const LinearModel& lp, const SolveLimits& limits);

}  // namespace tsumiki::exact
