#include "exact/exact_model.h"

namespace tsumiki::exact {

ExactModel BuildExactModel(const ConditionModel& model, ModelKind kind) {
  ExactModel out;
  out.kind = kind;
  out.cells = std::make_unique<CellVariables>(model, out.lp);
  // At most one duty per member and day.
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = model.StartDay; d <= model.DayCount; ++d) {
      if (out.cells->Open(d)) out.lp.AddRow(out.cells->Works(m, d), 0, 1);
    }
  }
  AddStaffingRows(model, out);
  AddNextDayRows(model, out);
  AddForbiddenSequenceRows(model, out);
  AddRequiredSequenceRows(model, out);
  AddComboRows(model, out);
  AddWorkRunRows(model, out);
  AddTargetRows(model, out);
  AddExtraRows(model, out);
  // The relaxation weighs only what must give; wishes and desired staffing are the
  // month's own objective.
  if (kind == ModelKind::kMonth) AddSoftObjective(model, out);
  return out;
}

}  // namespace tsumiki::exact
