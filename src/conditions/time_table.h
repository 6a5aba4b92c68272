#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "conditions/condition_model.h"
#include "workbook/workbook.h"

namespace tsumiki {

// The roster sheet's Time_Table as displayed texts, read once: row m is member m,
// column d day d. Every reader of the sheet's roster goes through it, so that a
// cell outside the range and a text that names no duty read alike everywhere.
class TimeTableTexts {
 public:
  explicit TimeTableTexts(const workbook::Workbook& book);

  // The text of member m on day d; empty outside the range.
  std::string_view Text(int m, int d) const;
  // The duty the cell names as the engine reads it back: 1..TypeCount, or 0 for a
  // text that names no duty ("*" included: no duty that can stand in a roster).
  int Duty(const ConditionModel& model, int m, int d) const;
  // The cell as a month is judged: 0 for an empty cell, 1..TypeCount for a short
  // name, `unknown` for any other text.
  int JudgedDuty(const ConditionModel& model, int m, int d, int unknown) const;

 private:
  std::vector<std::vector<std::string>> grid_;
};

}  // namespace tsumiki
