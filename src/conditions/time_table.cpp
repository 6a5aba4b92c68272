#include "conditions/time_table.h"

#include "conditions/layout.h"
#include "conditions/load_lookups.h"

namespace tsumiki {

TimeTableTexts::TimeTableTexts(const workbook::Workbook& book)
    : grid_(book.ReadGrid(layout::Range(book, layout::kTimeTable))) {}

std::string_view TimeTableTexts::Text(int m, int d) const {
  if (m < 1 || d < 1) return {};
  const auto row = static_cast<std::size_t>(m - 1);
  const auto col = static_cast<std::size_t>(d - 1);
  if (row >= grid_.size() || col >= grid_[row].size()) return {};
  return grid_[row][col];
}

int TimeTableTexts::Duty(const ConditionModel& model, int m, int d) const {
  const int type = AbbrevToType(model, Text(m, d));
  return type >= 1 && type <= model.TypeCount ? type : kRestDay;
}

int TimeTableTexts::JudgedDuty(const ConditionModel& model, int m, int d, int unknown) const {
  if (Text(m, d).empty()) return kRestDay;
  const int type = AbbrevToType(model, Text(m, d));
  return type >= 1 && type <= model.TypeCount ? type : unknown;
}

}  // namespace tsumiki
