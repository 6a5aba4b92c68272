#include "gui/desktop_app.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <system_error>

#include "conditions/layout.h"
#include "gui/gui_texts.h"
#include "gui/main_panel.h"
#include "gui/marked_cells.h"
#include "gui/message_box.h"
#include "gui/placement.h"
#include "gui/qt_host.h"
#include "gui/readjust_view.h"
#include "gui/roster_review.h"
#include "gui/save_restore_view.h"
#include "gui/sheet_model.h"
#include "gui/sheet_window.h"
#include "gui/start_conditions_dialog.h"
#include "gui/startup_questions.h"
#include "gui/undo_history.h"
#include "present/readjust_text.h"
#include "workbook/workbook_error.h"

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
  // Once the month is on the sheet, its banners are shown without holding it.
  host_->SetPauseNeedless([this] { return session_->Run().RosterComplete; });
  connect(panel_, &MainPanel::CommandClicked, this, &DesktopApp::RunCommand);
  connect(panel_, &MainPanel::ModeChosen, this,
          [this](int mode) { commands_->SetCreationMode(mode); });
  connect(panel_, &MainPanel::TotalsChosen, this, [this] { commands_->ShowTotals(); });
  connect(panel_, &MainPanel::StopRunRequested, this, [this] { host_->Abort(); });
  connect(panel_, &MainPanel::CloseRequested, this, [this] {
    // During a run the program ends once the run has stopped.
    if (IsBusy()) {
      close_after_command_ = true;
    } else {
      ShutDown();
    }
  });
  connect(panel_, &MainPanel::PictureDoubleClicked, this, [this] {
    const PixelPoint place =
        PlaceAtBottomRight(host_->WindowSize(WindowId::kMain), host_->Screen());
    host_->MoveWindow(WindowId::kMain, place.left, place.top);
  });
  RegisterForms();
}

DesktopApp::~DesktopApp() {
  // The explanation window outlives the program's other windows; its offer ran here.
  if (nearest_offer_ != nullptr) nearest_offer_->WithdrawAction();
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

namespace {
// The sheet window's first place: the screen's usable area less the column the
// always-on-top panel stands in, so that the panel covers no scroll bar or day.
QRect SheetWindowPlace(const QWidget& panel) {
  constexpr int kGap = 8;
  constexpr int kFrameEstimate = 30;
  const QScreen* screen =
      panel.screen() != nullptr ? panel.screen() : QGuiApplication::primaryScreen();
  const QRect area = screen->availableGeometry();
  const QRect corner = panel.frameGeometry();
  QRect place = area.adjusted(kGap, kGap + kFrameEstimate, -kGap, -kGap);
  if (corner.left() > area.left() + area.width() / 2) place.setRight(corner.left() - kGap);
  return place;
}
}  // namespace

bool DesktopApp::ClaimWorkbook() {
  std::filesystem::path path = session_->WorkbookToOpen();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) {
    const std::optional<std::filesystem::path> chosen = AskForMissingWorkbook(*host_, path);
    if (!chosen) return false;
    session_->ChooseWorkbook(*chosen);
    path = session_->WorkbookToOpen();
  }
  // Taken before the workbook is read, so that what we read is what nobody else
  // is about to overwrite. A lock of a process that died is taken over.
  std::string refusal;
  lock_ = workbook::WriterLock::TryLock(path, refusal);
  if (lock_) return true;
  switch (AskAboutHeldWorkbook(QString::fromStdString(refusal))) {
    case HeldWorkbookChoice::kReadOnly:
      read_only_ = true;
      return true;
    case HeldWorkbookChoice::kOpenAnyway:
      return true;
    case HeldWorkbookChoice::kQuit:
      break;
  }
  return false;
}

