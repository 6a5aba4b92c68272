#include "conditions/macro_registry.h"

#include "conditions/csv_conditions.h"
#include "conditions/derived_names.h"
#include "conditions/derived_values.h"
#include "conditions/layout.h"
#include "conditions/macro_roster.h"

namespace tsumiki::layout {
namespace {

// The path in 名前リスト!C1, or empty.
std::string ConditionsPath(const workbook::Workbook& book) {
  const workbook::CellRange cell = ConditionsPathCell(book);
  return TrimSpaces(ValueText(book.ReadCell(cell, 1, 1)));
}

Notice Problem(const std::string& message) {
  return Notice{.text = message, .title = std::string(csv_text::kTitle),
                .icon = MsgIcon::kExclamation};
}

}  // namespace

std::optional<Notice> SaveConditionsMacro(workbook::Workbook& book) {
  const std::string path = ConditionsPath(book);
  if (path.empty()) return Problem(std::string(csv_text::kNoPath));
  if (const auto problem = SaveConditionsFile(book, path)) return Problem(*problem);
  return std::nullopt;
}

std::optional<Notice> LoadConditionsMacro(workbook::Workbook& book) {
  const std::string path = ConditionsPath(book);
  if (path.empty()) return Problem(std::string(csv_text::kNoPath));
  if (const auto problem = LoadConditionsFile(book, path)) return Problem(*problem);
  return std::nullopt;
}

void AttachLayout(workbook::Workbook& book) {
  InstallDerivedNames(book);
  book.RegisterMacro(MacroKey(kMacroClear), ClearRosterFromStartDay);
  book.RegisterMacro(MacroKey(kMacroTransfer), TransferLastDays);
  book.RegisterMacro(MacroKey(kMacroColour), ColourRoster);
  book.RegisterMacro(MacroKey(kMacroSaveConditions), SaveConditionsMacro);
  book.RegisterMacro(MacroKey(kMacroLoadConditions), LoadConditionsMacro);
}

}  // namespace tsumiki::layout
