#include "present/readjust_window.h"

#include "conditions/layout.h"
#include "present/readjust_text.h"
#include "ui/forms.h"
#include "workbook/reading_modes.h"

namespace tsumiki {

namespace wb = workbook;

ReadjustWindow::~ReadjustWindow() {
  if (timer_) ctx_.host.StopTimer(*timer_);
}

bool ReadjustWindow::Load() {
  ctx_.host.SetTopmost(WindowId::kReadjust, true);
  if (!readjustment_.Prepare()) return false;
  open_ = true;
  last_row_ = last_column_ = -1;
  if (!timer_) timer_ = ctx_.host.StartTimer(kTimerIntervalMs, [this] { OnTimer(); });
  return true;
}

void ReadjustWindow::OnTimer() {
  const wb::Workbook& book = ctx_.book;
  const int row = wb::ValueToInt(book.ReadCell(layout::Range(book, layout::kSelectedRow), 1, 1));
  const int column =
      wb::ValueToInt(book.ReadCell(layout::Range(book, layout::kSelectedColumn), 1, 1));
  ShowCell(row, column);
}

void ReadjustWindow::ShowCell(int row, int column) {
  const std::string text = readjustment_.CellText(row, column);
  // A changed text on the same cell (an undo refilled it) is shown too.
  if (text.empty() || row != last_row_ || column != last_column_ || text != selection_.target) {
    selection_ = readjustment_.CellAt(row, column);
  }
  last_row_ = row;
  last_column_ = column;
}

ReadjustOutcome ReadjustWindow::OnReadjustClicked() {
  const ReadjustReply question = readjustment_.Confirm(selection_);
  if (question.outcome != ReadjustOutcome::kConfirm) {
    ctx_.host.MessageBox(question.text, question.title, MsgButtons::kOk);
    return question.outcome;
  }
  if (ctx_.host.MessageBox(question.text, question.title, MsgButtons::kOkCancel) !=
      MsgResult::kOk) {
    return ReadjustOutcome::kNotConfirmed;
  }
  return Readjust();
}

ReadjustOutcome ReadjustWindow::Readjust() {
  const ReadjustReply proposal = readjustment_.Propose(selection_);
  for (int k = 0; k < proposal.surprises; ++k) {
    ctx_.host.MessageBox(kReadjustImpossibleMessage, "", MsgButtons::kOk);
  }
  if (proposal.outcome != ReadjustOutcome::kProposed) {
    if (!proposal.text.empty()) ctx_.host.MessageBox(proposal.text, proposal.title, MsgButtons::kOk);
    return proposal.outcome;
  }
  if (ctx_.host.MessageBox(proposal.text, proposal.title, MsgButtons::kOkCancel) !=
      MsgResult::kOk) {
    readjustment_.Decline();
    return ReadjustOutcome::kCancelled;
  }
  readjustment_.Apply();
  return ReadjustOutcome::kApplied;
}

void ReadjustWindow::OnCloseClicked() {
  if (timer_) ctx_.host.StopTimer(*timer_);
  timer_.reset();
  open_ = false;
  CloseForm(ctx_.host, kReadjustForm);
}

}  // namespace tsumiki
