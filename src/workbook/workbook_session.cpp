#include "workbook/workbook_impl.h"

namespace tsumiki::workbook {

namespace {

// "shift.xlsm!勤務Clear", "!勤務Clear" and "勤務Clear" all name the same macro.
std::string MacroKey(std::string_view name) {
  size_t bang = name.rfind('!');
  if (bang != std::string_view::npos) name.remove_prefix(bang + 1);
  return LookupKey(name);
}

}  // namespace

AppState Workbook::GetAppState() const {
  return impl_->app_state;
}

void Workbook::SetAppState(const AppState& state) {
  AppState& current = impl_->app_state;
  if (current.screen_updating != state.screen_updating)
    current.screen_updating = state.screen_updating;
  if (current.events != state.events) current.events = state.events;
  if (current.automatic_calculation != state.automatic_calculation) {
    current.automatic_calculation = state.automatic_calculation;
    // Turning calculation back on brings derived cells up to date at once.
    if (state.automatic_calculation) Recalculate();
  }
}

void Workbook::ActivateSheet(std::string_view name) {
  impl_->active_sheet = Sheet(name);
}

int Workbook::ActiveSheet() const {
  return impl_->active_sheet;
}

void Workbook::SelectRange(std::string_view sheet, std::string_view a1) {
  Select(Address(sheet, a1));
}

void Workbook::Select(const CellRange& range) {
  impl_->EnsureSheet(range.sheet);
  impl_->active_sheet = range.sheet;
  impl_->selection = {range.sheet, range};
  // 行番号 and 列番号 are derived from the selection: the next read must see them
  // follow it (the readjustment window reads them on every tick).
  impl_->inputs_changed = true;
}

Selection Workbook::CurrentSelection() const {
  return impl_->selection;
}

void Workbook::RegisterMacro(std::string name, Macro macro) {
  impl_->macros[MacroKey(name)] = std::move(macro);
}

std::optional<Notice> Workbook::RunMacro(std::string_view name) {
  auto it = impl_->macros.find(MacroKey(name));
  if (it == impl_->macros.end())
    throw WorkbookError(WorkbookError::Kind::kUnknownMacro,
                        {impl_->FileLabel(), {}, std::string(name), {}});
  Macro macro = it->second;  // a macro may register others while it runs
  return macro(*this);
}

void Workbook::SetRecalculator(Recalculator recalculator) {
  impl_->recalculator = std::move(recalculator);
  impl_->inputs_changed = true;
}

void Workbook::Recalculate() const {
  Impl& impl = *impl_;
  if (!impl.inputs_changed || !impl.recalculator || impl.recalculating) return;
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{impl.recalculating};
  impl.recalculating = true;
  impl.inputs_changed = false;
  try {
    impl.recalculator(const_cast<Workbook&>(*this));
  } catch (...) {
    impl.inputs_changed = true;  // derived cells are still stale: try again next read
    throw;
  }
}

void Workbook::MarkDerived(const CellRange& range) {
  impl_->EnsureSheet(range.sheet);
  for (const CellRange& known : impl_->derived)
    if (known == range) return;
  impl_->derived.push_back(range);
}

bool Workbook::IsDerived(int sheet, int row, int column) const {
  for (const CellRange& r : impl_->derived)
    if (r.sheet == sheet && row >= r.top && row <= r.bottom && column >= r.left &&
        column <= r.right)
      return true;
  return false;
}

void Workbook::SetChangeListener(ChangeListener listener) {
  impl_->listener = std::move(listener);
}

bool Workbook::IsModified() const {
  return impl_->modified;
}

}  // namespace tsumiki::workbook
