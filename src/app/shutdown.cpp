#include <exception>

#include "app/session.h"
#include "ui/status.h"
#include "workbook/workbook_error.h"

namespace tsumiki {

ShutdownResult Session::Shutdown() {
  const MsgResult answer = host_.MessageBox(kSaveQuestion, kSaveQuestionTitle,
                                            MsgButtons::kYesNoCancel, MsgIcon::kQuestion);
  if (answer == MsgResult::kCancel) return ShutdownResult::kCancelled;
  return Close(answer == MsgResult::kYes);
}

ShutdownResult Session::Close(bool save) {
  if (!book_) return ShutdownResult::kClosed;
  ShowStatus(host_, kClosingStatus, kDefaultColour, kDefaultColour, /*topmost=*/false,
             values_.StatusPosition);
  try {
    book_->CloseSession(save);
  } catch (const std::exception& error) {
    // A save that failed must not end the program silently: the planner's work is
    // still in memory and can be saved again.
    const auto* store_error = dynamic_cast<const workbook::WorkbookError*>(&error);
    host_.HideStatusWindow();
    host_.MessageBox(std::string(save ? kSaveFailedLead : kCloseFailedLead) + "\n" +
                         (store_error ? store_error->JapaneseMessage() : error.what()),
                     save ? kSaveErrorTitle : kCloseErrorTitle, MsgButtons::kOk,
                     MsgIcon::kExclamation);
    return ShutdownResult::kSaveFailed;
  }
  book_.reset();
  host_.HideStatusWindow();
  return ShutdownResult::kClosed;
}

}  // namespace tsumiki
