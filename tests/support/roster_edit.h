#pragma once

#include "conditions/roster_writer.h"

namespace tsumiki::testing {

// The writes a test makes to set its scene: a cell, a fixed mark or a past total
// put in place directly, where the program itself goes through its change path
// (roster/roster_change.h, the load, the day filling). A test that wants the
// tallies kept in step uses the change path as the program does.
struct RosterEdit {
  RosterEdit() = delete;

  // Member m's cell of day d, uncounted.
  static void WriteUncounted(ConditionModel& model, int m, int d, int type) {
    RosterWriter::WriteUncounted(model, m, d, type);
  }
  // Member m's fixed mark of day d (0: none).
  static void SetFixed(ConditionModel& model, int m, int d, int type) {
    RosterWriter::SetFixed(model, m, d, type);
  }
  // Column `column` (a duty type or kTallyTotal) of member m's past totals; the
  // tallies move with it.
  static void SetPastTotal(ConditionModel& model, int m, int column, int value) {
    RosterWriter::SetPastTotal(model, m, column, value);
  }
};

}  // namespace tsumiki::testing
