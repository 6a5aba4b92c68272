// The desktop program driven through its windows, found by their object names, on
// a fresh copy of the sample workbook with a fixed seed and a virtual clock.
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTableView>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include "app/save_restore.h"
#include "app/session.h"
#include "box_answerer_helper.h"
#include "desktop_fixture_helper.h"
#include "check/roster_reading.h"
#include "check/roster_totals.h"
#include "check/rule_texts.h"
#include "conditions/layout.h"
#include "conditions/sample_workbook.h"
#include "creation/driver_texts.h"
#include "creation/start_conditions_check.h"
#include "gui/colours.h"
#include "gui/desktop_app.h"
#include "gui/gui_texts.h"
#include "gui/main_panel.h"
#include "gui/marked_cells.h"
#include "gui/message_box.h"
#include "gui/placement.h"
#include "gui/qt_host.h"
#include "gui/readjust_view.h"
#include "gui/roster_judge.h"
#include "gui/roster_review.h"
#include "gui/sheet_model.h"
#include "gui/sheet_window.h"
#include "gui/totals_models.h"
#include "gui/totals_panes.h"
#include "laptop_screen_helper.h"
#include "present/readjust_text.h"
#include "support/file_bytes.h"
#include "support/roster_checker.h"
#include "support/scripted_host.h"
#include "ui/status.h"
#include "workbook/file_replace.h"
#include "workbook/writer_lock.h"

namespace fs = std::filesystem;
namespace layout = tsumiki::layout;
namespace wb = tsumiki::workbook;
using tsumiki::gui::DesktopApp;
using tsumiki::gui::testing::BoxAnswerer;
using namespace tsumiki::gui::testing;  // the desktop fixture

namespace {

// The checker's findings without those the whole month shows by design: more staff
// than needed (the work-day adjustment adds duties to reach the targets).
std::vector<tsumiki::testing::Breach> RosterProblems(const tsumiki::ConditionModel& model) {
  tsumiki::testing::CheckOptions options;
  options.extra_staff_on_every_type = true;
  return tsumiki::testing::CheckRoster(model, options);
}

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void MainPanelShowsEveryCommand();
  void StatusWindowPaintsTheCoreView();
  void CreateBuildsACheckedRosterAndReportsIt();
  void AbortDuringARunEndsWithoutCompletion();
  void SecondCreateDuringARunIsRefused();
  void StartConditionsRefuseATextTimeLimit();
  void SheetSelectionFeedsTheSelectedCellNames();
  void ReadjustProposalMarksCellsAndCancelRestoresThem();
  void ClosingAsksAndCancelKeepsTheProgram();
  void ClosingWithYesOrNoEndsTheProgramCleanly();
  void UndoAndRedoOfCreationAndClear();
  void DeleteClearsInputCellsOnly();
  void FormulaBarShowsTheWholeCell();
  void DialogsOpenBesideTheirWindowOnTheScreen();
  void SavedConditionsGetTheFilterExtension();
  void CopyPasteAndMovingKeys();
  void AHeldWorkbookWarnsAndADeadOnesLockIsTakenOver();
  void AMissingWorkbookOffersANewSample();
  void TotalsPanesCountTheEditedRosterAsTheCommandLine();
  void ANextDayBanIsMarkedWithItsReasonUntilUndone();
  void PdfSaveWritesOnePage();
  void PageExportWritesTheMonth();
  void AbortKeepsTheMonthThatStoodBefore();
  void StartConditionsWithDetailsStayOnTheScreen();
  void F8ReachesTheTotalsPanes();
  void ARefusedConditionsFileSaysNoSuccess();
  void ATypedDutyTakesItsColourAndCtrlSSaves();
  void PausesEndOnAClickAndNeedNotHoldAReadyMonth();
};

void DesktopTest::MainPanelShowsEveryCommand() {
  auto app = StartApp("panel");
  QVERIFY(app);
  tsumiki::gui::MainPanel* panel = app->Panel();
  QCOMPARE(panel->objectName(), QStringLiteral("frm勤務管理"));
  QVERIFY(panel->isVisible());
  QVERIFY(panel->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QCOMPARE(panel->windowTitle(), QStringLiteral("<ツミキ>1.05"));
  const struct {
    const char* name;
    const char* caption;
    const char* tip;
  } buttons[] = {
      {"cmd勤務表作成", "シフト表作成", "シフト表を作成します"},
      {"cmd勤務表", "シフト表示", "シフト表シートに移動します"},
      {"cmd勤務表クリア", nullptr, "作成済みのシフト表をクリア"},
      {"cmd再調整", "再調整", nullptr},
      {"cmd開始条件設定", "開始条件設定", nullptr},
      {"cmd基本設定", "基本設定", nullptr},
      {"cmd要員設定", "要員数設定", nullptr},
      {"cmd個人別設定", "個人条件設定", nullptr},
      {"cmd保存読込", "条件保存/読込", "作成条件の保存と読み込み"},
      {"cmdHelp", "ヘルプトップ", nullptr},
      {"cmdH開始条件", nullptr, "開始条件設定のヘルプ"},
      {"cmdH基本", nullptr, "基本設定のヘルプ"},
      {"cmdH要員", nullptr, "要員数設定のヘルプ"},
      {"cmdH個人別", nullptr, "個人条件設定のヘルプ"},
      {"cmdH保存", nullptr, "条件保存/読込のヘルプ"},
      {"cmd閉じる", "閉じる", "ツミキを終了します"},
  };
  for (const auto& expected : buttons) {
    QPushButton* button = PanelButton(*app, expected.name);
    QVERIFY2(button != nullptr, expected.name);
    if (expected.caption) QCOMPARE(button->text(), QString::fromUtf8(expected.caption));
    if (expected.tip) QCOMPARE(button->toolTip(), QString::fromUtf8(expected.tip));
  }
  // The sample has no stored mode name problem: exactly the session's mode is ticked.
  const int mode = app->GetSession().Values().CreationMode;
  const QList<QAction*> items = panel->findChildren<QAction*>(QStringLiteral("mnu単勤単休最少化"));
  QCOMPARE(items.size(), 3);
  for (QAction* item : items) QCOMPARE(item->isChecked(), item->property("Index").toInt() == mode);
  QVERIFY(panel->findChild<QAction*>(QStringLiteral("mnu単勤単休総数")) != nullptr);
  QVERIFY(panel->findChild<QMenu*>(QStringLiteral("mnu設定")) != nullptr);
  // Every sheet of the workbook is a tab of the sheet window.
  QCOMPARE(app->Sheets()->Tabs()->count(), app->GetSession().Book().SheetCount());
}

void DesktopTest::StatusWindowPaintsTheCoreView() {
  tsumiki::gui::QtHost host(true);
  // Ten characters, default colours (a background without a text colour is ignored).
  tsumiki::ShowStatus(host, "あいうえおかきくけこ", 0, 0xFF0000, true, 0);
  QWidget* splash = VisibleWindow("frmSplash");
  QVERIFY(splash != nullptr);
  auto* label = splash->findChild<QLabel*>(QStringLiteral("lblMsg"));
  QCOMPARE(label->text(), QStringLiteral("あいうえおかきくけこ"));
  const int twips = host.Screen().twips_per_pixel_x;
  QCOMPARE(splash->width(), 9240 / twips);
  QCOMPARE(splash->palette().color(QPalette::Window), QColor(255, 224, 192));
  QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 192, 0));
  QVERIFY(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QVERIFY(splash->windowFlags().testFlag(Qt::FramelessWindowHint));
  // Blue text on a pale background, as the retry status asks.
  tsumiki::ShowStatus(host, "再挑戦", 0xFF0000, 0xFFFFC0, false, 0);
  QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  QCOMPARE(splash->palette().color(QPalette::Window), QColor(192, 255, 255));
  tsumiki::ShowStatus(host, "", 0, 0, false, 0);
  QVERIFY(VisibleWindow("frmSplash") == nullptr);
}

