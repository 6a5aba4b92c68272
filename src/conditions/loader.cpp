#include "conditions/loader.h"

#include <string>
#include <vector>

#include "conditions/derived_calendar.h"
#include "conditions/input_problems.h"
#include "conditions/layout.h"
#include "conditions/load_reader.h"
#include "conditions/load_steps.h"
#include "conditions/loader_messages.h"
#include "ui/app_identity.h"
#include "ui/status.h"
#include "workbook/reading_modes.h"

namespace tsumiki {
namespace {

constexpr std::size_t kProblemsShown = 10;

int ReadCount(workbook::Workbook& book, const layout::NameSpec& name_spec, int most) {
  const NamedRangeReader reader(book, name_spec);
  const int count = reader.DisplayedNumber();
  if (count < 0) reader.Fail(load_text::kNegativeCount);
  if (most > 0 && count > most) reader.Fail(load_text::kTooManyTypes);
  return count;
}

// A short name is what the roster cells hold and what the schedule lists: one
// that is blank, 休 or * (which mean a day off and any duty), contains a
// separator of the schedule's lists, or repeats another type's, would be read
// back as a different duty.
void CheckAbbrev(const NamedRangeReader& abbrevs, const ConditionModel& model, int t, int row,
                 int column) {
  const std::string& abbrev = model.TypeAbbrev(t);
  if (abbrev.empty()) abbrevs.Fail(load_text::kAbbrevBlank, row, column);
  if (abbrev == "休" || abbrev == "*") abbrevs.Fail(load_text::kAbbrevReserved, row, column);
  for (const std::string_view bad : load_text::kAbbrevForbiddenChars) {
    if (abbrev.find(bad) != std::string::npos) {
      abbrevs.Fail(layout::Format(load_text::kAbbrevBadChar, {bad}), row, column);
    }
  }
  for (int u = 1; u < t; ++u) {
    if (model.TypeAbbrev(u) == abbrev) {
      abbrevs.Fail(layout::Format(load_text::kAbbrevDuplicate,
                                  {layout::CellName(abbrevs.range().top + abbrevs.RowOfIndex(u) - 1,
                                                    abbrevs.range().left +
                                                        abbrevs.ColumnOfIndex(u) - 1)}),
                   row, column);
    }
  }
}

// Typed cells that cannot be understood would otherwise be read as 0 (an
// unknown short name in the schedule bans nothing): tell the planner first.
// "*" in the reservations stands for no duty in particular and reads as a free
// cell, so it is no problem to report.
bool IsFreeReservation(workbook::Workbook& book, const InputProblem& problem) {
  if (problem.sheet != layout::kSheetReservation) return false;
  const workbook::CellRange cell = book.Address(problem.sheet, problem.cell);
  return workbook::ValueToText(book.ReadCell(cell, 1, 1)) == "*";
}

bool ReportInputProblems(LoadContext& ctx) {
  std::vector<InputProblem> problems = FindInputProblems(ctx.book);
  std::erase_if(problems, [&](const InputProblem& p) { return IsFreeReservation(ctx.book, p); });
  if (problems.empty()) return true;
  std::string text(load_text::kInputProblemsLead);
  for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) {
    const InputProblem& p = problems[i];
    text += "\n" + layout::Format(load_text::kInputProblemLine, {p.sheet, p.cell, p.message});
  }
  if (problems.size() > kProblemsShown) {
    text += "\n" + layout::Format(load_text::kInputProblemsMore,
                                  {std::to_string(problems.size() - kProblemsShown)});
  }
  ctx.book.ActivateSheet(problems.front().sheet);
  ctx.book.SelectRange(problems.front().sheet, problems.front().cell);
  load_steps::Report(ctx, text, load_text::kInputProblemsTitle);
  ctx.refusal->sheet = problems.front().sheet;
  ctx.refusal->cell = problems.front().cell;
  return false;
}

// StartDay counts from the first day of the period; 0 when 日 names no day of it.
int ComputeStartDay(const ConditionModel& model) {
  const auto start = layout::PeriodStart(model.CreateYear, model.CreateMonth, model.BaseStartDay);
  if (!start) return 0;
  return layout::StartDayIndex(*start, model.DayCount, model.CreateStartDay);
}

int LoadAll(LoadContext& ctx) {
  ConditionModel& model = ctx.model;
  LoadCounts(ctx.book, model);
  load_steps::CheckRangeSizes(ctx);
  if (!ReportInputProblems(ctx)) return -1;
  load_steps::ReadBasicSettings(ctx);
  load_steps::ReadPastTotals(ctx);

  model.StartDay = ComputeStartDay(model);
  if (model.StartDay < 1 || model.StartDay > model.DayCount) {
    load_steps::Report(
        ctx,
        layout::Format(load_text::kStartDayOutside,
                       {std::to_string(model.CreateStartDay),
                        layout::PeriodDayText(model.CreateYear, model.CreateMonth,
                                              model.BaseStartDay, 1),
                        layout::PeriodDayText(model.CreateYear, model.CreateMonth,
                                              model.BaseStartDay, model.DayCount)}),
        kTitleText);
    return -1;
  }

  if (!load_steps::ReadMembers(ctx)) return -1;
  load_steps::ReadStaffing(ctx);
  if (!load_steps::ReadCombos(ctx)) return -1;
  load_steps::PlaceReservations(ctx);
  if (!load_steps::CheckContradictions(ctx)) return -1;
  load_steps::ReadPrevMonth(ctx);
  load_steps::Status(ctx, "");
  return model.StartDay;
}

}  // namespace

