#pragma once

#include <cstddef>
#include <vector>

#include "conditions/condition_model.h"

namespace tsumiki {

// One change of a move, made through the roster's change path.
struct CellChange {
  enum class Kind {
    kExchange,  // members a and b exchange their cells of day d, marks in Fixed with them
    kMoveDuty,  // member a's duty of day d goes to day `to`, where a rested
    kSet,       // member a's cell of day d becomes `type`, its Fixed mark `fixed`
  };
  Kind kind = Kind::kExchange;
  int a = 0;
  int b = 0;
  int d = 0;
  int to = 0;
  int type = 0;
  int fixed = 0;
  // What a kSet found, filled in when it is applied, for the undo.
  int old_type = 0;
  int old_fixed = 0;
};

// A move as the list of its changes: the move selectors build it from the roster
// as it stands, Apply makes the changes in order and Undo takes them back in the
// reverse order, so that every change sees the roster its builder assumed and the
// roster, TypeTally and WorkDays come back exactly. Changes are operations, not
// values: a chain may exchange a cell that an earlier change of the same move
// already exchanged.
class CellMove {
 public:
  void Clear() { changes_.clear(); }
  bool Empty() const { return changes_.empty(); }
  int Size() const { return static_cast<int>(changes_.size()); }
  const CellChange& operator[](int i) const { return changes_[static_cast<std::size_t>(i)]; }
  const CellChange& Last() const { return changes_.back(); }

  void Exchange(int a, int b, int d);
  void MoveDuty(int a, int from, int to);
  void Set(int m, int d, int type, int fixed = 0);

  void Apply(ConditionModel& model) { ApplyFrom(model, 0); }
  // Takes every change back; the list stays, for the caller to read what moved.
  void Undo(ConditionModel& model);
  // For a move built link by link on the roster as it goes: makes changes
  // first..Size()-1, or takes back changes keep..Size()-1 and drops them.
  void ApplyFrom(ConditionModel& model, int first);
  void UndoTo(ConditionModel& model, int keep);
  // Drops changes keep..Size()-1 that were built but not applied.
  void Truncate(int keep) { changes_.resize(static_cast<std::size_t>(keep)); }

  // Calls visit(m, d) for every cell the move changes (a cell may come twice).
  template <typename Visit>
  void ForEachCell(Visit visit) const {
    for (const CellChange& c : changes_) {
      visit(c.a, c.d);
      if (c.kind == CellChange::Kind::kExchange) visit(c.b, c.d);
      if (c.kind == CellChange::Kind::kMoveDuty) visit(c.a, c.to);
    }
  }

 private:
  std::vector<CellChange> changes_;
};

}  // namespace tsumiki
