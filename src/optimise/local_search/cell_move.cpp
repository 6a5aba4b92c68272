#include "optimise/local_search/cell_move.h"

#include "roster/roster_change.h"

namespace tsumiki {

namespace {

void Move(ConditionModel& model, int a, int from, int to) {
  SetDuty(model, a, to, model.Roster(a, from));
  SetDuty(model, a, from, kRestDay);
}

void Make(ConditionModel& model, CellChange& c) {
  switch (c.kind) {
    case CellChange::Kind::kExchange:
      ExchangeCells(model, c.a, c.b, c.d);
      return;
    case CellChange::Kind::kMoveDuty:
      Move(model, c.a, c.d, c.to);
      return;
    case CellChange::Kind::kSet:
      c.old_type = model.Roster(c.a, c.d);
      c.old_fixed = model.Fixed(c.a, c.d);
      SetDuty(model, c.a, c.d, c.type);
      SetFixedMark(model, c.a, c.d, c.fixed);
      return;
  }
}

void TakeBack(ConditionModel& model, const CellChange& c) {
  switch (c.kind) {
    case CellChange::Kind::kExchange:
      ExchangeCells(model, c.a, c.b, c.d);
      return;
    case CellChange::Kind::kMoveDuty:
      Move(model, c.a, c.to, c.d);
      return;
    case CellChange::Kind::kSet:
      SetDuty(model, c.a, c.d, c.old_type);
      SetFixedMark(model, c.a, c.d, c.old_fixed);
      return;
  }
}

}  // namespace

void CellMove::Exchange(int a, int b, int d) {
  CellChange& c = changes_.emplace_back();
  c.kind = CellChange::Kind::kExchange;
  c.a = a;
  c.b = b;
  c.d = d;
}

void CellMove::MoveDuty(int a, int from, int to) {
  CellChange& c = changes_.emplace_back();
  c.kind = CellChange::Kind::kMoveDuty;
  c.a = a;
  c.d = from;
  c.to = to;
}

void CellMove::Set(int m, int d, int type, int fixed) {
  CellChange& c = changes_.emplace_back();
  c.kind = CellChange::Kind::kSet;
  c.a = m;
  c.d = d;
  c.type = type;
  c.fixed = fixed;
}

void CellMove::ApplyFrom(ConditionModel& model, int first) {
  for (std::size_t i = static_cast<std::size_t>(first); i < changes_.size(); ++i) {
    Make(model, changes_[i]);
  }
}

void CellMove::Undo(ConditionModel& model) {
  for (auto it = changes_.rbegin(); it != changes_.rend(); ++it) TakeBack(model, *it);
}

void CellMove::UndoTo(ConditionModel& model, int keep) {
  while (static_cast<int>(changes_.size()) > keep) {
    TakeBack(model, changes_.back());
    changes_.pop_back();
  }
}

}  // namespace tsumiki
