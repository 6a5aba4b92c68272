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

void Report(Host& host, const std::string& message) {
  host.MessageBox(message, csv_text::kTitle, MsgButtons::kOk, MsgIcon::kExclamation);
}

}  // namespace

void SaveConditionsMacro(workbook::Workbook& book, Host& host) {
  const std::string path = ConditionsPath(book);
  if (path.empty()) return Report(host, std::string(csv_text::kNoPath));
  if (const auto problem = SaveConditionsFile(book, path)) Report(host, *problem);
}

void LoadConditionsMacro(workbook::Workbook& book, Host& host) {
  const std::string path = ConditionsPath(book);
  if (path.empty()) return Report(host, std::string(csv_text::kNoPath));
  if (const auto problem = LoadConditionsFile(book, path)) Report(host, *problem);
}

void AttachLayout(workbook::Workbook& book, Host& host) {
  InstallDerivedNames(book);
  Host* h = &host;
  book.RegisterMacro(MacroKey(kMacroClear),
                     [h](workbook::Workbook& b) { ClearRosterFromStartDay(b, *h); });
  book.RegisterMacro(MacroKey(kMacroTransfer),
                     [h](workbook::Workbook& b) { TransferLastDays(b, *h); });
  book.RegisterMacro(MacroKey(kMacroColour), [h](workbook::Workbook& b) { ColourRoster(b, *h); });
  book.RegisterMacro(MacroKey(kMacroSaveConditions),
                     [h](workbook::Workbook& b) { SaveConditionsMacro(b, *h); });
  book.RegisterMacro(MacroKey(kMacroLoadConditions),
                     [h](workbook::Workbook& b) { LoadConditionsMacro(b, *h); });
}

}  // namespace tsumiki::layout
