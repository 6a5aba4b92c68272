#pragma once

#include "optimise/optimise_progress.h"

namespace tsumiki {

// What a creation run tells whoever shows how far it is, besides the events of
// the optimisations it runs. It only reports; every event has a do-nothing
// default.
class CreationProgress : public OptimiseProgress {
 public:
  // A new run begins: a time limit reported in an earlier run is forgotten.
  virtual void RunStarted() {}
  // Pass `pass_number` begins to fill the days up to `day_count`.
  virtual void PassStarted(int /*pass_number*/, int /*day_count*/) {}
  virtual void DayStarted(int /*day*/) {}
  virtual void PassEnded() {}
  // No pass runs any more: the passes are over, or a failure stopped them.
  virtual void PassesStopped() {}
  // The run ends without a month and with no other explanation (an abort, the
  // time limit, a refused load): the place to say that the limit passed.
  virtual void EndedWithoutMonth() {}
};

// The listener that ignores every event.
CreationProgress& NoCreationProgress();

}  // namespace tsumiki
