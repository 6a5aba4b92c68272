// A write of the roster from outside the change path. outside_write.cmake compiles
// this file as it stands, which must work, and with WRITE_OUTSIDE defined, which the
// compiler must refuse: RosterWriter lets only its named callers write.
#include "conditions/roster_writer.h"

namespace tsumiki {

int ReadOrWrite(ConditionModel& model) {
#ifdef WRITE_OUTSIDE
  RosterWriter::WriteUncounted(model, 1, 1, 1);
#endif
  return model.Roster(1, 1);
}

}  // namespace tsumiki
