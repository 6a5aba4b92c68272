#include <string>
#include <vector>

#include "conditions/layout.h"
#include "conditions/load_lookups.h"
#include "conditions/load_reader.h"
#include "conditions/load_steps.h"
#include "conditions/loader_messages.h"

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
  int found = 0;
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = model.StartDay; d <= model.DayCount; ++d) {
      const int c = PlaceableDuty(model, reserved.Text(m, d));
      model.Fixed(m, d) = c;
      if (c >= 1) {
        ++found;
        placements.push_back({m, d, c});
      }
    }
    if (found == expected) break;
  }

  for (const Placement& p : placements) {
    model.Roster(p.m, p.d) = p.duty;
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
    model.Roster(m, 0) = model.PrevMonthTail(m, 1);
  }
}

}  // namespace tsumiki::load_steps
