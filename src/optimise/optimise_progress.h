#pragma once

namespace tsumiki {

// What the optimisation tells whoever shows how far it is. It only reports and
// never waits for an answer; every event has a do-nothing default, so a caller
// without a screen passes nothing.
class OptimiseProgress {
 public:
  virtual ~OptimiseProgress() = default;

  // An optimisation of `steps` day visits in all (passes times days) begins.
  virtual void OptimiseStarted(int /*steps*/) {}
  // The pass under way found a lower score than any before it in that pass.
  virtual void BestScore(float /*score*/) {}
  // Visits up to `step` are done; a step past `steps` may be reported when a pass
  // covers fewer days than the month.
  virtual void StepDone(int /*step*/) {}
  virtual void OptimiseEnded() {}
};

// The listener that ignores every event.
OptimiseProgress& NoOptimiseProgress();

}  // namespace tsumiki
