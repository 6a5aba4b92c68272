#include "optimise/readjust_window.h"

#include "conditions/layout.h"
#include "conditions/loader.h"
#include "optimise/readjust_refusals.h"
#include "roster/roster_change.h"
#include "roster/roster_sheet.h"
#include "roster/swap.h"
#include "ui/forms.h"
#include "workbook/reading_modes.h"

namespace tsumiki {
namespace {

namespace wb = workbook;

int ReadNamedInt(const wb::Workbook& book, const layout::NameSpec& name_spec) {
  const wb::CellRange range = layout::Range(book, name_spec);
  return wb::ValueTextToInt(book.ReadCell(range, 1, 1));
}

}  // namespace

ReadjustWindow::~ReadjustWindow() {
  if (timer_) ctx_.host.StopTimer(*timer_);
}

bool ReadjustWindow::Load() {
  ctx_.host.SetTopmost(WindowId::kReadjust, true);
  const wb::Workbook& book = ctx_.book;
  base_date_ = BaseDate(ReadNamedInt(book, layout::kYear), ReadNamedInt(book, layout::kMonth),
                        ReadNamedInt(book, layout::kBaseStartDay));
  if (!ctx_.run.ModelLoaded && !LoadModel()) return false;
  open_ = true;
  undo_enabled_ = false;
  last_row_ = last_column_ = -1;
  if (!timer_) timer_ = ctx_.host.StartTimer(kTimerIntervalMs, [this] { OnTimer(); });
  return true;
}

bool ReadjustWindow::LoadModel() {
  if (LoadRosterConditions(ctx_) < 0) return false;
  ReadRosterBack(ctx_, 1, ctx_.model.DayCount, /*quiet=*/false);
  ctx_.run.ModelLoaded = true;
  return true;
}

std::string ReadjustWindow::CellText(int row, int column) const {
  // Outside the members and days of the roster there is no duty to free, whatever
  // the cell beside the grid holds.
  if (row < 1 || column < 1 || row > ctx_.model.MemberCount || column > ctx_.model.DayCount) {
    return {};
  }
  const wb::CellRange grid = layout::Range(ctx_.book, layout::kTimeTable);
  return wb::ValueToText(ctx_.book.ReadCell(grid, row, column));
}

void ReadjustWindow::OnTimer() {
  const wb::Workbook& book = ctx_.book;
  const int row = wb::ValueToInt(book.ReadCell(layout::Range(book, layout::kSelectedRow), 1, 1));
  const int column =
      wb::ValueToInt(book.ReadCell(layout::Range(book, layout::kSelectedColumn), 1, 1));
  ShowCell(row, column);
}

void ReadjustWindow::ShowCell(int row, int column) {
  const std::string text = CellText(row, column);
  if (text.empty()) {
    selection_ = ReadjustSelection{};
    selection_.row = row;
    selection_.column = column;
  } else if (row != last_row_ || column != last_column_ || text != selection_.target) {
    // A changed text on the same cell (an undo refilled it) is shown too.
    RefreshSelection(row, column, text);
  }
  last_row_ = row;
  last_column_ = column;
}

void ReadjustWindow::RefreshSelection(int row, int column, const std::string& text) {
  const wb::Workbook& book = ctx_.book;
  ReadjustSelection s;
  s.row = row;
  s.column = column;
  s.target = text;
  const wb::CellRange members = layout::Range(book, layout::kMemberList);
  s.member_number = wb::ValueToText(book.ReadCell(members, row, 1));
  s.member_name = wb::ValueToText(book.ReadCell(members, row, 2));
  // Every row of the type list is searched: with nine or ten duty types the last
  // ones must be found too.
  const wb::CellRange types = layout::Range(book, layout::kTypeList);
  for (int t = 1; t <= types.Rows(); ++t) {
    if (wb::ValueToText(book.ReadCell(types, t, 2)) == text) {
      s.duty_name = wb::ValueToText(book.ReadCell(types, t, 1));
      s.duty_index = t;
      break;
    }
  }
  if (base_date_) s.date_text = DateWithWeekday(DayDate(*base_date_, column));
  selection_ = s;
}

ReadjustOutcome ReadjustWindow::OnReadjustClicked() {
  if (selection_.target.empty()) {
    ctx_.host.MessageBox(kEmptyCellMessage, kEmptyCellTitle, MsgButtons::kOk);
    return ReadjustOutcome::kEmptyCell;
  }
  // The search never frees a last-day duty; asking first would only lead to 調整失敗.
  if (selection_.column >= ctx_.model.DayCount) {
    ctx_.host.MessageBox(layout::Format(kLastDayRefusal, {selection_.date_text}), kEmptyCellTitle,
                         MsgButtons::kOk);
    return ReadjustOutcome::kFailed;
  }
  const std::string question =
      ReadjustQuestion(selection_.date_text, selection_.member_name, selection_.duty_name);
  if (ctx_.host.MessageBox(question, kReadjustQuestionTitle, MsgButtons::kOkCancel) !=
      MsgResult::kOk) {
    return ReadjustOutcome::kNotConfirmed;
  }
  return Readjust();
}

bool ReadjustWindow::ModelMatchesSheet() const {
  const ConditionModel& model = ctx_.model;
  const auto grid = ctx_.book.ReadGrid(layout::Range(ctx_.book, layout::kTimeTable));
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) {
      const std::size_t r = static_cast<std::size_t>(m - 1);
      const std::size_t c = static_cast<std::size_t>(d - 1);
      const std::string sheet = r < grid.size() && c < grid[r].size() ? grid[r][c] : "";
      if (sheet != DutyText(model, model.Roster(m, d))) return false;
    }
  }
  return true;
}