namespace load_steps {

void Status(LoadContext& ctx, std::string_view text) {
  ShowStatus(ctx.host, text, kDefaultColour, kDefaultColour, /*topmost=*/false,
             ctx.status_position);
}

void Report(LoadContext& ctx, std::string_view text, std::string_view title) {
  Status(ctx, "");
  ctx.refusal = Notice{.text = std::string(text), .title = std::string(title)};
}

}  // namespace load_steps

void LoadCounts(workbook::Workbook& book, ConditionModel& model) {
  const int days = ReadCount(book, layout::kDayCnt, 0);
  const int types = ReadCount(book, layout::kTypeCnt, kMaxTypes);
  const int members = ReadCount(book, layout::kMemberCnt, 0);
  model.Resize(days, types, members);
  const NamedRangeReader abbrevs(book, layout::kTypeAbbrev);
  abbrevs.RequireCells(types);
  for (int t = 1; t <= types; ++t) {
    const int row = abbrevs.RowOfIndex(t);
    const int column = abbrevs.ColumnOfIndex(t);
    model.TypeAbbrev(t) = abbrevs.Text(row, column);
    CheckAbbrev(abbrevs, model, t, row, column);
  }
}

LoadResult LoadConditions(LoadContext ctx) {
  try {
    const int start_day = LoadAll(ctx);
    return LoadResult{start_day, ctx.status_position, ctx.warned, std::move(ctx.refusal)};
  } catch (const workbook::WorkbookError& error) {
    load_steps::Report(ctx, std::string(load_text::kReadFailureLead) + error.JapaneseMessage(),
                       kTitleText);
    return LoadResult{-1, ctx.status_position, ctx.warned, std::move(ctx.refusal)};
  }
}

int TypeNameToType(workbook::Workbook& book, const ConditionModel& model, std::string_view text) {
  const NamedRangeReader names(book, layout::kTypeNames);
  int found = -1;
  for (int t = 1; t <= model.TypeCount; ++t) {
    if (names.Text(names.RowOfIndex(t), names.ColumnOfIndex(t)) == text) found = t;
  }
  if (text == "*") found = kAnyType;
  return found;
}

void ShowSheetRange(workbook::Workbook& book, std::string_view sheet, std::string_view range_name) {
  book.ActivateSheet(sheet);
  if (!range_name.empty()) book.Select(book.SheetRange(sheet, range_name));
}

}  // namespace tsumiki
