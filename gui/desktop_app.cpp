#include "gui/desktop_app.h"

#include <QApplication>
#include <QPushButton>

#include "gui/main_panel.h"
#include "gui/qt_host.h"
#include "gui/readjust_view.h"
#include "gui/save_restore_view.h"
#include "gui/sheet_window.h"
#include "gui/start_conditions_dialog.h"
#include "optimise/readjust_text.h"

namespace tsumiki::gui {

DesktopApp::DesktopApp(DesktopOptions options, QObject* parent)
    : QObject(parent), host_(std::make_unique<QtHost>(options.virtual_clock)) {
  panel_ = new MainPanel;
  host_->RegisterWindow(WindowId::kMain, panel_);
  host_->SetDialogParent(panel_);
  SessionOptions session_options;
  session_options.start_dir = options.start_dir;
  session_options.workbook = options.workbook;
  session_options.seed = options.seed;
  session_ = std::make_unique<Session>(*host_, std::move(session_options));
  commands_ = std::make_unique<MainCommands>(*session_);
  connect(panel_, &MainPanel::CommandClicked, this, &DesktopApp::RunCommand);
  connect(panel_, &MainPanel::ModeChosen, this,
          [this](int mode) { commands_->SetCreationMode(mode); });
  connect(panel_, &MainPanel::TotalsChosen, this, [this] { commands_->ShowTotals(); });
  connect(panel_, &MainPanel::PictureDoubleClicked, this, [this] {
    const PixelPoint place =
        PlaceAtBottomRight(host_->WindowSize(WindowId::kMain), host_->Screen());
    host_->MoveWindow(WindowId::kMain, place.left, place.top);
  });
  RegisterForms();
}

DesktopApp::~DesktopApp() {
  // Windows first: they hold references into the session.
  delete start_conditions_;
  delete readjust_;
  delete save_restore_;
  delete sheets_;
  delete panel_;
}

MainPanel* DesktopApp::Panel() const {
  return panel_;
}
SheetWindow* DesktopApp::Sheets() const {
  return sheets_;
}
StartConditionsWindow* DesktopApp::StartConditions() const {
  return start_conditions_;
}
ReadjustView* DesktopApp::Readjust() const {
  return readjust_;
}

bool DesktopApp::StartUp() {
  if (!session_->StartUp()) return false;
  sheets_ = new SheetWindow(session_->Book());
  host_->RegisterWindow(WindowId::kSheet, sheets_);
  sheets_->show();
  panel_->show();
  panel_->raise();
  return true;
}

void DesktopApp::RegisterForms() {
  host_->RegisterForm(
      std::string(kStartConditionsForm), [this] { OpenStartConditions(); },
      [this] { CloseStartConditions(); });
  host_->RegisterForm(
      std::string(kReadjustForm), [this] { OpenReadjust(); }, [this] { CloseReadjust(); });
  host_->RegisterForm(
      std::string(kSaveRestoreForm), [this] { OpenSaveRestore(); }, [this] { CloseSaveRestore(); });
}

void DesktopApp::OpenStartConditions() {
  if (start_conditions_ != nullptr) {
    start_conditions_->raise();
    start_conditions_->activateWindow();
    return;
  }
  start_conditions_ = new StartConditionsWindow(session_->Context());
  host_->RegisterWindow(WindowId::kStartConditions, start_conditions_);
  start_conditions_->Load();
  start_conditions_->show();
}

void DesktopApp::CloseStartConditions() {
  if (start_conditions_ == nullptr) return;
  StartConditionsWindow* window = start_conditions_;
  start_conditions_ = nullptr;
  window->hide();
  window->deleteLater();
}

void DesktopApp::OpenReadjust() {
  if (readjust_ != nullptr) {
    readjust_->raise();
    readjust_->activateWindow();
    return;
  }
  readjust_ = new ReadjustView(session_->Context());
  host_->RegisterWindow(WindowId::kReadjust, readjust_);
  if (!readjust_->Load()) {
    delete readjust_;
    delete save_restore_;
    return;
  }
  readjust_->show();
}

void DesktopApp::CloseReadjust() {
  if (readjust_ == nullptr) return;
  ReadjustView* window = readjust_;
  readjust_ = nullptr;
  window->hide();
  window->deleteLater();
}

void DesktopApp::OpenSaveRestore() {
  if (save_restore_ != nullptr) {
    save_restore_->raise();
    save_restore_->activateWindow();
    return;
  }
  save_restore_ = new SaveRestoreView(*session_);
  host_->RegisterWindow(WindowId::kSaveRestore, save_restore_);
  save_restore_->Load();
  save_restore_->show();
}

void DesktopApp::CloseSaveRestore() {
  if (save_restore_ == nullptr) return;
  SaveRestoreView* window = save_restore_;
  save_restore_ = nullptr;
  window->hide();
  window->deleteLater();
}

void DesktopApp::ShutDown() {
  const ShutdownResult result = session_->Shutdown();
  if (result != ShutdownResult::kClosed) return;
  shut_down_ = true;
  // The session is closed: nothing is left to ask about, and nothing more runs.
  if (sheets_ != nullptr) sheets_->CloseWithoutQuestion();
  for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
  QCoreApplication::exit(0);
}

}  // namespace tsumiki::gui