ReadjustOutcome ReadjustWindow::Readjust() {
  undo_enabled_ = false;
  exchanges_.clear();
  saved_.clear();
  if (!ModelMatchesSheet()) {
    ctx_.run.ModelLoaded = false;
    if (!LoadModel()) return ReadjustOutcome::kFailed;
  }

  const int x = selection_.row;
  const int d = selection_.column;
  ReadjustSearch search(ctx_.model, ctx_.host);
  // A cell whose text is no duty of the list has nothing the search could move.
  const bool on_duty = x >= 1 && x <= ctx_.model.MemberCount && d >= 1 &&
                       d <= ctx_.model.DayCount && ctx_.model.Roster(x, d) >= 1;
  const int found = on_duty ? search.SearchChain(d, x) : 0;
  if (found == 0) {
    ctx_.host.MessageBox(ReadjustFailureText(ctx_.model, d, x), "", MsgButtons::kOk);
    return ReadjustOutcome::kFailed;
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
  const std::string proposal = ProposalText(exchanges_, ctx_.model, base_date_);
  if (ctx_.host.MessageBox(proposal, kProposalTitle, MsgButtons::kOkCancel) != MsgResult::kOk) {
    RestoreColours();
    return ReadjustOutcome::kCancelled;
  }
  RosterSheetCells sheet(ctx_.book);
  for (const Exchange& e : exchanges_) {
    MarkCell(e.a, e.day, kKeepInterior, kMarkBorder);
    MarkCell(e.b, e.day, kKeepInterior, kMarkBorder);
    SwapDuties(ctx_.model, e.a, e.b, e.day, &sheet);
  }
  undo_enabled_ = true;
  return ReadjustOutcome::kApplied;
}

void ReadjustWindow::RestoreColours() {
  for (std::size_t k = 0; k < exchanges_.size(); ++k) {
    const Exchange& e = exchanges_[k];
    RestoreLook(e.a, e.day, saved_[k].style_a);
    RestoreLook(e.b, e.day, saved_[k].style_b);
  }
}

void ReadjustWindow::OnUndoClicked() {
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

void ReadjustWindow::OnCloseClicked() {
  if (timer_) ctx_.host.StopTimer(*timer_);
  timer_.reset();
  open_ = false;
  CloseForm(ctx_.host, kReadjustForm);
}

void ReadjustWindow::MarkCell(int member, int day, int interior, int border) {
  const wb::CellRange grid = layout::Range(ctx_.book, layout::kTimeTable);
  const int row = grid.top + member - 1;
  const int column = grid.left + day - 1;
  ctx_.book.SetBorderColorIndex(grid.sheet, row, column, border);
  if (interior != kKeepInterior) ctx_.book.SetInteriorColorIndex(grid.sheet, row, column, interior);
  ctx_.host.DoEvents();
}

std::uint32_t ReadjustWindow::CellStyle(int member, int day) const {
  const wb::CellRange grid = layout::Range(ctx_.book, layout::kTimeTable);
  return ctx_.book.StateOf(grid.sheet, grid.top + member - 1, grid.left + day - 1).style;
}

void ReadjustWindow::RestoreLook(int member, int day, std::uint32_t style) {
  const wb::CellRange grid = layout::Range(ctx_.book, layout::kTimeTable);
  const int row = grid.top + member - 1;
  const int column = grid.left + day - 1;
  wb::Workbook::CellState state = ctx_.book.StateOf(grid.sheet, row, column);
  state.style = style;
  ctx_.book.RestoreState(grid.sheet, row, column, state);
  ctx_.host.DoEvents();
}

int ReadjustWindow::CellInterior(int member, int day) const {
  const wb::CellRange grid = layout::Range(ctx_.book, layout::kTimeTable);
  return ctx_.book.InteriorColorIndex(grid.sheet, grid.top + member - 1, grid.left + day - 1);
}

}  // namespace tsumiki