bool DesktopApp::StartUp() {
  // A workbook that cannot be used (damaged, an old format, a layout name missing)
  // has had its reason shown; the planner may pick another one or the sample.
  for (;;) {
    if (!ClaimWorkbook()) return false;
    if (session_->StartUp()) break;
    lock_.reset();
    read_only_ = false;
    const std::optional<std::filesystem::path> chosen =
        AskForOtherWorkbook(*host_, session_->WorkbookToOpen());
    if (!chosen) return false;
    session_->ChooseWorkbook(*chosen);
  }
  if (read_only_) session_->Book().RefuseSaves(kReadOnlySaveRefusal.toStdString());
  sheets_ = new SheetWindow(session_->Book());
  if (read_only_) sheets_->setWindowTitle(sheets_->windowTitle() + kReadOnlyTitleSuffix);
  sheets_->SetReadOnly(read_only_);
  host_->RegisterWindow(WindowId::kSheet, sheets_);
  FreezeRosterPanes();
  KeepMarkedCellsClear();
  review_ = new RosterReview(*sheets_, session_->Book(), session_->Model(), *host_);
  BuildWindowMenu();
  // Cells put back by undo no longer match the conditions read from them.
  connect(sheets_, &SheetWindow::WorkbookRestored, this,
          [this] { session_->Run().ModelLoaded = false; });
  panel_->show();
  sheets_->setGeometry(SheetWindowPlace(*panel_));
  sheets_->show();
  panel_->raise();
  return true;
}

// The panel can be brought back from the sheet window and let behind it (a
// maximised sheet's totals, the print preview).
void DesktopApp::BuildWindowMenu() {
  QMenu* menu = sheets_->menuBar()->addMenu(kWindowMenuCaption);
  menu->setObjectName(QStringLiteral("WindowMenu"));
  QAction* show = menu->addAction(kShowPanelCaption);
  show->setObjectName(QStringLiteral("ShowPanel"));
  connect(show, &QAction::triggered, this, [this] { host_->ActivateWindow(WindowId::kMain); });
  QAction* on_top = menu->addAction(kPanelOnTopCaption);
  on_top->setObjectName(QStringLiteral("PanelOnTop"));
  on_top->setCheckable(true);
  on_top->setChecked(panel_->TopmostAllowed());
  connect(on_top, &QAction::toggled, panel_, &MainPanel::AllowTopmost);
}

// The cells the readjustment marks keep their duty's colour under the mark, and
// its proposal (and the 再調整 window) stand beside them, not over them.
void DesktopApp::KeepMarkedCellsClear() {
  try {
    const workbook::CellRange table = layout::Range(session_->Book(), layout::kTimeTable);
    if (SheetModel* model = sheets_->ModelOfSheet(table.sheet)) {
      model->SetMarkInterior(kMarkInterior);
    }
    const QRect area(table.left - 1, table.top - 1, table.Columns(), table.Rows());
    host_->SetKeepClear([this, area, sheet = table.sheet]() -> QRect {
      if (sheets_ == nullptr || sheets_->Tabs()->currentIndex() != sheet) return {};
      QTableView* view = sheets_->ViewOfSheet(sheet);
      return view != nullptr ? MarkedCellsOnScreen(*view, area) : QRect();
    });
  } catch (const workbook::WorkbookError&) {
    // Without the roster area nothing is ever marked.
  }
}

