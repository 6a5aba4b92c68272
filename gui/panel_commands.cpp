#include <QPushButton>

#include "app/main_commands.h"
#include "app/save_restore.h"
#include "conditions/layout.h"
#include "creation/driver_texts.h"
#include "creation/start_conditions.h"
#include "gui/desktop_app.h"
#include "gui/gui_texts.h"
#include "gui/main_panel.h"
#include "gui/message_box.h"
#include "gui/qt_host.h"
#include "present/readjust_text.h"
#include "ui/forms.h"
#include "workbook/workbook_error.h"

namespace tsumiki::gui {

namespace {
// Whether the roster sheet holds any duty or rest mark: a month a run or クリア
// would replace.
bool RosterHasEntries(const workbook::Workbook& book) {
  try {
    for (const auto& row : book.ReadRange(layout::Range(book, layout::kTimeTable))) {
      for (const workbook::CellValue& cell : row) {
        if (!cell.IsEmpty()) return true;
      }
    }
  } catch (const workbook::WorkbookError&) {
    // No roster area: the command itself says so.
  }
  return false;
}
}  // namespace

bool DesktopApp::ConfirmReplacingRoster(const QString& question) {
  if (!RosterHasEntries(session_->Book())) return true;
  return ShowMessageBox(panel_, question, kReplaceRosterTitle, MsgButtons::kYesNo,
                        MsgIcon::kQuestion) == MsgResult::kYes;
}

void DesktopApp::CreateRoster() {
  // The month of an earlier offer is no longer the one the sheet is about.
  if (nearest_offer_ != nullptr) nearest_offer_->WithdrawAction();
  ExplanationWindow* shown_before = host_->LastExplanation();
  BeginCommand(nullptr);
  const CreateResult result = commands_->CreateRoster();
  EndCommand();
  OfferNearestMonth(result, shown_before);
  Q_EMIT CreationFinished();
}

void DesktopApp::OfferNearestMonth(const CreateResult& result, ExplanationWindow* shown_before) {
  ExplanationWindow* window = host_->LastExplanation();
  if (result.outcome != CreateOutcome::kNoMonthExists || !result.no_month ||
      result.nearest_written || window == nullptr || window == shown_before) {
    return;
  }
  nearest_offer_ = window;
  window->OfferAction(kWriteNearestCaption, [this, relaxation = *result.no_month] {
    // While another command changes the workbook the offer waits.
    if (IsBusy()) return false;
    BeginCommand(nullptr);
    const bool written = commands_->WriteNearestMonth(relaxation);
    EndCommand();
    ShowStatusText(written ? QString::fromUtf8(kNearestWritten.data(),
                                               static_cast<qsizetype>(kNearestWritten.size()))
                           : kNearestNotWrittenText);
    return true;
  });
}

// The main panel's buttons, each the core's command of the same name; the windows
// they open come up through ShowForm, as the core's own commands open them.
void DesktopApp::RunCommand(const QString& name) {
  MainCommands& commands = *commands_;
  const std::string control = name.toStdString();
  // During a run only the help pages open; a second run would share the run's
  // conditions and roster.
  if (IsBusy() && !name.startsWith(QStringLiteral("cmdH"))) return;
  if (name == QStringLiteral("cmd閉じる")) {
    ShutDown();
  } else if (name == QStringLiteral("cmd勤務表作成")) {
    if (!ConfirmReplacingRoster(kCreateOverRosterQuestion)) return;
    CreateRoster();
  } else if (name == QStringLiteral("cmd勤務表")) {
    commands.ShowRoster();
  } else if (name == QStringLiteral("cmd勤務表クリア")) {
    if (!ConfirmReplacingRoster(kClearRosterQuestion)) return;
    BeginCommand(nullptr);
    commands.ClearRoster();
    EndCommand();
  } else if (name == QStringLiteral("cmd再調整")) {
    commands.PrepareReadjust();
    ShowForm(*host_, kReadjustForm);
  } else if (name == QStringLiteral("cmd開始条件設定")) {
    commands.PrepareStartConditions();
    ShowForm(*host_, kStartConditionsForm);
  } else if (name == QStringLiteral("cmd保存読込")) {
    ShowForm(*host_, kSaveRestoreForm);
  } else if (name == QStringLiteral("cmd基本設定")) {
    commands.GoToSheet(SheetButton::kBasicSettings);
  } else if (name == QStringLiteral("cmd要員設定")) {
    commands.GoToSheet(SheetButton::kStaffing);
  } else if (name == QStringLiteral("cmd個人別設定")) {
    commands.GoToSheet(SheetButton::kMemberConditions);
    if (QPushButton* button = panel_->Button(name)) button->setFocus();
  } else {
    for (const HelpPage& page : HelpPages()) {
      if (page.control == control) commands.OpenHelp(page);
    }
  }
}

}  // namespace tsumiki::gui
