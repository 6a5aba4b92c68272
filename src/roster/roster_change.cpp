#include "roster/roster_change.h"

#include "roster/swap.h"

namespace tsumiki {

namespace {

void Count(ConditionModel& model, int m, int type, int delta) {
  if (type < 1) return;
  model.TypeTally(m, type) += delta;
  model.TypeTally(m, kTallyTotal) += delta;
  model.WorkDays(m) += delta;
}

void Show(const ConditionModel& model, int m, int d, RosterCells* sheet) {
  if (sheet != nullptr) sheet->Set(m, d, DutyText(model, model.Roster(m, d)));
}

}  // namespace

void SetDuty(ConditionModel& model, int m, int d, int type, RosterCells* sheet) {
  Count(model, m, model.Roster(m, d), -1);
  model.Roster(m, d) = type;
  Count(model, m, type, +1);
  Show(model, m, d, sheet);
}

void PlaceDuty(ConditionModel& model, int m, int d, int type, RosterCells* sheet) {
  SetDuty(model, m, d, type, sheet);
}

void RemoveDuty(ConditionModel& model, int m, int d, RosterCells* sheet) {
  SetDuty(model, m, d, kRestDay, sheet);
}

void SwapDuties(ConditionModel& model, int a, int b, int d, RosterCells* sheet) {
  const int x = model.Roster(a, d);
  const int y = model.Roster(b, d);
  model.Roster(a, d) = y;
  model.Roster(b, d) = x;
  Count(model, a, y, +1);
  Count(model, a, x, -1);
  Count(model, b, x, +1);
  Count(model, b, y, -1);
  Show(model, a, d, sheet);
  Show(model, b, d, sheet);
}

void CountFilledCell(ConditionModel& model, int m, int d, int counted) {
  const int now = model.Roster(m, d);
  if (counted == now) return;
  Count(model, m, counted, -1);
  Count(model, m, now, +1);
}

void CountDays(ConditionModel& model, int first, int last) {
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = first; d <= last; ++d) Count(model, m, model.Roster(m, d), +1);
  }
}

void RecountMonth(ConditionModel& model) {
  for (int m = 1; m <= model.MemberCount; ++m) {
    model.WorkDays(m) = 0;
    for (int t = 1; t <= kTallyTotal; ++t) model.TypeTally(m, t) = 0;
  }
  CountDays(model, 1, model.DayCount);
}

}  // namespace tsumiki
