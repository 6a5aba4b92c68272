#include "app/save_restore.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "conditions/csv_conditions.h"
#include "conditions/layout.h"
#include "present/notices.h"
#include "ui/forms.h"

namespace tsumiki {

namespace fs = std::filesystem;

std::string OverwriteQuestion(std::string_view path) {
  std::string text(path);
  text += kFileExistsSuffix;
  text += "\n";
  text += kOverwriteQuestion;
  return text;
}

namespace {

// The folder the file dialogs open in: the process's current folder.
std::string CurrentFolder() {
  std::error_code ec;
  const fs::path here = fs::current_path(ec);
  return ec ? std::string() : here.string();
}

// The macros get a full path: a relative one would be resolved against whatever
// folder happens to be current when they run.
std::string FullPath(const std::string& path) {
  std::error_code ec;
  const fs::path full = fs::absolute(fs::path(path), ec);
  return ec ? path : full.lexically_normal().string();
}

}  // namespace

void SaveRestoreWindow::Load() {
  Host& host = session_.GetHost();
  host.SetTopmost(WindowId::kSaveRestore, true);
  const ScreenMetrics screen = host.Screen();
  const PixelSize size = host.WindowSize(WindowId::kSaveRestore);
  const int screen_w =
      screen.twips_per_pixel_x > 0 ? screen.width_twips / screen.twips_per_pixel_x : 0;
  const int screen_h =
      screen.twips_per_pixel_y > 0 ? screen.height_twips / screen.twips_per_pixel_y : 0;
  host.MoveWindow(WindowId::kSaveRestore, (screen_w - size.width) / 2,
                  screen_h * kSaveRestoreTopNumerator / kSaveRestoreTopDenominator);
  session_.Book().ActivateSheet(layout::kSheetRoster);
  open_ = true;
}

SaveRestoreOutcome SaveRestoreWindow::OnSaveClicked() {
  const auto path = session_.GetHost().AskSaveFileName(kConditionsFileFilter, CurrentFolder());
  if (!path || path->empty()) {
    ReturnToStartDir();
    return SaveRestoreOutcome::kNoFileChosen;
  }
  return SaveTo(*path);
}

SaveRestoreOutcome SaveRestoreWindow::OnRestoreClicked() {
  const auto path = session_.GetHost().AskOpenFileName(kConditionsFileFilter, CurrentFolder());
  if (!path || path->empty()) {
    ReturnToStartDir();
    return SaveRestoreOutcome::kNoFileChosen;
  }
  return RestoreFrom(*path);
}

SaveRestoreOutcome SaveRestoreWindow::SaveTo(const std::string& chosen) {
  const std::string path = FullPath(chosen);
  std::error_code ec;
  if (fs::exists(path, ec)) {
    const MsgResult answer = session_.GetHost().MessageBox(
        OverwriteQuestion(path), kFileNameCheckTitle, MsgButtons::kOkCancel);
    // The window stays open for another try; the folder stays where the dialog
    // left it.
    if (answer != MsgResult::kOk) return SaveRestoreOutcome::kOverwriteDeclined;
  }
  WritePathCell(path);
  Close();
  const std::optional<Notice> problem = session_.Book().RunMacro(
      session_.Values().WorkbookName + std::string(layout::kMacroSaveConditions));
  if (problem) ShowNotice(session_.GetHost(), *problem);
  ReturnToStartDir();
  return problem ? SaveRestoreOutcome::kSaveFailed : SaveRestoreOutcome::kSaved;
}

SaveRestoreOutcome SaveRestoreWindow::RestoreFrom(const std::string& chosen) {
  const std::string path = FullPath(chosen);
  // Checked before anything is written, so that a refused file is said once and
  // reported as refused, and the planner can choose another.
  if (const auto problem = layout::LoadConditionsFile(session_.Book(), path, false)) {
    session_.GetHost().MessageBox(*problem, layout::csv_text::kTitle, MsgButtons::kOk,
                                  MsgIcon::kExclamation);
    return SaveRestoreOutcome::kRefused;
  }
  WritePathCell(path);
  if (const auto problem = session_.Book().RunMacro(
          session_.Values().WorkbookName + std::string(layout::kMacroLoadConditions))) {
    ShowNotice(session_.GetHost(), *problem);
  }
  try {
    session_.ReadStartConditions();
  } catch (const workbook::WorkbookError& error) {
    // The restored file left a start condition the session cannot read; say which
    // cell, and keep going: the start-condition dialog can set it again.
    session_.GetHost().MessageBox(error.JapaneseMessage(), kSaveRestoreCaption, MsgButtons::kOk,
                                  MsgIcon::kExclamation);
  }
  Close();
  ReturnToStartDir();
  return SaveRestoreOutcome::kRestored;
}

void SaveRestoreWindow::WritePathCell(const std::string& path) {
  workbook::Workbook& book = session_.Book();
  book.WriteCell(layout::ConditionsPathCell(book), 1, 1, workbook::CellValue(path));
}

void SaveRestoreWindow::Close() {
  open_ = false;
  CloseForm(session_.GetHost(), kSaveRestoreForm);
}

void SaveRestoreWindow::ReturnToStartDir() {
  const std::string& start_dir = session_.Values().StartDir;
  if (start_dir.empty()) return;
  std::error_code ec;
  fs::current_path(start_dir, ec);  // a vanished folder leaves the current one
}

}  // namespace tsumiki
