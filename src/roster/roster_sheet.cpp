#include "roster/roster_sheet.h"

#include <algorithm>

#include "conditions/loader.h"
#include "conditions/time_table.h"
#include "roster/swap.h"
#include "ui/status.h"
#include "workbook/reading_modes.h"

namespace tsumiki {

namespace {

workbook::CellValue TextValue(const std::string& text) {
  // A rest day is an empty cell, not a cell holding an empty text.
  if (text.empty()) return {};
  return workbook::CellValue(text);
}

}  // namespace

RosterSheetCopy::RosterSheetCopy(workbook::Workbook& book)
    : book_(book),
      range_(layout::Range(book, layout::kTimeTable)),
      values_(book.ReadRange(range_)) {}

void RosterSheetCopy::Set(int m, int d, const std::string& text) {
  if (m < 1 || d < 1 || m > static_cast<int>(values_.size())) return;
  auto& row = values_[static_cast<std::size_t>(m - 1)];
  if (d > static_cast<int>(row.size())) return;
  row[static_cast<std::size_t>(d - 1)] = TextValue(text);
}

workbook::CellValue RosterSheetCopy::Get(int m, int d) const {
  if (m < 1 || d < 1 || m > static_cast<int>(values_.size())) return {};
  const auto& row = values_[static_cast<std::size_t>(m - 1)];
  if (d > static_cast<int>(row.size())) return {};
  return row[static_cast<std::size_t>(d - 1)];
}

void RosterSheetCopy::WriteBack() {
  book_.WriteBlock(range_, values_);
}

void WriteRosterCell(workbook::Workbook& book, int m, int d, const std::string& text) {
  const workbook::CellRange range = layout::Range(book, layout::kTimeTable);
  if (m < 1 || d < 1 || m > range.Rows() || d > range.Columns()) return;
  book.WriteCell(range, m, d, TextValue(text));
}

double ReadRosterNumber(const workbook::Workbook& book, const layout::NameSpec& name_spec) {
  const workbook::CellRange range = layout::Range(book, name_spec);
  const workbook::WorkbookError::Place place{book.Path().filename().string(),
                                             std::string(name_spec.sheet), std::string(name_spec.name),
                                             layout::CellName(range.top, range.left)};
  return workbook::ValueTextToDouble(book.ReadCell(range, 1, 1), place);
}

void ReadRosterBack(const EngineContext& ctx, int first_day, int last_day, bool quiet) {
  if (first_day == -1) return;
  ConditionModel& model = ctx.model;
  if (!quiet) {
    ShowStatus(ctx.host, kStatusReadingRoster, kDefaultColour, kDefaultColour, /*topmost=*/false,
               ctx.session.StatusPosition);
  }
  const TimeTableTexts sheet(ctx.book);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = first_day; d <= last_day; ++d) SetDuty(model, m, d, sheet.Duty(model, m, d));
  }
  ShowStatus(ctx.host, "", kDefaultColour, kDefaultColour, /*topmost=*/false,
             ctx.session.StatusPosition);
}

LoadResult LoadRosterConditions(EngineContext& ctx) {
  LoadResult loaded = LoadConditions(LoadContext{ctx.book, ctx.host, ctx.model,
                                                       ctx.session.StatusPosition,
                                                       ctx.session.ImproveSeconds,
                                                       /*warn=*/!ctx.run.LoadWarned});
  ctx.session.StatusPosition = loaded.status_position;
  ctx.run.LoadWarned = ctx.run.LoadWarned || loaded.warned;
  const int start = loaded.start_day;
  if (start >= 1) CountDays(ctx.model, start, ctx.model.DayCount);
  return loaded;
}

void WriteRosterDays(workbook::Workbook& book, const ConditionModel& model) {
  RosterSheetCopy sheet(book);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = std::max(1, model.StartDay); d <= model.DayCount; ++d) {
      sheet.Set(m, d, DutyText(model, model.Roster(m, d)));
    }
  }
  sheet.WriteBack();
}

}  // namespace tsumiki
