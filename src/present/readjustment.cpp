#include "present/readjustment.h"

#include "conditions/layout.h"
#include "conditions/loader.h"
#include "conditions/time_table.h"
#include "present/notices.h"
#include "present/readjust_refusals.h"
#include "roster/roster_change.h"
#include "roster/roster_sheet.h"
#include "roster/swap.h"
#include "workbook/reading_modes.h"

namespace tsumiki {
namespace {

namespace wb = workbook;

int ReadNamedInt(const wb::Workbook& book, const layout::NameSpec& name_spec) {
  const wb::CellRange range = layout::Range(book, name_spec);
  return wb::ValueTextToInt(book.ReadCell(range, 1, 1));
}

}  // namespace

bool Readjustment::Prepare() {
  const wb::Workbook& book = ctx_.book;
  base_date_ = BaseDate(ReadNamedInt(book, layout::kYear), ReadNamedInt(book, layout::kMonth),
                        ReadNamedInt(book, layout::kBaseStartDay));
  undo_enabled_ = false;
  return ctx_.run.ModelLoaded || LoadModel();
}

bool Readjustment::LoadModel() {
  if (const LoadResult loaded = LoadRosterConditions(ctx_); loaded.start_day < 0) {
    if (loaded.refusal) ShowNotice(ctx_.host, *loaded.refusal);
    return false;
  }
  ReadRosterBack(ctx_, 1, ctx_.model.DayCount, /*quiet=*/false);
  ctx_.run.ModelLoaded = true;
  return true;
}

std::string Readjustment::CellText(int row, int column) const {
  // Outside the members and days of the roster there is no duty to free, whatever
  // the cell beside the grid holds.
  if (row < 1 || column < 1 || row > ctx_.model.MemberCount || column > ctx_.model.DayCount) {
    return {};
  }
  const wb::CellRange grid = layout::Range(ctx_.book, layout::kTimeTable);
  return wb::ValueToText(ctx_.book.ReadCell(grid, row, column));
}

ReadjustSelection Readjustment::CellAt(int row, int column) const {
  ReadjustSelection s;
  s.row = row;
  s.column = column;
  s.target = CellText(row, column);
  if (s.target.empty()) return s;
  const wb::Workbook& book = ctx_.book;
  const wb::CellRange members = layout::Range(book, layout::kMemberList);
  s.member_number = wb::ValueToText(book.ReadCell(members, row, 1));
  s.member_name = wb::ValueToText(book.ReadCell(members, row, 2));
  // Every row of the type list is searched: with nine or ten duty types the last
  // ones must be found too.
  const wb::CellRange types = layout::Range(book, layout::kTypeList);
  for (int t = 1; t <= types.Rows(); ++t) {
    if (wb::ValueToText(book.ReadCell(types, t, 2)) == s.target) {
      s.duty_name = wb::ValueToText(book.ReadCell(types, t, 1));
      s.duty_index = t;
      break;
    }
  }
  if (base_date_) s.date_text = DateWithWeekday(DayDate(*base_date_, column));
  return s;
}

ReadjustReply Readjustment::Confirm(const ReadjustSelection& cell) const {
  if (cell.target.empty()) {
    return ReadjustReply{ReadjustOutcome::kEmptyCell, std::string(kEmptyCellTitle),
                         std::string(kEmptyCellMessage)};
  }
  // The search never frees a last-day duty; asking first would only lead to 調整失敗.
  if (cell.column >= ctx_.model.DayCount) {
    return ReadjustReply{ReadjustOutcome::kFailed, std::string(kEmptyCellTitle),
                         layout::Format(kLastDayRefusal, {cell.date_text})};
  }
  return ReadjustReply{ReadjustOutcome::kConfirm, std::string(kReadjustQuestionTitle),
                       ReadjustQuestion(cell.date_text, cell.member_name, cell.duty_name)};
}

bool Readjustment::ModelMatchesSheet() const {
  const ConditionModel& model = ctx_.model;
  const TimeTableTexts sheet(ctx_.book);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) {
      if (sheet.Text(m, d) != DutyText(model, model.Roster(m, d))) return false;
    }
  }
  return true;
}

