#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "conditions/engine_context.h"
#include "exact/exact_runner.h"
#include "ui/notice.h"

namespace tsumiki {

// The exact model beside the search. It starts with the run (after the
// pre-check) on a copy of the loaded month and is consulted where the search
// would start the month again, and where wishes or desired staffing are weighed,
// once more after the improvement (BestMonthBy). Elsewhere a month the search
// completes stays the search's, so a seed gives the same month as without the
// model; the model's own months depend on how far CBC got in the time.
class ExactFallback {
 public:
  explicit ExactFallback(const EngineContext& context) : ctx_(context) {}

  // A new run: forgets the last run's answer and stops its model.
  void Reset();
  // Starts the model on the month as loaded, once per run, when the session
  // allows it; the budget is the time left to the run's deadline.
  void Start();
  // Stops the model and waits for its thread (within ~200 ms of CPU time).
  void Stop() {
    runner_.Stop();
    mender_.Stop();
  }
  // A pass filled the month and missed only what the model can mend (targets,
  // optional limits, places left open): the model mends that month group by
  // group of members beside its own solve, and AfterFailedPass takes whichever
  // month comes first. Once per run, with the load's reservations in `loaded_fixed`.
  void MendBeside(const IndexGrid<int>& loaded_fixed);
  // Whether the model mends a month beside the search.
  bool Mending() const { return mending_ && WillAnswer(); }
  // The month was mended without the model: its mend stops.
  void EndMend() { mender_.Stop(); }

  enum class Verdict {
    kMonth,    // the model's month is in the roster and on the sheet
    kNoMonth,  // proven: none exists (NoMonth() has the relaxation)
    kGoOn,     // no answer: stopped, out of budget, not started, or asked before
  };
  // After a pass that failed: waits for the model's answer with events running
  // every ~10 ms (中止 and the time limit stop it), then writes its month through
  // the change path, with the load's reservations in `loaded_fixed`. Asked once
  // per run; later failures go on with the retries. At `give_up_ms` (host
  // milliseconds) the wait ends as at the time limit: a proof found by then
  // stands, with the relaxation found by then. A month the mend (MendBeside)
  // gives first leaves the model's own search of a weighed month going on, to be
  // asked once more after the improvement.
  Verdict AfterFailedPass(IndexGrid<int>& loaded_fixed,
                          std::int64_t give_up_ms = std::numeric_limits<std::int64_t>::max());

  // After the improvement, where wishes or desired staffing are weighed: the
  // model's own month where it still works beside the search, and, with
  // `loaded_fixed` (the load's reservations), the model's bettering of the month
  // as it stands (every rule kept) a few members at a time. Both go on until
  // `until_ms` (host milliseconds), events running, and give the best month each
  // found by then; none after 中止 or the time limit, or where the model is not in
  // use. Asked once per run, as AfterFailedPass.
  std::vector<IndexGrid<int>> BestMonthsBy(std::int64_t until_ms, const IndexGrid<int>* loaded_fixed);
  // The best month of the model's own search so far, where it still works beside.
  std::optional<IndexGrid<int>> MonthSoFar() {
    return WillAnswer() ? runner_.BestSoFar() : std::nullopt;
  }
  // Writes `month` through the change path, as AfterFailedPass writes its own.
  bool WriteMonth(const IndexGrid<int>& month, IndexGrid<int>& loaded_fixed) {
    return LoadAndWrite(month, loaded_fixed);
  }

  // Whether AfterFailedPass would still wait for an answer.
  bool WillAnswer() const { return started_ && !asked_; }

  // The relaxation after kNoMonth.
  const std::optional<exact::Relaxation>& NoMonth() const { return no_month_; }
  // Writes the nearest month of the relaxation and marks the cells left open (one
  // per person short, on a member resting that day). False when the load failed.
  bool WriteNearestMonth(IndexGrid<int>& loaded_fixed);
  // What the clear and the load of AfterFailedPass and WriteNearestMonth had to
  // tell the planner since the last call.
  Notices TakeNotices() { return std::exchange(notices_, {}); }

 private:
  bool LoadAndWrite(const IndexGrid<int>& month, IndexGrid<int>& loaded_fixed);

  // The mend's month, once it has one.
  std::optional<exact::ExactAnswer> MendedMonth();
  // Starts `mender_` on the month as it stands, the load's reservations its own.
  void StartOnMonth(const IndexGrid<int>& loaded_fixed, double seconds, exact::ExactRunner::Task task);

  EngineContext ctx_;
  exact::ExactRunner runner_;  // the month from the conditions
  exact::ExactRunner mender_;  // a month of the search mended or bettered
  bool started_ = false;
  bool mending_ = false;
  bool asked_ = false;
  std::optional<exact::Relaxation> no_month_;
  Notices notices_;
};

// Writes the nearest month of `relaxation` over the roster (the conditions loaded
// again, their reservations in `loaded_fixed`) and marks the cells it leaves open:
// one per person short, yellow with a red border. Also after the run, from the
// relaxation it reported. False when the load failed (what the clear and the
// load had to say then in `notices`) or the month does not fit the members loaded.
bool WriteNearestMonth(const EngineContext& ctx, const exact::Relaxation& relaxation,
                       IndexGrid<int>& loaded_fixed, Notices& notices);

}  // namespace tsumiki
