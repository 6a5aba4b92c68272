#include "app/roster_snapshot.h"

#include "conditions/layout.h"

namespace tsumiki {

namespace {
std::string CellText(const workbook::Workbook& book, const layout::NameSpec& name) {
  if (!layout::Has(book, name)) return {};
  return book.ReadCellText(layout::Range(book, name), 1, 1);
}
}  // namespace

std::optional<RosterSnapshot> TakeRosterSnapshot(const workbook::Workbook& book) {
  if (!layout::Has(book, layout::kTimeTable)) return std::nullopt;
  RosterSnapshot snapshot;
  snapshot.table = layout::Range(book, layout::kTimeTable);
  const workbook::CellRange& t = snapshot.table;
  snapshot.values = book.ReadRange(t);
  snapshot.fills.assign(static_cast<std::size_t>(t.Rows()), std::vector<int>());
  for (int r = 0; r < t.Rows(); ++r) {
    auto& row = snapshot.fills[static_cast<std::size_t>(r)];
    row.reserve(static_cast<std::size_t>(t.Columns()));
    for (int c = 0; c < t.Columns(); ++c) {
      row.push_back(book.InteriorColorIndex(t.sheet, t.top + r, t.left + c));
    }
  }
  snapshot.year = CellText(book, layout::kYear);
  snapshot.month = CellText(book, layout::kMonth);
  return snapshot;
}

void RestoreRosterSnapshot(workbook::Workbook& book, const RosterSnapshot& snapshot) {
  const workbook::CellRange& t = snapshot.table;
  for (int r = 0; r < t.Rows(); ++r) {
    for (int c = 0; c < t.Columns(); ++c) {
      const auto ur = static_cast<std::size_t>(r);
      const auto uc = static_cast<std::size_t>(c);
      if (book.Value(t.sheet, t.top + r, t.left + c) != snapshot.values[ur][uc]) {
        book.SetValue(t.sheet, t.top + r, t.left + c, snapshot.values[ur][uc]);
      }
      if (book.InteriorColorIndex(t.sheet, t.top + r, t.left + c) != snapshot.fills[ur][uc]) {
        book.SetInteriorColorIndex(t.sheet, t.top + r, t.left + c, snapshot.fills[ur][uc]);
      }
    }
  }
}

std::string MonthText(const RosterSnapshot& snapshot) {
  if (snapshot.year.empty() || snapshot.month.empty()) return {};
  return snapshot.year + "年" + snapshot.month + "月";
}

}  // namespace tsumiki
