#include "roster/roster_change.h"

#include "conditions/roster_writer.h"
#include "roster/swap.h"

namespace tsumiki {

namespace {

void Show(const ConditionModel& model, int m, int d, RosterCells* sheet) {
  if (sheet != nullptr) sheet->Set(m, d, DutyText(model, model.Roster(m, d)));
}

}  // namespace

void SetDuty(ConditionModel& model, int m, int d, int type, RosterCells* sheet) {
  RosterWriter::SetDuty(model, m, d, type);
  Show(model, m, d, sheet);
}

void PlaceDuty(ConditionModel& model, int m, int d, int type, RosterCells* sheet) {
  SetDuty(model, m, d, type, sheet);
}

void RemoveDuty(ConditionModel& model, int m, int d, RosterCells* sheet) {
  SetDuty(model, m, d, kRestDay, sheet);
}

void SwapDuties(ConditionModel& model, int a, int b, int d, RosterCells* sheet) {
  RosterWriter::SwapDuties(model, a, b, d);
  Show(model, a, d, sheet);
  Show(model, b, d, sheet);
}

void ExchangeCells(ConditionModel& model, int a, int b, int d) {
  RosterWriter::SwapDuties(model, a, b, d);
  RosterWriter::SwapFixed(model, a, b, d);
}

void SetFixedMark(ConditionModel& model, int m, int d, int type) {
  RosterWriter::SetFixed(model, m, d, type);
}

void CountFilledCell(ConditionModel& model, int m, int d, int counted) {
  RosterWriter::CountCell(model, m, d, counted);
}

void CountDays(ConditionModel& model, int first, int last) {
  RosterWriter::CountDays(model, first, last);
}

void RecountMonth(ConditionModel& model) {
  RosterWriter::RecountMonth(model);
}

}  // namespace tsumiki
