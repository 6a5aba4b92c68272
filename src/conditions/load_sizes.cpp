#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "conditions/layout.h"
#include "conditions/load_reader.h"
#include "conditions/load_steps.h"
#include "conditions/loader_messages.h"
#include "conditions/sample_texts.h"
#include "workbook/a1_reference.h"
#include "workbook/reading_modes.h"

namespace tsumiki::load_steps {
namespace {

// How far below a list the loader looks for rows typed beyond its end.
constexpr int kRowsLookedBelow = 1000;

bool RowTyped(const NamedRangeReader& list, int row) {
  for (int c = 1; c <= list.range().Columns(); ++c) {
    if (!list.Text(row, c).empty()) return true;
  }
  return false;
}

// Members typed on the rows directly below Member_List belong to it: a range that
// stops short of them would drop those members without a word (Member_Cnt counts
// only the rows inside the range).
void RequireListReachesItsLastRow(const NamedRangeReader& list) {
  const int rows = list.range().Rows();
  const int last_row = std::min(list.range().bottom + kRowsLookedBelow, workbook::kMaxRows);
  int typed = rows;
  while (list.range().top + typed <= last_row && RowTyped(list, typed + 1)) ++typed;
  list.RequireSize(typed, list.range().Columns());
}

bool Overlap(const workbook::CellRange& a, const workbook::CellRange& b) {
  return a.sheet == b.sheet && a.left <= b.right && b.left <= a.right && a.top <= b.bottom &&
         b.top <= a.bottom;
}

std::string AreaText(const workbook::Workbook& book, const workbook::CellRange& area) {
  return book.SheetName(area.sheet) + "!" + layout::CellName(area.top, area.left) + ":" +
         layout::CellName(area.bottom, area.right);
}

// The roster grid is the one area the program writes wholesale (a build, the
// clear macro): defined over member data or another area, a save would write
// duties over them.
void RequireRosterApart(const workbook::Workbook& book, const NamedRangeReader& roster) {
  for (const layout::NameSpec& other : layout::AllNames()) {
    if (other.name == layout::kTimeTable.name || !layout::Has(book, other)) continue;
    const workbook::CellRange area = layout::Range(book, other);
    if (!Overlap(roster.range(), area)) continue;
    roster.Fail(layout::Format(load_text::kAreasOverlap,
                               {AreaText(book, roster.range()), other.name, AreaText(book, area)}));
  }
}

// The places where a workbook of this form keeps the titles, notes and labels of
// a sheet: they have no name, so the overlap with named areas misses them.
std::vector<std::pair<int, int>> TitlePlaces(const workbook::Workbook& book, int sheet) {
  std::vector<std::pair<int, int>> places;
  for (const layout::SheetText& text : layout::SheetTexts()) {
    if (book.FindSheet(text.sheet) != sheet) continue;
    for (int row = 1; row <= 1 + static_cast<int>(text.lines.size()); ++row)
      places.emplace_back(row, 1);
  }
  for (const layout::SheetLabel& label : layout::SheetLabels()) {
    if (book.FindSheet(label.sheet) == sheet) places.emplace_back(label.row, label.column);
  }
  return places;
}

bool IsAbbrev(const ConditionModel& model, const std::string& text) {
  for (int t = 1; t <= model.TypeCount; ++t) {
    if (model.TypeAbbrev(t) == text) return true;
  }
  return false;
}

// A title place inside the grid that holds something other than a duty: the
// grid was defined over the sheet's titles, which a build or a clear would wipe.
// A workbook of another form may keep a duty there, or nothing.
void RequireRosterOffTitles(const workbook::Workbook& book, const ConditionModel& model,
                            const NamedRangeReader& roster) {
  const workbook::CellRange& area = roster.range();
  for (const auto& [row, column] : TitlePlaces(book, area.sheet)) {
    if (row < area.top || row > area.bottom || column < area.left || column > area.right)
      continue;
    const std::string held = workbook::ValueToText(book.Value(area.sheet, row, column));
    if (held.empty() || IsAbbrev(model, held)) continue;
    const std::string cell = book.SheetName(area.sheet) + "!" + layout::CellName(row, column);
    roster.Fail(layout::Format(load_text::kRosterOverTitle, {AreaText(book, area), held, cell}));
  }
}

}  // namespace

void CheckRangeSizes(LoadContext& ctx) {
  workbook::Workbook& book = ctx.book;
  const ConditionModel& model = ctx.model;
  const int days = model.DayCount;
  const int types = model.TypeCount;
  const int members = model.MemberCount;
  NamedRangeReader(book, layout::kTypeNames).RequireCells(types);
  NamedRangeReader(book, layout::kDayBefore).RequireSize(1, types);
  NamedRangeReader(book, layout::kNextDayBanInput).RequireSize(types, types);
  NamedRangeReader(book, layout::kWeights).RequireCells(kWeightCount);
  const NamedRangeReader member_list(book, layout::kMemberList);
  member_list.RequireSize(members, 2);
  RequireListReachesItsLastRow(member_list);
  NamedRangeReader(book, layout::kScheduleInput).RequireSize(members, days);
  NamedRangeReader(book, layout::kMemberDayOff).RequireSize(members, 1);
  NamedRangeReader(book, layout::kNeedTable).RequireSize(types, days);
  NamedRangeReader(book, layout::kMemberRsv).RequireSize(members, days);
  const NamedRangeReader roster(book, layout::kTimeTable);
  roster.RequireSize(members, days);
  RequireRosterApart(book, roster);
  RequireRosterOffTitles(book, model, roster);
  if (const auto schedule = NamedRangeReader::IfPresent(book, layout::kMemberScdl))
    schedule->RequireSize(members, days);
}

}  // namespace tsumiki::load_steps
