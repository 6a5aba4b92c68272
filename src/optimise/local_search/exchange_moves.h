#pragma once

#include "conditions/condition_model.h"
#include "optimise/cell_exchange.h"
#include "optimise/local_search/cell_move.h"
#include "optimise/local_search/random_draw.h"
#include "ui/random.h"

namespace tsumiki {

// The random draws of the searches over days first..DayCount and the exchanges of
// cells between two members that they share. Each exchange keeps every day's
// staffing; a builder that finds no fitting partner adds nothing and says so.
class ExchangeMoves {
 public:
  ExchangeMoves(const ConditionModel& model, const CellExchange& cells, RandomSource& random,
                int first)
      : model_(model), cells_(cells), random_(random), first_(first) {}

  int First() const { return first_; }
  int Draw(int lo, int hi) { return DrawBetween(random_, lo, hi); }
  double Share() { return random_.RandomValue(); }
  int Day() { return Draw(first_, model_.DayCount); }
  int NearDay(int d, int near) { return Clamped(d + Draw(-near, near)); }
  int Member() { return Draw(1, model_.MemberCount); }

  // a works one of d1 and a second day (half the time within `near` days of d1,
  // else anywhere) and rests the other; a partner among `tries` drawn members
  // does the reverse. Both days are exchanged, so both keep their counts.
  bool TwoDay(int a, int d1, int near, int tries, CellMove& move);

  // a and a drawn member exchange days from..to (none reserved, one pair differs):
  // a run, a night with its after-night, or a single work day passed on.
  bool Block(int a, int from, int to, CellMove& move);

 private:
  int Clamped(int d) const;

  const ConditionModel& model_;
  const CellExchange& cells_;
  RandomSource& random_;
  int first_;
};

}  // namespace tsumiki
