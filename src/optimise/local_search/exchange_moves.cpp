#include "optimise/local_search/exchange_moves.h"

#include <algorithm>

namespace tsumiki {

int ExchangeMoves::Clamped(int d) const { return std::clamp(d, first_, model_.DayCount); }

bool ExchangeMoves::TwoDay(int a, int d1, int near, int tries, CellMove& move) {
  const int d2 = Share() < 0.5 ? NearDay(d1, near) : Day();
  const bool a1 = model_.Roster(a, d1) >= 1;
  const bool a2 = model_.Roster(a, d2) >= 1;
  if (d1 == d2 || a1 == a2 || !cells_.Free(a, d1) || !cells_.Free(a, d2)) return false;
  for (int k = 0; k < tries; ++k) {
    const int b = Member();
    if (cells_.TwoDayPartner(a, b, d1, d2)) {
      move.Exchange(a, b, d1);
      move.Exchange(a, b, d2);
      return true;
    }
  }
  return false;
}

bool ExchangeMoves::Block(int a, int from, int to, CellMove& move) {
  const int b = Member();
  if (a == b || !cells_.BlockMovable(a, b, from, to)) return false;
  for (int d = from; d <= to; ++d) move.Exchange(a, b, d);
  return true;
}

}  // namespace tsumiki
