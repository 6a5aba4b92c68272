#include "optimise/cell_exchange.h"

#include "roster/roster_change.h"

namespace tsumiki {

CellExchange::CellExchange(ConditionModel& model, const IndexGrid<int>& reserved,
                           bool extra_limits)
    : model_(model), reserved_(reserved), rules_(model, extra_limits) {}

void CellExchange::Exchange(int a, int b, int d) const {
  ExchangeCells(model_, a, b, d);
}

bool CellExchange::Holds(int a, int b, int d) const {
  return rules_.MemberDayHolds(model_, a, d) && rules_.MemberDayHolds(model_, b, d) &&
         (!rules_.HasCombos() || rules_.CombosHold(model_, d));
}

bool CellExchange::BlockMovable(int a, int b, int from, int to) const {
  bool differs = false;
  for (int d = from; d <= to; ++d) {
    if (!Free(a, d) || !Free(b, d)) return false;
    differs = differs || model_.Roster(a, d) != model_.Roster(b, d);
  }
  return differs;
}

bool CellExchange::TwoDayPartner(int a, int c, int d1, int d2) const {
  return c != a && (model_.Roster(c, d1) >= 1) == (model_.Roster(a, d2) >= 1) &&
         (model_.Roster(c, d2) >= 1) == (model_.Roster(a, d1) >= 1) && Free(c, d1) && Free(c, d2);
}

}  // namespace tsumiki
