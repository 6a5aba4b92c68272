#include "app/main_commands.h"

#include "app/roster_snapshot.h"
#include "check/created_month_check.h"
#include "conditions/layout.h"
#include "creation/driver_texts.h"
#include "present/notices.h"
#include "present/run_progress.h"
#include "ui/focus.h"

namespace tsumiki {

namespace {

std::string_view SheetOf(SheetButton button) {
  switch (button) {
    case SheetButton::kBasicSettings:
      return layout::kSheetBasic;
    case SheetButton::kStaffing:
      return layout::kSheetStaffing;
    case SheetButton::kMemberConditions:
      return layout::kSheetSchedule;
  }
  return layout::kSheetRoster;
}

}  // namespace

void MainCommands::ShowRoster() {
  session_.Book().ActivateSheet(layout::kSheetRoster);
  session_.GetHost().ActivateWindow(WindowId::kSheet);
  session_.GetHost().ActivateWindow(WindowId::kMain);
}

void MainCommands::GoToSheet(SheetButton button) {
  Host& host = session_.GetHost();
  FocusSpreadsheetWindow(host);
  session_.Book().ActivateSheet(SheetOf(button));
  host.ActivateWindow(WindowId::kSheet);
  // The member button takes the focus back and lets the sheet window draw.
  if (button == SheetButton::kMemberConditions) host.DoEvents();
}

CreateResult MainCommands::CreateRoster(CreationDriver::RetryQuestion retry) {
  Host& host = session_.GetHost();
  if (!retry) {
    retry = [&host] {
      return host.MessageBox(kRetryQuestion, kRetryQuestionTitle, MsgButtons::kYesNo) ==
             MsgResult::kYes;
    };
  }
  host.SetTopmost(WindowId::kMain, false);
  ShowRoster();
  const std::optional<RosterSnapshot> before = TakeRosterSnapshot(session_.Book());
  CreateResult result;
  {
    RunProgress progress(Context());
    CreationDriver driver(Context(), progress);
    driver.SetMonthJudge(CreatedMonthRefusal);
    driver.SetRetryQuestion(std::move(retry));
    result = driver.StartAction();
    ShowNotices(host, result.notices);
    if (!result.explanation_title.empty()) {
      host.ShowExplanation(result.explanation_title, result.explanation);
    }
  }
  if (result.outcome == CreateOutcome::kBrokenMonth) {
    // Not kept: closing with a save must not store a month that breaks a rule.
    if (before) RestoreRosterSnapshot(session_.Book(), *before);
    session_.Run().ModelLoaded = false;
    result.message += "\n" + std::string(kRosterRestored);
    host.MessageBox(result.message, kCreatedMonthTitle, MsgButtons::kOk, MsgIcon::kExclamation);
  }
  if (result.outcome == CreateOutcome::kAborted && before) {
    RestoreRosterSnapshot(session_.Book(), *before);
    // The model holds the half-made month; the sheet is read again when needed.
    session_.Run().ModelLoaded = false;
    const std::string month = MonthText(*before);
    result.message = month.empty() ? std::string(kRunAbortedNoMonthText)
                                   : layout::Format(kRunAbortedText, {month});
    host.MessageBox(result.message, kRunAbortedTitle, MsgButtons::kOk, MsgIcon::kInformation);
  }
  host.ActivateWindow(WindowId::kSheet);
  host.SetTopmost(WindowId::kMain, true);
  return result;
}

bool MainCommands::WriteNearestMonth(const exact::Relaxation& relaxation) {
  ShowRoster();
  IndexGrid<int> loaded_fixed;
  Notices notices;
  const bool written = tsumiki::WriteNearestMonth(Context(), relaxation, loaded_fixed, notices);
  ShowNotices(session_.GetHost(), notices);
  // The model holds the month as loaded; the sheet is read again when needed.
  session_.Run().ModelLoaded = false;
  return written;
}

void MainCommands::ClearRoster() {
  workbook::Workbook& book = session_.Book();
  FocusSpreadsheetWindow(session_.GetHost());
  book.ActivateSheet(layout::kSheetRoster);
  // The last days go to the previous-month area before they are cleared away,
  // also when the roster is still empty (the macro then keeps what it had).
  const std::string& prefix = session_.Values().WorkbookName;
  if (const auto notice = book.RunMacro(prefix + std::string(layout::kMacroTransfer))) {
    ShowNotice(session_.GetHost(), *notice);
  }
  if (const auto notice = book.RunMacro(prefix + std::string(layout::kMacroClear))) {
    ShowNotice(session_.GetHost(), *notice);
  }
  // The roster on the sheet changed behind the model's back.
  session_.Run().ModelLoaded = false;
}

void MainCommands::PrepareReadjust() {
  ShowRoster();
}

void MainCommands::PrepareStartConditions() {
  FocusSpreadsheetWindow(session_.GetHost());
  session_.Book().ActivateSheet(layout::kSheetRoster);
}

bool MainCommands::SetCreationMode(int mode) {
  if (mode < 0 || mode >= static_cast<int>(kModeMessages.size())) return false;
  Host& host = session_.GetHost();
  session_.Values().CreationMode = mode;
  host.SetModeTick(mode);
  try {
    workbook::Workbook& book = session_.Book();
    book.WriteCell(layout::Range(book, layout::kCreationMode), 1, 1, workbook::CellValue(mode));
  } catch (const workbook::WorkbookError&) {
    // A workbook without the mode cell still runs in the chosen mode for this
    // session; start-up falls back to mode 2 next time, as it always has.
  }
  const ModeMessage& message = kModeMessages[static_cast<std::size_t>(mode)];
  host.MessageBox(message.text, message.title, MsgButtons::kOk);
  return true;
}

std::string MainCommands::ShowTotals() {
  const std::string text = 単勤単休総数情報(Context());
  session_.GetHost().MessageBox(text, kTotalsTitle, MsgButtons::kOk);
  return text;
}

std::string MainCommands::OpenHelp(const HelpPage& page) {
  const std::string address = HelpAddress(BuiltInHelpLocation(), page);
  Host& host = session_.GetHost();
  if (!host.OpenUrl(address)) {
    host.MessageBox(layout::Format(kHelpNotOpenedText, {HelpPlace(address)}), kHelpNotOpenedTitle,
                    MsgButtons::kOk, MsgIcon::kInformation);
  }
  return address;
}

}  // namespace tsumiki
