#include "exact/cell_variables.h"

#include <algorithm>

#include "roster/duty_mask.h"

namespace tsumiki::exact {

CellVariables::CellVariables(const ConditionModel& model, LinearModel& lp)
    : model_(&model), first_(std::max(1, model.StartDay)) {
  const int days = std::max(0, model.DayCount - first_ + 1);
  columns_.assign(static_cast<std::size_t>(model.MemberCount) * static_cast<std::size_t>(days) *
                      static_cast<std::size_t>(model.TypeCount),
                  -1);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = first_; d <= model.DayCount; ++d) {
      const int fixed = model.Fixed(m, d);
      const bool reserved = fixed >= 1 && fixed <= model.TypeCount;
      for (int t = 1; t <= model.TypeCount; ++t) {
        // A reservation stands even on a day the member's schedule bars: the
        // planner set both, and the reservation is what the roster must show.
        const bool allowed = reserved ? t == fixed : !MaskHasDuty(model.DutyBanMask(m, d), t);
        if (!allowed) continue;
        const int column = lp.AddColumn(reserved ? 1 : 0, 1, 0);
        columns_[Slot(m, d, t)] = column;
      }
    }
  }
}

std::size_t CellVariables::Slot(int m, int d, int t) const {
  const std::size_t days = static_cast<std::size_t>(model_->DayCount - first_ + 1);
  return ((static_cast<std::size_t>(m - 1) * days) + static_cast<std::size_t>(d - first_)) *
             static_cast<std::size_t>(model_->TypeCount) +
         static_cast<std::size_t>(t - 1);
}

int CellVariables::Column(int m, int d, int t) const {
  if (!Open(d) || m < 1 || m > model_->MemberCount || t < 1 || t > model_->TypeCount) return -1;
  return columns_[Slot(m, d, t)];
}

int CellVariables::GivenDuty(int m, int day) const {
  if (day > model_->DayCount) return kRestDay;
  if (day >= 1) return model_->Roster(m, day);
  if (!model_->UsePrevMonth || 1 - day > kPrevMonthDays) return kRestDay;
  return model_->PrevMonthTail(m, 1 - day);
}

std::vector<int> CellVariables::ColumnsOf(int m) const { return ColumnsOutside(m, 0, -1); }

std::vector<int> CellVariables::ColumnsOutside(int m, int first, int last) const {
  std::vector<int> columns;
  for (int d = first_; d <= model_->DayCount; ++d) {
    if (d >= first && d <= last) continue;
    for (int t = 1; t <= model_->TypeCount; ++t) {
      if (const int column = Column(m, d, t); column >= 0) columns.push_back(column);
    }
  }
  return columns;
}

LinearExpr CellVariables::Duty(int m, int day, int t) const {
  LinearExpr expr;
  if (Open(day)) {
    const int column = Column(m, day, t);
    if (column >= 0) expr.terms.emplace_back(column, 1.0);
  } else {
    expr.constant = GivenDuty(m, day) == t ? 1 : 0;
  }
  return expr;
}

LinearExpr CellVariables::Works(int m, int day) const {
  LinearExpr expr;
  if (!Open(day)) {
    expr.constant = GivenDuty(m, day) >= 1 ? 1 : 0;
    return expr;
  }
  for (int t = 1; t <= model_->TypeCount; ++t) expr.Add(Duty(m, day, t));
  return expr;
}

void CellVariables::ReadMonth(const std::vector<double>& values, IndexGrid<int>& roster) const {
  for (int m = 1; m <= model_->MemberCount; ++m) {
    for (int d = first_; d <= model_->DayCount; ++d) {
      int duty = kRestDay;
      for (int t = 1; t <= model_->TypeCount; ++t) {
        const int column = Column(m, d, t);
        if (column >= 0 && values[static_cast<std::size_t>(column)] > 0.5) duty = t;
      }
      roster(m, d) = duty;
    }
  }
}

}  // namespace tsumiki::exact
