#include "creation/creation_progress.h"

namespace tsumiki {

CreationProgress& NoCreationProgress() {
  static CreationProgress none;
  return none;
}

}  // namespace tsumiki