ReadjustReply Readjustment::Propose(const ReadjustSelection& cell) {
  undo_enabled_ = false;
  exchanges_.clear();
  saved_.clear();
  ReadjustReply reply;
  if (!ModelMatchesSheet()) {
    ctx_.run.ModelLoaded = false;
    if (!LoadModel()) return reply;
  }

  const int x = cell.row;
  const int d = cell.column;
  ReadjustSearch search(ctx_.model);
  // A cell whose text is no duty of the list has nothing the search could move.
  const bool on_duty = x >= 1 && x <= ctx_.model.MemberCount && d >= 1 &&
                       d <= ctx_.model.DayCount && ctx_.model.Roster(x, d) >= 1;
  const int found = on_duty ? search.SearchChain(d, x) : 0;
  reply.surprises = search.Surprises();
  if (found == 0) {
    reply.text = ReadjustFailureText(ctx_.model, d, x);
    return reply;
  }
  exchanges_ = search.Exchanges();

  // Every cell's colour is saved before any is marked, so a member who appears in
  // two exchanges gets the original fill back.
  for (const Exchange& e : exchanges_) {
    saved_.push_back(SavedColours{CellStyle(e.a, e.day), CellStyle(e.b, e.day)});
  }
  for (const Exchange& e : exchanges_) {
    MarkCell(e.a, e.day, kMarkInterior, kMarkBorder);
    MarkCell(e.b, e.day, kMarkInterior, kMarkBorder);
  }
  reply.outcome = ReadjustOutcome::kProposed;
  reply.title = std::string(kProposalTitle);
  reply.text = ProposalText(exchanges_, ctx_.model, base_date_);
  return reply;
}

void Readjustment::Apply() {
  RosterSheetCells sheet(ctx_.book);
  for (const Exchange& e : exchanges_) {
    MarkCell(e.a, e.day, kKeepInterior, kMarkBorder);
    MarkCell(e.b, e.day, kKeepInterior, kMarkBorder);
    SwapDuties(ctx_.model, e.a, e.b, e.day, &sheet);
  }
  undo_enabled_ = true;
}

void Readjustment::Decline() {
  RestoreColours();
}

void Readjustment::RestoreColours() {
  for (std::size_t k = 0; k < exchanges_.size(); ++k) {
    const Exchange& e = exchanges_[k];
    RestoreLook(e.a, e.day, saved_[k].style_a);
    RestoreLook(e.b, e.day, saved_[k].style_b);
  }
}

void Readjustment::Undo() {
  if (!undo_enabled_) return;
  RosterSheetCells sheet(ctx_.book);
  for (std::size_t k = exchanges_.size(); k-- > 0;) {
    const Exchange& e = exchanges_[k];
    RestoreLook(e.a, e.day, saved_[k].style_a);
    RestoreLook(e.b, e.day, saved_[k].style_b);
    SwapDuties(ctx_.model, e.a, e.b, e.day, &sheet);
  }
  undo_enabled_ = false;
}

void Readjustment::MarkCell(int member, int day, int interior, int border) {
  const wb::CellRange grid = layout::Range(ctx_.book, layout::kTimeTable);
  const int row = grid.top + member - 1;
  const int column = grid.left + day - 1;
  ctx_.book.SetBorderColorIndex(grid.sheet, row, column, border);
  if (interior != kKeepInterior) ctx_.book.SetInteriorColorIndex(grid.sheet, row, column, interior);
  ctx_.host.DoEvents();
}

std::uint32_t Readjustment::CellStyle(int member, int day) const {
  const wb::CellRange grid = layout::Range(ctx_.book, layout::kTimeTable);
  return ctx_.book.StateOf(grid.sheet, grid.top + member - 1, grid.left + day - 1).style;
}

void Readjustment::RestoreLook(int member, int day, std::uint32_t style) {
  const wb::CellRange grid = layout::Range(ctx_.book, layout::kTimeTable);
  const int row = grid.top + member - 1;
  const int column = grid.left + day - 1;
  wb::Workbook::CellState state = ctx_.book.StateOf(grid.sheet, row, column);
  state.style = style;
  ctx_.book.RestoreState(grid.sheet, row, column, state);
  ctx_.host.DoEvents();
}

}  // namespace tsumiki