void DesktopTest::CreateBuildsACheckedRosterAndReportsIt() {
  auto app = StartApp("create");
  QVERIFY(app);
  BoxAnswerer boxes;
  PanelButton(*app, "cmd勤務表作成")->click();

  QVERIFY2(boxes.SawTitle(Q(tsumiki::kDoneTitle)), "no 作成完了 message");
  QVERIFY(boxes.TextOf(Q(tsumiki::kDoneTitle)).startsWith(QStringLiteral("所要時間 ")));
  tsumiki::ConditionModel& model = app->GetSession().Model();
  const std::vector<tsumiki::testing::Breach> problems = RosterProblems(model);
  QVERIFY2(problems.empty(), tsumiki::testing::JoinProblems(problems).c_str());
  // What the sheet window shows is the roster the model holds.
  wb::Workbook& book = app->GetSession().Book();
  const wb::CellRange table = layout::Range(book, layout::kTimeTable);
  QTableView* view = app->Sheets()->ViewOfSheet(table.sheet);
  QVERIFY(view != nullptr);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) {
      const int code = model.Roster(m, d);
      const std::string expected = code > 0 ? model.TypeAbbrev(code) : std::string();
      QCOMPARE(RosterText(*app, m, d), expected);
      const QModelIndex cell = view->model()->index(table.top + m - 2, table.left + d - 2);
      QCOMPARE(cell.data().toString(), QString::fromStdString(expected));
    }
  }
  // The panel is on top again once the run is over.
  QVERIFY(app->Panel()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void DesktopTest::AbortDuringARunEndsWithoutCompletion() {
  auto app = StartApp("abort");
  QVERIFY(app);
  BoxAnswerer boxes;
  bool pressed = false;
  int day_when_pressed = 0;
  // Looks at the progress window on every pass of the event loop the run lets
  // through, and presses 中止 once a few days are built.
  QTimer presser;
  presser.setInterval(0);
  connect(&presser, &QTimer::timeout, [&] {
    if (pressed) return;
    auto* bar = Find<QProgressBar>("frm処理中", "PBar");
    if (bar == nullptr || bar->value() < 5) return;
    pressed = true;
    day_when_pressed = bar->value();
    Find<QPushButton>("frm処理中", "cmd中止")->click();
  });
  presser.start();
  PanelButton(*app, "cmd勤務表作成")->click();

  QVERIFY(pressed);
  QVERIFY(day_when_pressed >= 5);
  QVERIFY(!boxes.SawTitle(Q(tsumiki::kDoneTitle)));
  QVERIFY(app->GetSession().Run().AbortRequested);
  QVERIFY(!app->GetSession().Run().RosterComplete);
  QVERIFY(VisibleWindow("frm処理中") == nullptr);
}

void DesktopTest::SecondCreateDuringARunIsRefused() {
  auto app = StartApp("busy");
  QVERIFY(app);
  BoxAnswerer boxes;
  bool tried = false;
  bool create_enabled = true;
  bool abort_enabled = false;
  QTimer presser;
  presser.setInterval(0);
  connect(&presser, &QTimer::timeout, [&] {
    auto* bar = Find<QProgressBar>("frm処理中", "PBar");
    if (tried || bar == nullptr || bar->value() < 3) return;
    tried = true;
    create_enabled = PanelButton(*app, "cmd勤務表作成")->isEnabled();
    abort_enabled = Find<QPushButton>("frm処理中", "cmd中止")->isEnabled();
    PanelButton(*app, "cmd勤務表作成")->click();
    app->RunCommand(QStringLiteral("cmd勤務表作成"));
    app->RunCommand(QStringLiteral("cmd勤務表クリア"));
  });
  presser.start();
  PanelButton(*app, "cmd勤務表作成")->click();
  presser.stop();

  QVERIFY(tried);
  QVERIFY(!create_enabled);
  QVERIFY(abort_enabled);
  int done = 0;
  for (const auto& box : boxes.Boxes()) done += box.title == Q(tsumiki::kDoneTitle) ? 1 : 0;
  QCOMPARE(done, 1);
  QVERIFY(app->GetSession().Run().RosterComplete);
  QVERIFY(PanelButton(*app, "cmd勤務表作成")->isEnabled());
}

void DesktopTest::StartConditionsRefuseATextTimeLimit() {
  auto app = StartApp("start_conditions");
  QVERIFY(app);
  BoxAnswerer boxes;
  PanelButton(*app, "cmd開始条件設定")->click();
  QWidget* dialog = VisibleWindow("frm開始条件設定");
  QVERIFY(dialog != nullptr);
  QCOMPARE(dialog->windowTitle(), QStringLiteral("開始条件設定"));

  // The base start day is copied into the first day; not the other way round.
  auto* base_day = dialog->findChild<QComboBox*>(QStringLiteral("cmbStdDay"));
  auto* day = dialog->findChild<QComboBox*>(QStringLiteral("cmbDay"));
  base_day->setEditText(QStringLiteral("15"));
  QCOMPARE(day->currentText(), QStringLiteral("15"));
  day->setEditText(QStringLiteral("3"));
  QCOMPARE(base_day->currentText(), QStringLiteral("15"));
  base_day->setEditText(QStringLiteral("1"));

  // The weights area opens with one box per duty type and one for days off.
  auto* details = dialog->findChild<QCheckBox*>(QStringLiteral("chk詳細設定"));
  const int short_height = dialog->height();
  details->click();
  QVERIFY(dialog->height() > short_height);
  int shown = 0;
  for (QLineEdit* box : dialog->findChildren<QLineEdit*>(QStringLiteral("Opt"))) {
    if (box->isVisible()) ++shown;
  }
  QCOMPARE(shown, app->GetSession().Model().TypeCount + 1);

  wb::Workbook& book = app->GetSession().Book();
  const auto stored_limit = [&] {
    return book.ReadCellText(book.SheetRange(layout::kSheetMain, "制限時間"), 1, 1);
  };
  const std::string before = stored_limit();
  auto* limit = dialog->findChild<QLineEdit*>(QStringLiteral("txt制限時間"));
  limit->setText(QStringLiteral("abc"));
  dialog->findChild<QPushButton*>(QStringLiteral("cmd設定"))->click();
  QCOMPARE(boxes.Boxes().size(), std::size_t{1});
  QCOMPARE(boxes.Boxes().back().text, Q(tsumiki::kTimeLimitInvalidMessage));
  QCOMPARE(boxes.Boxes().back().title, Q(tsumiki::kInputErrorTitle));
  QVERIFY(VisibleWindow("frm開始条件設定") != nullptr);
  QCOMPARE(stored_limit(), before);

  limit->setText(QStringLiteral("7"));
  dialog->findChild<QLineEdit*>(QStringLiteral("txt改善時間"))->setText(QStringLiteral("0.5"));
  dialog->findChild<QPushButton*>(QStringLiteral("cmd設定"))->click();
  QCOMPARE(boxes.Boxes().size(), std::size_t{1});
  QCOMPARE(stored_limit(), std::string("7"));
  QCOMPARE(book.ReadCellText(book.SheetRange(layout::kSheetMain, "改善時間"), 1, 1),
           std::string("0.5"));
  QCoreApplication::processEvents();
  QVERIFY(VisibleWindow("frm開始条件設定") == nullptr);
}

void DesktopTest::SheetSelectionFeedsTheSelectedCellNames() {
  auto app = StartApp("selection");
  QVERIFY(app);
  wb::Workbook& book = app->GetSession().Book();
  const wb::CellRange table = layout::Range(book, layout::kTimeTable);
  QTableView* view = app->Sheets()->ViewOfSheet(table.sheet);
  // Model rows and columns count from 0, sheet rows and columns from 1.
  view->setCurrentIndex(view->model()->index(table.top + 1, table.left + 3));
  const auto read = [&](const layout::NameSpec& name) {
    return book.ReadCell(layout::Range(book, name), 1, 1);
  };
  QCOMPARE(read(layout::kSelectedRow), wb::CellValue(3));
  QCOMPARE(read(layout::kSelectedColumn), wb::CellValue(5));
  // Outside the roster both are 0, and derived cells cannot be typed into.
  view->setCurrentIndex(view->model()->index(0, 0));
  QCOMPARE(read(layout::kSelectedRow), wb::CellValue(0));
  const wb::CellRange row_cell = layout::Range(book, layout::kSelectedRow);
  const QModelIndex derived = view->model()->index(row_cell.top - 1, row_cell.left - 1);
  QVERIFY(!(view->model()->flags(derived) & Qt::ItemIsEditable));
  QVERIFY(!view->model()->setData(derived, QStringLiteral("9"), Qt::EditRole));

  // The core's choice of sheet and cell shows in the window.
  PanelButton(*app, "cmd基本設定")->click();
  app->Sheets()->SyncFromStore();
  QCOMPARE(app->Sheets()->Tabs()->tabText(app->Sheets()->Tabs()->currentIndex()),
           Q(layout::kSheetBasic));
}

void DesktopTest::ReadjustProposalMarksCellsAndCancelRestoresThem() {
  auto app = StartApp("readjust");
  QVERIFY(app);
  BoxAnswerer boxes;
  PanelButton(*app, "cmd勤務表作成")->click();
  QVERIFY(boxes.SawTitle(Q(tsumiki::kDoneTitle)));

  PanelButton(*app, "cmd再調整")->click();
  QWidget* window = VisibleWindow("frm再調整");
  QVERIFY(window != nullptr);
  wb::Workbook& book = app->GetSession().Book();
  const wb::CellRange table = layout::Range(book, layout::kTimeTable);
  QTableView* view = app->Sheets()->ViewOfSheet(table.sheet);
  tsumiki::ConditionModel& model = app->GetSession().Model();
  auto* target = window->findChild<QLineEdit*>(QStringLiteral("txtTarget"));
  auto* undo = window->findChild<QPushButton*>(QStringLiteral("cmd戻す"));

  const auto snapshot = [&] {
    std::vector<std::pair<std::string, int>> cells;
    for (int m = 1; m <= model.MemberCount; ++m) {
      for (int d = 1; d <= model.DayCount; ++d) {
        cells.emplace_back(
            RosterText(*app, m, d),
            book.InteriorColorIndex(table.sheet, table.top + m - 1, table.left + d - 1));
      }
    }
    return cells;
  };
  const auto before = snapshot();
  // The proposal and the 再調整 window stand clear of the cells it marks, and
  // those show their duty's colour under the mark.
  int clear_checks = 0;
  boxes.SetInspect([&](tsumiki::gui::MessageDialog& box) {
    if (box.windowTitle() != Q(tsumiki::kProposalTitle)) return;
    const QRect area(table.left - 1, table.top - 1, table.right - table.left + 1,
                     table.bottom - table.top + 1);
    const QRect marked = tsumiki::gui::MarkedCellsOnScreen(*view, area);
    QVERIFY(marked.isValid());
    QVERIFY(!box.frameGeometry().intersects(marked));
    QVERIFY(!window->frameGeometry().intersects(marked));
    for (int r = area.top(); r <= area.bottom(); ++r) {
      for (int c = area.left(); c <= area.right(); ++c) {
        const QModelIndex cell = view->model()->index(r, c);
        if (!cell.data(tsumiki::gui::SheetModel::kMarkedRole).toBool()) continue;
        const QColor shown = cell.data(Qt::BackgroundRole).value<QBrush>().color();
        QVERIFY(shown != tsumiki::gui::FromColorIndex(tsumiki::kMarkInterior));
      }
    }
    ++clear_checks;
  });
  int marked_during_proposal = 0;
  boxes.SetDecide([&](const QString& title, const QString&) {
    if (title != Q(tsumiki::kProposalTitle)) return kOk;
    for (const auto& [text, interior] : snapshot()) {
      if (interior == tsumiki::kMarkInterior) ++marked_during_proposal;
    }
    return kCancel;
  });

  // Day 2 of member after member until a proposal comes up.
  bool proposed = false;
  for (int m = 1; m <= model.MemberCount && !proposed; ++m) {
    if (RosterText(*app, m, 2).empty()) continue;
    view->setCurrentIndex(view->model()->index(table.top + m - 2, table.left));
    app->Host().AdvanceClock(tsumiki::ReadjustWindow::kTimerIntervalMs);
    QCoreApplication::processEvents();
    app->Readjust()->Refresh();
    QCOMPARE(target->text(), QString::fromStdString(RosterText(*app, m, 2)));
    boxes.Clear();
    window->findChild<QPushButton*>(QStringLiteral("cmd再調整"))->click();
    proposed = boxes.SawTitle(Q(tsumiki::kProposalTitle));
  }
  QVERIFY2(proposed, "no member on day 2 could be readjusted");
  QVERIFY(marked_during_proposal >= 2);
  QCOMPARE(clear_checks, 1);
  QVERIFY(snapshot() == before);
  QVERIFY(!undo->isEnabled());
}

void DesktopTest::ClosingAsksAndCancelKeepsTheProgram() {
  auto app = StartApp("closing");
  QVERIFY(app);
  BoxAnswerer boxes([](const QString&, const QString&) { return kCancel; });
  wb::Workbook& book = app->GetSession().Book();
  const wb::CellRange limit = layout::Range(book, layout::kMaxConsecWork);
  // Nothing changed: the question would have nothing to save.
  QVERIFY(!book.IsModified());
  // 閉じる and the panel's title-bar X both ask once there is a change.
  book.WriteCell(limit, 1, 1, wb::CellValue(4.0));
  PanelButton(*app, "cmd閉じる")->click();
  app->Panel()->close();
  QCOMPARE(boxes.Boxes().size(), std::size_t{2});
  for (const auto& box : boxes.Boxes()) {
    QCOMPARE(box.title, Q(tsumiki::kSaveQuestionTitle));
    QCOMPARE(box.text, Q(tsumiki::kSaveQuestion));
  }
  QVERIFY(!app->HasShutDown());
  QVERIFY(app->GetSession().IsOpen());
  QVERIFY(app->Panel()->isVisible());
  QVERIFY(app->Sheets()->isVisible());
  book.WriteCell(limit, 1, 1, wb::CellValue(5.0));
  boxes.Clear();

  // The sheet window's menu shows a hidden panel again and lets it go behind.
  app->Panel()->hide();
  app->Sheets()->findChild<QAction*>(QStringLiteral("ShowPanel"))->trigger();
  QVERIFY(app->Panel()->isVisible());
  app->Sheets()->findChild<QAction*>(QStringLiteral("PanelOnTop"))->setChecked(false);
  app->Host().SetTopmost(tsumiki::WindowId::kMain, true);
  QVERIFY(!app->Panel()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

  // An unsaved edit makes the sheet window ask; Cancel keeps it open.
  const int basic = book.Sheet(layout::kSheetBasic);
  tsumiki::gui::SheetModel* model = app->Sheets()->ModelOfSheet(basic);
  const QModelIndex limit_cell = model->index(limit.top - 1, limit.left - 1);
  // Committing what the editor showed changes nothing.
  const bool modified = book.IsModified();
  QVERIFY(model->setData(limit_cell, limit_cell.data(Qt::EditRole), Qt::EditRole));
  QCOMPARE(book.IsModified(), modified);
  QVERIFY(model->setData(limit_cell, QStringLiteral("6"), Qt::EditRole));
  QVERIFY(book.IsModified());
  app->Sheets()->close();
  QCOMPARE(boxes.Boxes().size(), std::size_t{1});
  QCOMPARE(boxes.Boxes().back().title, Q(tsumiki::kSaveQuestionTitle));
  QCOMPARE(boxes.Boxes().back().text, Q(tsumiki::kSaveQuestion));
  QVERIFY(app->Sheets()->isVisible());
  QVERIFY(book.IsModified());
}

// As main() runs the program: the event loop ends through cmd閉じる, then the
// application object goes. はい writes the edit to the file, いいえ leaves it.
void DesktopTest::ClosingWithYesOrNoEndsTheProgramCleanly() {
  const struct {
    const char* answer;
    bool saved;
  } cases[] = {{"はい(&Y)", true}, {"いいえ(&N)", false}};
  for (const auto& c : cases) {
    auto app = StartApp(c.saved ? "close_yes" : "close_no");
    QVERIFY(app);
    wb::Workbook& book = app->GetSession().Book();
    const fs::path path = book.Path();
    const wb::CellRange limit = layout::Range(book, layout::kMaxConsecWork);
    book.WriteCell(limit, 1, 1, wb::CellValue(4.0));
    BoxAnswerer boxes([&](const QString&, const QString&) { return QString::fromUtf8(c.answer); });
    QTimer::singleShot(0, app.get(), [&] { PanelButton(*app, "cmd閉じる")->click(); });
    // Tied to this case's program: a stray exit() would end whatever event loop a
    // later test is in, a message box's among them.
    QTimer::singleShot(30000, app.get(), [] { QCoreApplication::exit(2); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(app->HasShutDown());
    app.reset();
    const auto reopened = wb::Workbook::Open(path);
    const wb::CellRange stored = layout::Range(*reopened, layout::kMaxConsecWork);
    QCOMPARE(reopened->ReadCell(stored, 1, 1) == wb::CellValue(4.0), c.saved);
  }
}

void DesktopTest::UndoAndRedoOfCreationAndClear() {
  auto app = StartApp("undo");
  QVERIFY(app);
  BoxAnswerer boxes;
  const auto month_before = RosterCells(*app);
  PanelButton(*app, "cmd勤務表作成")->click();
  QVERIFY(boxes.SawTitle(Q(tsumiki::kDoneTitle)));
  const auto created = RosterCells(*app);
  QVERIFY(created != month_before);

  PanelButton(*app, "cmd勤務表クリア")->click();
  QVERIFY(RosterIsEmpty(*app));
  QAction* undo = app->Sheets()->UndoAction();
  QAction* redo = app->Sheets()->RedoAction();
  QVERIFY(undo->isEnabled());
  undo->trigger();
  QVERIFY(RosterCells(*app) == created);
  redo->trigger();
  QVERIFY(RosterIsEmpty(*app));
  undo->trigger();
  undo->trigger();
  QVERIFY(RosterCells(*app) == month_before);
  QVERIFY(!undo->isEnabled());
}

void DesktopTest::DeleteClearsInputCellsOnly() {
  auto app = StartApp("delete");
  QVERIFY(app);
  wb::Workbook& book = app->GetSession().Book();
  const auto key_on = [&](const wb::CellRange& cell, Qt::Key key) {
    QTableView* view = app->Sheets()->ViewOfSheet(cell.sheet);
    app->Sheets()->Tabs()->setCurrentIndex(cell.sheet);
    view->setCurrentIndex(view->model()->index(cell.top - 1, cell.left - 1));
    QTest::keyClick(view, key);
  };
  const wb::CellRange input = layout::Range(book, layout::kMaxConsecWork);
  const wb::CellValue kept = book.ReadCell(input, 1, 1);
  QVERIFY(!kept.IsEmpty());
  key_on(input, Qt::Key_Delete);
  QVERIFY(book.ReadCell(input, 1, 1).IsEmpty());
  app->Sheets()->UndoAction()->trigger();
  QCOMPARE(book.ReadCell(input, 1, 1), kept);

  const wb::CellRange derived = layout::Range(book, layout::kDayCnt);
  const wb::CellValue count = book.ReadCell(derived, 1, 1);
  QVERIFY(!count.IsEmpty());
  key_on(derived, Qt::Key_Backspace);
  QCOMPARE(book.ReadCell(derived, 1, 1), count);
}

void DesktopTest::FormulaBarShowsTheWholeCell() {
  auto app = StartApp("formula_bar");
  QVERIFY(app);
  wb::Workbook& book = app->GetSession().Book();
  const int main_sheet = book.Sheet(layout::kSheetMain);
  app->Sheets()->Tabs()->setCurrentIndex(main_sheet);
  QTableView* view = app->Sheets()->ViewOfSheet(main_sheet);
  view->setCurrentIndex(view->model()->index(0, 0));
  const QString a1 = QString::fromStdString(book.DisplayText(main_sheet, 1, 1));
  QVERIFY(a1.size() > 10);
  QCOMPARE(app->Sheets()->FormulaBar()->text(), a1);
}

void DesktopTest::DialogsOpenBesideTheirWindowOnTheScreen() {
  const QRect screen(0, 0, 1366, 768);
  const QSize box(300, 150);
  const struct {
    QRect anchor;
    QPoint expected;
  } cases[] = {
      {QRect(1100, 420, 250, 330), QPoint(792, 600)},  // the panel: to its left, bottoms level
      {QRect(10, 300, 250, 200), QPoint(268, 350)},    // no room on the left: to its right
      {QRect(8, 38, 1090, 700), QPoint(402, 588)},     // the sheet window: over its middle
      {QRect(1100, 0, 250, 100), QPoint(792, 0)},      // never above the screen
  };
  for (const auto& c : cases) {
    QCOMPARE(tsumiki::gui::BesideRect(c.anchor, box, screen), c.expected);
  }
  // A box about marked cells stands beside them, never over them.
  const struct {
    QRect cells;
    QPoint expected;
  } clear_of[] = {
      {QRect(400, 300, 30, 44), QPoint(438, 246)},   // to the right
      {QRect(1200, 300, 60, 44), QPoint(892, 246)},  // no room on the right: to the left
      {QRect(20, 100, 1300, 22), QPoint(519, 130)},  // a whole row: below it
  };
  for (const auto& c : clear_of) {
    const QPoint place = tsumiki::gui::AwayFrom(c.cells, box, screen);
    QCOMPARE(place, c.expected);
    QVERIFY(!QRect(place, box).intersects(c.cells));
  }
}

void DesktopTest::SavedConditionsGetTheFilterExtension() {
  tsumiki::gui::QtHost host(true);
  const struct {
    const char* typed;
    const char* saved;
  } cases[] = {
      {"/tmp/条件", "/tmp/条件.csv"}, {"/tmp/a.csv", "/tmp/a.csv"}, {"/tmp/b.txt", "/tmp/b.txt"}};
  for (const auto& c : cases) {
    host.SetFileDialogHook([&](bool, std::string_view) { return std::string(c.typed); });
    QCOMPARE(host.AskSaveFileName(tsumiki::kConditionsFileFilter, "/tmp"),
             std::optional<std::string>(c.saved));
  }
}

void DesktopTest::CopyPasteAndMovingKeys() {
  auto app = StartApp("keys");
  QVERIFY(app);
  wb::Workbook& book = app->GetSession().Book();
  const wb::CellRange table = layout::Range(book, layout::kTimeTable);
  book.WriteCell(table, 1, 1, wb::CellValue(std::string("日")));
  book.WriteCell(table, 2, 2, wb::CellValue(std::string("夜")));
  QCoreApplication::processEvents();  // the two writes end their undo step
  tsumiki::gui::SheetWindow* sheets = app->Sheets();
  sheets->SyncFromStore();
  QTableView* view = sheets->ViewOfSheet(table.sheet);
  QAbstractItemModel* model = view->model();
  const QModelIndex first = model->index(table.top - 1, table.left - 1);
  const QModelIndex last = model->index(table.top, table.left);
  view->setCurrentIndex(first);
  view->selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::Select);
  QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("日\t\n\t夜\n"));

  // Pasted one row lower: the block lands cell for cell, as one undo step.
  view->selectionModel()->setCurrentIndex(model->index(table.top, table.left - 1),
                                          QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(RosterText(*app, 2, 1), std::string("日"));
  QCOMPARE(RosterText(*app, 3, 2), std::string("夜"));
  sheets->UndoAction()->trigger();
  QCOMPARE(RosterText(*app, 2, 1), std::string());
  QCOMPARE(RosterText(*app, 2, 2), std::string("夜"));

  QTest::keyClick(view, Qt::Key_Return);
  QCOMPARE(view->currentIndex().row(), table.top + 1);
  const int tab = sheets->Tabs()->currentIndex();
  QTest::keyClick(view, Qt::Key_PageDown, Qt::ControlModifier);
  QCOMPARE(sheets->Tabs()->currentIndex(), tab + 1);
}

namespace {

// A process number that has just ended.
long DeadPid() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}
}  // namespace

// A second instance meets the lock file of the first (a live process: the test's
// parent) and is warned; a lock of a process that has ended is taken over quietly.
void DesktopTest::AHeldWorkbookWarnsAndADeadOnesLockIsTakenOver() {
  const struct {
    long pid;
    bool warned;
  } cases[] = {{::getppid(), true}, {DeadPid(), false}};
  const std::string ours = "pid:" + std::to_string(::getpid());
  for (const auto& c : cases) {
    const fs::path dir = FreshWorkbookFolder(c.warned ? "lock_live" : "lock_dead");
    const fs::path lock = wb::LockFilePath(dir / "shift.xlsm");
    const std::string theirs = wb::LockContents(
        {"ツミキ", "planner", wb::ThisHost(), "08.12.2026 09:00", "pid:" + std::to_string(c.pid)});
    std::ofstream(lock) << theirs;
    BoxAnswerer boxes(
        [](const QString&, const QString&) { return QStringLiteral("読み取り専用で開く"); });
    auto app = StartApp(dir);
    QVERIFY(app);
    QCOMPARE(boxes.SawTitle(QStringLiteral("ブックの使用中")), c.warned);
    QCOMPARE(app->ReadOnly(), c.warned);
    if (c.warned) {
      QVERIFY(boxes.TextOf(QStringLiteral("ブックの使用中")).contains(QStringLiteral("planner@")));
      QCOMPARE(tsumiki::testing::ReadFile(lock), theirs);
      // No save question in a read-only session: a change is said to be lost, and
      // Cancel keeps the program open; Ctrl+S says why it cannot save.
      wb::Workbook& book = app->GetSession().Book();
      book.WriteCell(layout::Range(book, layout::kMaxConsecWork), 1, 1, wb::CellValue(4.0));
      boxes.SetDecide([](const QString&, const QString&) { return kCancel; });
      PanelButton(*app, "cmd閉じる")->click();
      QVERIFY(!boxes.SawTitle(Q(tsumiki::kSaveQuestionTitle)));
      QVERIFY(boxes.SawTitle(tsumiki::gui::kReadOnlyCloseTitle));
      QVERIFY(!app->HasShutDown());
      app->Sheets()->SaveAction()->trigger();
      QVERIFY(boxes.Boxes().back().text.contains(QStringLiteral("読み取り専用")));
    } else {
      QVERIFY(tsumiki::testing::ReadFile(lock).find(ours) != std::string::npos);
    }
    app.reset();
    // Ours goes with the program; theirs stays.
    QCOMPARE(fs::exists(lock), c.warned);
  }
}

void DesktopTest::AMissingWorkbookOffersANewSample() {
  const fs::path dir = FreshWorkbookFolder("missing");
  fs::remove(dir / "shift.xlsm");
  BoxAnswerer boxes(
      [](const QString&, const QString&) { return QStringLiteral("見本のブックを作成"); });
  tsumiki::gui::DesktopOptions options;
  options.start_dir = dir;
  options.virtual_clock = true;
  DesktopApp app(options);
  app.Host().SetFileDialogHook([&](bool save, std::string_view) {
    return save ? std::optional<std::string>((dir / "新しい表").string()) : std::nullopt;
  });
  QVERIFY(app.StartUp());
  QVERIFY(boxes.SawTitle(QStringLiteral("ブックがありません")));
  QCOMPARE(app.GetSession().Book().Path(), dir / "新しい表.xlsm");
}

namespace {
// Puts `text` into the roster cell of member m on day d through the sheet window.
void EditRoster(DesktopApp& app, int member, int day, const char* text) {
  wb::Workbook& book = app.GetSession().Book();
  const wb::CellRange table = layout::Range(book, layout::kTimeTable);
  tsumiki::gui::SheetModel* model = app.Sheets()->ModelOfSheet(table.sheet);
  QVERIFY(model->setData(model->index(table.top + member - 2, table.left + day - 2),
                         QString::fromUtf8(text), Qt::EditRole));
}

QString RosterTip(DesktopApp& app, int member, int day) {
  wb::Workbook& book = app.GetSession().Book();
  const wb::CellRange table = layout::Range(book, layout::kTimeTable);
  return app.Sheets()
      ->ModelOfSheet(table.sheet)
      ->index(table.top + member - 2, table.left + day - 2)
      .data(Qt::ToolTipRole)
      .toString();
}

// The totals as `tsumiki show --totals` reads them: a new session on the saved file.
tsumiki::RosterTotals TotalsOfTheFile(const fs::path& path) {
  tsumiki::testing::ScriptedHost host;
  tsumiki::SessionOptions options;
  options.start_dir = path.parent_path();
  options.workbook = path;
  tsumiki::Session session(host, options);
  if (!session.StartUp()) return {};
  tsumiki::EngineContext context = session.Context();
  if (tsumiki::ReadRosterAsItStands(context).start_day < 0) return {};
  return tsumiki::CountRosterTotals(session.Model());
}
}  // namespace

void DesktopTest::TotalsPanesCountTheEditedRosterAsTheCommandLine() {
  auto app = StartApp("totals");
  QVERIFY(app);
  BoxAnswerer boxes;
  PanelButton(*app, "cmd勤務表作成")->click();
  QVERIFY(boxes.SawTitle(Q(tsumiki::kDoneTitle)));
  EditRoster(*app, 1, 3, "夜");
  EditRoster(*app, 2, 3, "");
  // The sheet window reports the change at once; the judgement is not waited for.
  QTest::qWait(100);
  app->Review()->Judge().JudgeNow();
  wb::Workbook& book = app->GetSession().Book();
  book.Save();
  const tsumiki::RosterTotals expected = TotalsOfTheFile(book.Path());
  QVERIFY(!expected.members.empty());

  tsumiki::gui::TotalsPanes* panes = app->Review()->Panes();
  const auto* members =
      static_cast<const tsumiki::gui::MemberTotalsModel*>(panes->MemberTable()->model());
  int rows_seen = 0;
  for (int row = 0; row < members->rowCount(); ++row) {
    const int m = members->MemberOfRow(row);
    if (m == 0) continue;
    ++rows_seen;
    const tsumiki::MemberTotals& sum = expected.members[static_cast<std::size_t>(m - 1)];
    std::vector<int> want = sum.duties;
    want.insert(want.end(),
                {sum.work_days, sum.target, sum.days_off, sum.single_work, sum.single_rest});
    for (int c = 0; c < members->columnCount(); ++c) {
      QCOMPARE(members->index(row, c).data().toInt(), want[static_cast<std::size_t>(c)]);
    }
  }
  QCOMPARE(rows_seen, static_cast<int>(expected.members.size()));
  const auto* days = static_cast<const tsumiki::gui::DayTotalsModel*>(panes->DayTable()->model());
  for (int column = 0; column < days->columnCount(); ++column) {
    const int d = days->DayOfColumn(column);
    if (d == 0) continue;
    const tsumiki::DayTotals& day = expected.days[static_cast<std::size_t>(d - 1)];
    for (int t = 0; t < days->rowCount(); ++t) {
      const auto i = static_cast<std::size_t>(t);
      QCOMPARE(days->index(t, column).data().toString(),
               QStringLiteral("%1/%2").arg(day.staff[i]).arg(day.need[i]));
    }
  }
}

void DesktopTest::ANextDayBanIsMarkedWithItsReasonUntilUndone() {
  auto app = StartApp("rule_marks");
  QVERIFY(app);
  const QString reason =
      Q(layout::Format(tsumiki::rule_text::kNextDayBan, {std::string("夜"), std::string("日")}));
  EditRoster(*app, 1, 10, "夜");
  EditRoster(*app, 1, 11, "日");
  QTRY_VERIFY(RosterTip(*app, 1, 11).contains(reason));
  // F8 goes from the 夜 to the next marked cell, the 日 after it, and says why.
  const wb::CellRange table = layout::Range(app->GetSession().Book(), layout::kTimeTable);
  QTableView* view = app->Sheets()->ViewOfSheet(table.sheet);
  view->setCurrentIndex(view->model()->index(table.top - 1, table.left + 10 - 2));
  app->Review()->NextFindingAction()->trigger();
  QCOMPARE(view->currentIndex().column(), table.left + 11 - 2);
  QVERIFY(app->Sheets()->statusBar()->currentMessage().contains(reason));
  app->Sheets()->UndoAction()->trigger();
  QTRY_VERIFY(!RosterTip(*app, 1, 11).contains(reason));
}

void DesktopTest::PdfSaveWritesOnePage() {
  const fs::path dir = FreshWorkbookFolder("pdf");
  auto app = StartApp(dir);
  QVERIFY(app);
  app->Host().SetFileDialogHook(
      [&](bool, std::string_view) { return std::optional<std::string>((dir / "四月").string()); });
  app->Review()->PdfAction(false)->trigger();
  std::ifstream in(dir / "四月.pdf", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  QCOMPARE(text.substr(0, 5), std::string("%PDF-"));
  const std::regex page(R"(/Type\s*/Page[^s])");
  QCOMPARE(
      std::distance(std::sregex_iterator(text.begin(), text.end(), page), std::sregex_iterator()),
      1);
  QVERIFY(app->Sheets()->statusBar()->currentMessage().contains(QStringLiteral("四月.pdf")));
}

// ファイル → the month's page: the chosen file gets the page, never the workbook.
void DesktopTest::PageExportWritesTheMonth() {
  const fs::path dir = FreshWorkbookFolder("page");
  auto app = StartApp(dir);
  QVERIFY(app);
  app->Host().SetFileDialogHook(
      [&](bool, std::string_view) { return std::optional<std::string>((dir / "一月").string()); });
  app->Review()->PageAction()->trigger();
  std::ifstream in(dir / "一月.html", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  QCOMPARE(text.substr(0, 15), std::string("<!DOCTYPE html>"));
  QVERIFY(app->Sheets()->statusBar()->currentMessage().contains(QStringLiteral("一月.html")));
}

void DesktopTest::AbortKeepsTheMonthThatStoodBefore() {
  auto app = StartApp("abort_keeps");
  QVERIFY(app);
  BoxAnswerer boxes;
  PanelButton(*app, "cmd勤務表作成")->click();
  QVERIFY(boxes.SawTitle(Q(tsumiki::kDoneTitle)));
  const auto before = RosterCells(*app);
  bool pressed = false;
  QTimer presser;
  presser.setInterval(0);
  connect(&presser, &QTimer::timeout, [&] {
    auto* bar = Find<QProgressBar>("frm処理中", "PBar");
    if (pressed || bar == nullptr || bar->value() < 5) return;
    pressed = true;
    Find<QPushButton>("frm処理中", "cmd中止")->click();
  });
  presser.start();
  boxes.Clear();
  PanelButton(*app, "cmd勤務表作成")->click();
  presser.stop();
  QVERIFY(pressed);
  QVERIFY(RosterCells(*app) == before);
  const QString said = boxes.TextOf(Q(tsumiki::kRunAbortedTitle));
  QVERIFY2(said.startsWith(QStringLiteral("中止しました")), qPrintable(said));
  QVERIFY2(said.contains(QRegularExpression(QStringLiteral("\\d+年\\d+月"))), qPrintable(said));
  QVERIFY(!boxes.SawTitle(Q(tsumiki::kDoneTitle)));
}

void DesktopTest::StartConditionsWithDetailsStayOnTheScreen() {
  auto app = StartApp("details_on_screen");
  QVERIFY(app);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  if (screen.size() != QSize(1366, 768)) QSKIP("needs the offscreen platform's laptop screen");
  PanelButton(*app, "cmd開始条件設定")->click();
  QWidget* dialog = VisibleWindow("frm開始条件設定");
  QVERIFY(dialog != nullptr);
  dialog->move(dialog->x(), 514);  // where the planner met it
  dialog->findChild<QCheckBox*>(QStringLiteral("chk詳細設定"))->click();
  QVERIFY2(screen.contains(dialog->frameGeometry()),
           qPrintable(QStringLiteral("%1,%2 %3x%4")
                          .arg(dialog->frameGeometry().x())
                          .arg(dialog->frameGeometry().y())
                          .arg(dialog->frameGeometry().width())
                          .arg(dialog->frameGeometry().height())));
}

void DesktopTest::F8ReachesTheTotalsPanes() {
  auto app = StartApp("f8_panes");
  QVERIFY(app);
  BoxAnswerer boxes;
  PanelButton(*app, "cmd勤務表作成")->click();
  QVERIFY(boxes.SawTitle(Q(tsumiki::kDoneTitle)));
  // One duty taken away: the member falls short of the target and the day of
  // its staff, findings that only the totals panes show.
  for (int d = 1; d <= app->GetSession().Model().DayCount; ++d) {
    if (!RosterText(*app, 1, d).empty()) {
      EditRoster(*app, 1, d, "");
      break;
    }
  }
  QTest::qWait(50);
  app->Review()->Judge().JudgeNow();
  tsumiki::gui::TotalsPanes* panes = app->Review()->Panes();
  bool member_pane = false;
  bool day_pane = false;
  for (int press = 0; press < 40 && !(member_pane && day_pane); ++press) {
    app->Review()->NextFindingAction()->trigger();
    const QString said = app->Sheets()->statusBar()->currentMessage();
    for (QTableView* pane : {panes->MemberTable(), panes->DayTable()}) {
      const QModelIndex at = pane->currentIndex();
      const QString reason = at.data(tsumiki::gui::SheetModel::kRuleNoteRole).toString();
      if (reason.isEmpty() || said != QString(reason).replace('\n', QStringLiteral("　"))) continue;
      (pane == panes->MemberTable() ? member_pane : day_pane) = true;
    }
  }
  QVERIFY(member_pane);
  QVERIFY(day_pane);
}

void DesktopTest::ARefusedConditionsFileSaysNoSuccess() {
  const fs::path dir = FreshWorkbookFolder("csv_refused");
  auto app = StartApp(dir);
  QVERIFY(app);
  const fs::path broken = dir / "broken.csv";
  std::ofstream(broken) << "ツミキ条件データ,1\n要員設定,C7,三\n";
  app->Host().SetFileDialogHook([&](bool, std::string_view) { return broken.string(); });
  BoxAnswerer boxes;
  PanelButton(*app, "cmd保存読込")->click();
  Find<QPushButton>("frm保存読込", "cmd復元")->click();
  QCOMPARE(boxes.Boxes().size(), std::size_t{1});
  QVERIFY(!app->Sheets()->statusBar()->currentMessage().contains(QStringLiteral("読み込みました")));
  QVERIFY(VisibleWindow("frm保存読込") != nullptr);
}

void DesktopTest::ATypedDutyTakesItsColourAndCtrlSSaves() {
  auto app = StartApp("typed_colour");
  QVERIFY(app);
  wb::Workbook& book = app->GetSession().Book();
  const wb::CellRange abbrevs = layout::Range(book, layout::kTypeAbbrev);
  const wb::CellRange table = layout::Range(book, layout::kTimeTable);
  // The last duty type with a colour of its own.
  std::string night;
  int night_fill = wb::kColorIndexNone;
  for (int t = 1; t <= abbrevs.Rows(); ++t) {
    const int fill = book.InteriorColorIndex(abbrevs.sheet, abbrevs.top + t - 1, abbrevs.left);
    if (fill == wb::kColorIndexNone || book.ReadCellText(abbrevs, t, 1).empty()) continue;
    night = book.ReadCellText(abbrevs, t, 1);
    night_fill = fill;
  }
  QVERIFY(night_fill != wb::kColorIndexNone);
  EditRoster(*app, 2, 5, night.c_str());
  QCOMPARE(book.InteriorColorIndex(table.sheet, table.top + 1, table.left + 4), night_fill);
  EditRoster(*app, 2, 5, "");
  QCOMPARE(book.InteriorColorIndex(table.sheet, table.top + 1, table.left + 4),
           wb::kColorIndexNone);
  EditRoster(*app, 2, 5, night.c_str());
  QVERIFY(book.IsModified());

  app->Sheets()->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(app->Sheets()));
  QTest::keyClick(app->Sheets()->ViewOfSheet(table.sheet), Qt::Key_S, Qt::ControlModifier);
  QVERIFY(!book.IsModified());
  QVERIFY(app->Sheets()->statusBar()->currentMessage().startsWith(QStringLiteral("保存しました")));
  const auto reopened = wb::Workbook::Open(book.Path());
  const wb::CellRange stored = layout::Range(*reopened, layout::kTimeTable);
  QCOMPARE(reopened->ReadCellText(stored, 2, 5), night);
  QCOMPARE(reopened->InteriorColorIndex(stored.sheet, stored.top + 1, stored.left + 4), night_fill);
}

void DesktopTest::PausesEndOnAClickAndNeedNotHoldAReadyMonth() {
  tsumiki::gui::QtHost host(/*virtual_clock=*/false);
  QWidget target;
  target.show();
  QElapsedTimer clock;
  // A click ends a pause at once.
  QTimer::singleShot(50, &target, [&] { QTest::mouseClick(&target, Qt::LeftButton); });
  clock.start();
  host.Pause(5000);
  QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
  // While the month is ready a pause holds nothing, and its banner stays shown.
  host.SetPauseNeedless([] { return true; });
  tsumiki::StatusView banner;
  banner.text = "★★ 全て終了しました ★★";
  banner.width_twips = 4000;
  banner.height_twips = 600;
  host.ShowStatusWindow(banner);
  clock.restart();
  host.Pause(3000);
  QVERIFY(clock.elapsed() < 500);
  host.HideStatusWindow();
  QVERIFY(host.Window(tsumiki::WindowId::kStatus)->isVisible());
  QTest::keyClick(&target, Qt::Key_Space);
  QVERIFY(!host.Window(tsumiki::WindowId::kStatus)->isVisible());
}

namespace {
// The offscreen platform cannot raise windows or pass size hints on; it says so
// for every window. Nothing else is dropped.
QtMessageHandler previous_handler = nullptr;

void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (text.startsWith(QStringLiteral("This plugin does not support"))) return;
  if (previous_handler != nullptr) previous_handler(type, context, text);
}
}  // namespace

int main(int argc, char* argv[]) {
  tsumiki::gui::testing::UseLaptopScreen();
  QApplication application(argc, argv);
  // The windows close and reopen between cases; the application must outlive them.
  QApplication::setQuitOnLastWindowClosed(false);
  previous_handler = qInstallMessageHandler(QuietOffscreenNotes);
  DesktopTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