// On the roster sheet the number and name columns and the date rows stay in view.
void DesktopApp::FreezeRosterPanes() {
  try {
    const workbook::CellRange table = layout::Range(session_->Book(), layout::kTimeTable);
    sheets_->FreezePanes(table.sheet, table.top, table.left);
  } catch (const workbook::WorkbookError&) {
    // A workbook without the roster area scrolls as a whole.
  }
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
  PlaceBeside(start_conditions_, panel_);
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
  connect(readjust_, &ReadjustView::CommandStarted, this, [this] { BeginCommand(readjust_); });
  connect(readjust_, &ReadjustView::CommandEnded, this, &DesktopApp::EndCommand);
  host_->RegisterWindow(WindowId::kReadjust, readjust_);
  if (!readjust_->Load()) {
    delete readjust_;
    return;
  }
  PlaceBeside(readjust_, panel_);
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
  connect(save_restore_, &SaveRestoreView::CommandStarted, this,
          [this] { BeginCommand(save_restore_); });
  connect(save_restore_, &SaveRestoreView::CommandEnded, this, &DesktopApp::EndCommand);
  connect(save_restore_, &SaveRestoreView::ConditionsSaved, this,
          [this] { ShowStatusText(kConditionsSaved.arg(host_->LastFile())); });
  connect(save_restore_, &SaveRestoreView::ConditionsRestored, this,
          [this] { ShowStatusText(kConditionsRestored.arg(host_->LastFile())); });
  host_->RegisterWindow(WindowId::kSaveRestore, save_restore_);
  save_restore_->Load();
  PlaceBeside(save_restore_, panel_);
  save_restore_->show();
}

void DesktopApp::CloseSaveRestore() {
  if (save_restore_ == nullptr) return;
  SaveRestoreView* window = save_restore_;
  save_restore_ = nullptr;
  window->hide();
  window->deleteLater();
}

void DesktopApp::ShowStatusText(const QString& text) {
  if (sheets_ != nullptr) sheets_->statusBar()->showMessage(text);
}

void DesktopApp::BeginCommand(QWidget* source) {
  if (sheets_ != nullptr) sheets_->History().Begin();
  if (busy_depth_++ > 0) return;
  panel_->SetBusy(true);
  if (sheets_ != nullptr) sheets_->SetEditingAllowed(false);
  for (QWidget* window :
       {static_cast<QWidget*>(start_conditions_.data()), static_cast<QWidget*>(readjust_.data()),
        static_cast<QWidget*>(save_restore_.data())}) {
    if (window != nullptr && window != source) window->setEnabled(false);
  }
}

void DesktopApp::EndCommand() {
  if (busy_depth_ == 0) return;
  if (sheets_ != nullptr) sheets_->History().End();
  if (--busy_depth_ > 0) return;
  panel_->SetBusy(false);
  if (close_after_command_) {
    close_after_command_ = false;
    QTimer::singleShot(0, this, &DesktopApp::ShutDown);
  }
  if (sheets_ != nullptr) sheets_->SetEditingAllowed(true);
  for (QWidget* window :
       {static_cast<QWidget*>(start_conditions_.data()), static_cast<QWidget*>(readjust_.data()),
        static_cast<QWidget*>(save_restore_.data())}) {
    if (window != nullptr) window->setEnabled(true);
  }
}

void DesktopApp::ShutDown() {
  // Nothing to save asks nothing; a read-only session cannot save at all.
  const bool modified = session_->Book().IsModified();
  if (read_only_ && modified &&
      ShowMessageBox(panel_, kReadOnlyCloseText, kReadOnlyCloseTitle, MsgButtons::kOkCancel,
                     MsgIcon::kExclamation) != MsgResult::kOk) {
    return;
  }
  // A closed session destroys the workbook: the windows that read it let go of it
  // first, and take it up again when the planner cancels or the save fails.
  if (sheets_ != nullptr) sheets_->StopFollowingStore();
  const ShutdownResult result =
      read_only_ || !modified ? session_->Close(false) : session_->Shutdown();
  if (result != ShutdownResult::kClosed) {
    if (sheets_ != nullptr) sheets_->FollowStore();
    return;
  }
  shut_down_ = true;
  lock_.reset();
  // The session is closed: nothing is left to ask about, and nothing more runs.
  for (QWidget* window : QApplication::topLevelWidgets()) window->hide();
  delete start_conditions_;
  delete readjust_;
  delete save_restore_;
  if (sheets_ != nullptr) {
    sheets_->CloseWithoutQuestion();
    delete sheets_;
  }
  QCoreApplication::exit(0);
}

}  // namespace tsumiki::gui
