#include "optimise/optimise_progress.h"

namespace tsumiki {

OptimiseProgress& NoOptimiseProgress() {
  static OptimiseProgress none;
  return none;
}

}  // namespace tsumiki
