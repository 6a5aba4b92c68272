#pragma once

#include "conditions/condition_model.h"
#include "roster/repair_rules.h"

namespace tsumiki {

// The exchanges of cells between two members of a finished month that the repair
// and the improvement searches make: every day keeps its staffing, reserved cells
// never move, and a duty a required sequence fixed moves with its mark in Fixed.
class CellExchange {
 public:
  // `reserved` holds the reservations of the load; other marks in Fixed may move.
  // `extra_limits` as for RepairRules.
  CellExchange(ConditionModel& model, const IndexGrid<int>& reserved, bool extra_limits = true);

  const RepairRules& rules() const { return rules_; }

  bool Free(int m, int d) const { return reserved_(m, d) < 1; }

  // Exchanges a's and b's cells on day d; calling it again undoes it.
  void Exchange(int a, int b, int d) const;

  // The rules of both members' cells on day d and the day's combinations, as the
  // roster now stands.
  bool Holds(int a, int b, int d) const;

  // Whether a and b may exchange their cells on days from..to: none of them is
  // reserved and at least one pair of cells differs.
  bool BlockMovable(int a, int b, int from, int to) const;

  // Whether c fits a's two-day exchange of d1 and d2: c works exactly where a
  // rests and neither of c's cells is reserved.
  bool TwoDayPartner(int a, int c, int d1, int d2) const;

 private:
  ConditionModel& model_;
  const IndexGrid<int>& reserved_;
  RepairRules rules_;
};

}  // namespace tsumiki
