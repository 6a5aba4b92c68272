#include <string>
#include <utility>
#include <vector>

#include "conditions/derived_calendar.h"
#include "conditions/layout.h"
#include "conditions/load_lookups.h"
#include "conditions/load_reader.h"
#include "conditions/load_steps.h"
#include "conditions/loader_messages.h"
#include "conditions/roster_writer.h"

namespace tsumiki::load_steps {
namespace {

using workbook::WorkbookError;

// A duty written on a sheet as a short name; "*" stands for no duty in
// particular, which cannot be placed, so it reads as a free cell.
int PlaceableDuty(const ConditionModel& model, const std::string& text) {
  const int c = AbbrevToType(model, text);
  return c == kAnyType ? 0 : c;
}

int ReservationCount(workbook::Workbook& book, int fallback) {
  try {
    return NamedRangeReader(book, layout::kReservationCnt).Int();
  } catch (const WorkbookError&) {
    return fallback;
  }
}

constexpr std::size_t kConflictsShown = 10;

std::string CellLabel(const NamedRangeReader& reader, int row, int column) {
  const WorkbookError::Place place = reader.PlaceOf(row, column);
  return place.sheet + "!" + place.cell;
}

// A reservation on a day whose schedule bars that duty (a day-off request, or a
// ban of the duty) is placed all the same, as it always was: the planner is told,
// with both cells, and the load goes on.
void WarnOfScheduleConflicts(LoadContext& ctx, const NamedRangeReader& reserved,
                             const std::vector<std::pair<int, int>>& conflicts) {
  if (conflicts.empty() || !ctx.warn) return;
  ctx.warned = true;
  const ConditionModel& model = ctx.model;
  const auto schedule = NamedRangeReader::IfPresent(ctx.book, layout::kScheduleInput);
  std::string text(load_text::kReservationOverScheduleLead);
  for (std::size_t i = 0; i < conflicts.size() && i < kConflictsShown; ++i) {
    const auto [m, d] = conflicts[i];
    text += "\n" + layout::Format(load_text::kReservationOverScheduleLine,
                                  {model.MemberInfo(m, 1), model.MemberInfo(m, 2),
                                   layout::PeriodDayText(model.CreateYear, model.CreateMonth,
                                                         model.BaseStartDay, d), model.TypeAbbrev(model.Fixed(m, d)),
                                   CellLabel(reserved, m, d), schedule ? schedule->Text(m, d) : "",
                                   schedule ? CellLabel(*schedule, m, d) : ""});
  }
  if (conflicts.size() > kConflictsShown) {
    text += "\n" + layout::Format(load_text::kInputProblemsMore,
                                  {std::to_string(conflicts.size() - kConflictsShown)});
  }
  Status(ctx, "");  // not over the warning
  ctx.host.ShowWarning(text);
  Status(ctx, load_text::kStatusReservations);
}

void SetCalculation(workbook::Workbook& book, bool automatic) {
  workbook::AppState state;
  state.screen_updating = true;
  state.automatic_calculation = automatic;
  state.events = false;
  book.SetAppState(state);
}

}  // namespace

void PlaceReservations(LoadContext& ctx) {
  workbook::Workbook& book = ctx.book;
  ConditionModel& model = ctx.model;
  const int expected = NamedRangeReader(book, layout::kReservationCnt).Int();
  if (ReservationCount(book, 1) <= 0) return;

  Status(ctx, load_text::kStatusReservations);
  SetCalculation(book, true);
  const workbook::CellRange roster = layout::Range(book, layout::kTimeTable);
  SetCalculation(book, false);

  // Read first, write after: the reads then see the workbook as the planner left
  // it, and the store recalculates once instead of after every written cell.
  const NamedRangeReader reserved(book, layout::kMemberRsv);
  struct Placement {
    int m;
    int d;
    int duty;
  };
  std::vector<Placement> placements;
  std::vector<std::pair<int, int>> conflicts;
  int found = 0;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = model.StartDay; d <= model.DayCount; ++d) {
      const int c = PlaceableDuty(model, reserved.Text(m, d));
      RosterWriter::SetFixed(model, m, d, c);
      if (c >= 1) {
        ++found;
        placements.push_back({m, d, c});
        if ((model.DutyBanMask(m, d) >> (c - 1)) & 1) conflicts.emplace_back(m, d);
      }
    }
    if (found == expected) break;
  }

  WarnOfScheduleConflicts(ctx, reserved, conflicts);
  for (const Placement& p : placements) {
    RosterWriter::WriteUncounted(model, p.m, p.d, p.duty);
    book.WriteCell(roster, p.m, p.d, model.TypeAbbrev(p.duty));
  }
  SetCalculation(book, true);
  SetCalculation(book, false);
}

void ReadPrevMonth(LoadContext& ctx) {
  workbook::Workbook& book = ctx.book;
  ConditionModel& model = ctx.model;
  model.UsePrevMonth = NamedRangeReader(book, layout::kUsePrevMonth).IsTrue() &&
                       NamedRangeReader(book, layout::kPrevCount).ValueTextDouble() > 0;
  if (!model.UsePrevMonth) return;
  Status(ctx, load_text::kStatusPrevMonth);
  if (model.StartDay != 1) return;
  const int previous = model.CreateMonth == 1 ? 12 : model.CreateMonth - 1;
  if (NamedRangeReader(book, layout::kPrevMonth).ValueTextDouble() != previous) return;
  const NamedRangeReader tail(book, layout::kPrevTail);
  tail.RequireSize(model.MemberCount, kPrevMonthDays);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int j = 1; j <= kPrevMonthDays; ++j) {
      model.PrevMonthTail(m, j) = PlaceableDuty(model, tail.Text(m, kPrevMonthDays + 1 - j));
    }
    RosterWriter::WriteUncounted(model, m, 0, model.PrevMonthTail(m, 1));
  }
}

}  // namespace tsumiki::load_steps
