#include "conditions/load_lookups.h"

#include "conditions/layout.h"
#include "workbook/reading_modes.h"

namespace tsumiki {

int AbbrevToType(const ConditionModel& model, std::string_view text) {
  int found = 0;
  for (int t = 1; t <= model.TypeCount; ++t) {
    if (model.TypeAbbrev(t) == text) found = t;
  }
  if (text == "*") found = kAnyType;
  return found;
}

double LeadingNumber(std::string_view text) {
  try {
    return workbook::LeadingNumber(text);
  } catch (const workbook::WorkbookError&) {
    return 0;  // an exponent beyond any double: no usable number
  }
}

int MemberRowOfNumber(const ConditionModel& model, int n) {
  for (int m = 1; m <= model.MemberCount; ++m) {
    if (LeadingNumber(model.MemberInfo(m, 1)) == static_cast<double>(n)) return m;
  }
  return 0;
}

std::string CellAddress(int row, int column) {
  return layout::CellName(row, column);
}

}  // namespace tsumiki
