#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "conditions/layout.h"
#include "conditions/load_reader.h"
#include "conditions/load_steps.h"
#include "conditions/loader.h"
#include "conditions/loader_messages.h"
#include "workbook/reading_modes.h"

namespace tsumiki::load_steps {
namespace {

// A member cell counts when it holds a number, or a text that is one number.
std::optional<int> MemberNumber(const workbook::CellValue& value) {
  if (value.IsNumber()) {
    if (!std::isfinite(value.Number()) || std::fabs(value.Number()) > 1e9) return std::nullopt;
    return workbook::RoundHalfEven(value.Number());
  }
  if (!value.IsText()) return std::nullopt;
  const std::string& text = value.Text();
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const auto last = text.find_last_not_of(" \t");
  const std::string trimmed = text.substr(first, last - first + 1);
  char* end = nullptr;
  const double number = std::strtod(trimmed.c_str(), &end);
  if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(number) ||
      std::fabs(number) > 1e9 || trimmed.find_first_of("xXnN") != std::string::npos) {
    return std::nullopt;
  }
  return workbook::RoundHalfEven(number);
}

struct ComboTable {
  const layout::NameSpec& count;
  const layout::NameSpec& rows;
  std::string_view unknown_type;
  bool required;
};

bool ReadComboTable(LoadContext& ctx, const ComboTable& table, int& count_out,
                    IndexArray<ComboRule>& records) {
  workbook::Workbook& book = ctx.book;
  const NamedRangeReader count_cell(book, table.count);
  const int count = count_cell.Int();
  if (count < 0) count_cell.Fail(load_text::kNegativeCount);
  if (count > kMaxComboRows) count_cell.Fail(load_text::kTooManyComboRows);
  count_out = count;
  if (count == 0) return true;

  const NamedRangeReader rows(book, table.rows);
  rows.RequireSize(count, 2);
  // Member columns beyond a narrower table are not read; a member typed there
  // would be left out of the rule (a required pair of one member never holds).
  const int widest = std::min(kComboMembers, (rows.range().Columns() + 1) / 5);
  for (int p = 1; p <= count; ++p) {
    for (int k = widest + 1; k <= kComboMembers; ++k) {
      if (!rows.Text(p, 5 * k - 1).empty()) rows.RequireSize(count, 5 * k - 1);
    }
  }
  for (int p = 1; p <= count; ++p) {
    const std::string type_name = rows.Text(p, 1);
    if (type_name.empty()) continue;
    ComboRule& rule = records(p);
    rule.TypeIndex = TypeNameToType(book, ctx.model, type_name);
    if (rule.TypeIndex == -1) {
      ShowSheetRange(book, table.rows.sheet, table.rows.name);
      Report(ctx, table.unknown_type, load_text::kComboTitle);
      return false;
    }
    // A required combination names the one duty whose staffing it fills.
    if (table.required && rule.TypeIndex == kAnyType) {
      ShowSheetRange(book, table.rows.sheet, table.rows.name);
      Report(ctx, layout::Format(load_text::kAnyTypeRequiredCombo, {std::to_string(p)}),
             load_text::kComboTitle);
      return false;
    }
    rule.Count = rows.Int(p, 2);
    for (int k = 1; k <= widest; ++k) {
      const workbook::CellValue cell = rows.Value(p, 5 * k - 1);
      if (const std::optional<int> number = MemberNumber(cell)) {
        rule.Members[static_cast<std::size_t>(k)] = *number;
      }
    }
  }
  return true;
}

}  // namespace

bool ReadCombos(LoadContext& ctx) {
  ConditionModel& model = ctx.model;
  const ComboTable forbidden{layout::kForbiddenComboCnt, layout::kForbiddenCombos,
                             load_text::kUnknownForbiddenComboType, false};
  if (!ReadComboTable(ctx, forbidden, model.ForbiddenComboCount, model.ForbiddenCombos)) {
    return false;
  }
  const ComboTable required{layout::kRequiredComboCnt, layout::kRequiredCombos,
                            load_text::kUnknownRequiredComboType, true};
  return ReadComboTable(ctx, required, model.RequiredComboCount, model.RequiredCombos);
}

}  // namespace tsumiki::load_steps
