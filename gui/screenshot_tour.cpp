#include "gui/screenshot_tour.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolTip>
#include <functional>
#include <memory>

#include "conditions/layout.h"
#include "gui/desktop_app.h"
#include "gui/main_panel.h"
#include "gui/message_box.h"
#include "gui/roster_review.h"
#include "gui/sheet_window.h"
#include "gui/start_conditions_dialog.h"

namespace tsumiki::gui {

namespace {
// Time for the windows to settle before each picture.
constexpr int kSettleMs = 700;

class Tour {
 public:
  Tour(DesktopApp& app, QString folder, QString prefix)
      : app_(app), folder_(std::move(folder)), prefix_(std::move(prefix)) {}

  void Snap(const QString& stop) const {
    QGuiApplication::primaryScreen()->grabWindow(0).save(
        folder_ + QLatin1Char('/') + prefix_ + QLatin1Char('-') + stop + QStringLiteral(".png"));
  }

  // Runs `then` once a modal window of type T is up (inside its own loop).
  template <typename T>
  void WhenModal(std::function<void(T*)> then) {
    auto* watcher = new QTimer(&app_);
    watcher->setInterval(100);
    QObject::connect(watcher, &QTimer::timeout, &app_, [watcher, then] {
      auto* modal = qobject_cast<T*>(QApplication::activeModalWidget());
      if (modal == nullptr || !modal->isVisible()) return;
      watcher->stop();
      watcher->deleteLater();
      QTimer::singleShot(kSettleMs, modal, [modal, then] { then(modal); });
    });
    watcher->start();
  }

  void Start() {
    QTimer::singleShot(kSettleMs * 2, &app_, [this] {
      Snap(QStringLiteral("1-panel"));
      // The closing box of the run is answered; the roster is photographed after.
      WhenModal<MessageDialog>([](MessageDialog* box) { box->DefaultButton()->click(); });
      QObject::connect(&app_, &DesktopApp::CreationFinished, &app_, [this] {
        QTimer::singleShot(kSettleMs, &app_, [this] { AfterCreation(); });
      });
      app_.Panel()->Button(QStringLiteral("cmd勤務表作成"))->click();
    });
  }

 private:
  void AfterCreation() {
    Snap(QStringLiteral("2-roster"));
    // The last day in view: the number and name columns and the dates stay.
    const workbook::CellRange table = layout::Range(app_.GetSession().Book(), layout::kTimeTable);
    QTableView* roster = app_.Sheets()->ViewOfSheet(table.sheet);
    roster->scrollTo(roster->model()->index(table.top + 24, table.left + 30));
    QTimer::singleShot(kSettleMs, &app_, [this] {
      Snap(QStringLiteral("2-roster-scrolled"));
      ShowInstruction();
    });
  }

  void ShowInstruction() {
    SheetWindow* sheets = app_.Sheets();
    const int main_sheet = app_.GetSession().Book().Sheet(layout::kSheetMain);
    sheets->Tabs()->setCurrentIndex(main_sheet);
    QTableView* view = sheets->ViewOfSheet(main_sheet);
    view->setCurrentIndex(view->model()->index(2, 0));
    view->setFocus();
    QTimer::singleShot(kSettleMs, &app_, [this] {
      Snap(QStringLiteral("3-instruction"));
      StartConditions();
    });
  }

  void StartConditions() {
    app_.RunCommand(QStringLiteral("cmd開始条件設定"));
    StartConditionsWindow* dialog = app_.StartConditions();
    dialog->findChild<QLineEdit*>(QStringLiteral("txt制限時間"))->setText(QStringLiteral("三分"));
    WhenModal<MessageDialog>([this, dialog](MessageDialog* box) {
      Snap(QStringLiteral("4-start-conditions"));
      box->DefaultButton()->click();
      QTimer::singleShot(0, dialog, [this, dialog] {
        dialog->findChild<QPushButton*>(QStringLiteral("cmdCancel"))->click();
        QTimer::singleShot(kSettleMs, &app_, [this] { FileDialog(); });
      });
    });
    // The planner's click makes the dialog the active window first.
    dialog->activateWindow();
    QTimer::singleShot(kSettleMs, dialog, [dialog] {
      dialog->findChild<QPushButton*>(QStringLiteral("cmd設定"))->click();
    });
  }

  void FileDialog() {
    app_.RunCommand(QStringLiteral("cmd保存読込"));
    WhenModal<QFileDialog>([this](QFileDialog* dialog) {
      Snap(QStringLiteral("5-file-dialog"));
      dialog->reject();
      QTimer::singleShot(kSettleMs, &app_, [this] {
        SaveRestoreButton(QStringLiteral("cmd閉じる"));
        RuleMark();
      });
    });
    QTimer::singleShot(kSettleMs, &app_, [this] { SaveRestoreButton(QStringLiteral("cmd保存")); });
  }

  // Clicks a button of the open 条件保存/読込 window.
  static void SaveRestoreButton(const QString& name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      if (top->objectName() == QStringLiteral("frm保存読込") && top->isVisible()) {
        top->findChild<QPushButton*>(name)->click();
      }
    }
  }

  // A hand edit that breaks a rule: a 日勤 the day after a 夜勤, its reason shown
  // as the pointer rests on the marked cell.
  void RuleMark() {
    SheetWindow* sheets = app_.Sheets();
    const workbook::CellRange table = layout::Range(app_.GetSession().Book(), layout::kTimeTable);
    sheets->Tabs()->setCurrentIndex(table.sheet);
    QTableView* roster = sheets->ViewOfSheet(table.sheet);
    roster->scrollToTop();
    roster->horizontalScrollBar()->setValue(0);
    QAbstractItemModel* model = roster->model();
    const int row = table.top + 1;  // the third member
    model->setData(model->index(row, table.left + 2), QStringLiteral("夜"), Qt::EditRole);
    const QModelIndex marked = model->index(row, table.left + 3);
    model->setData(marked, QStringLiteral("日"), Qt::EditRole);
    QTimer::singleShot(kSettleMs, &app_, [this, roster, marked] {
      const QRect cell = roster->visualRect(marked);
      QToolTip::showText(roster->viewport()->mapToGlobal(cell.center()),
                         marked.data(Qt::ToolTipRole).toString(), roster->viewport());
      QTimer::singleShot(kSettleMs, &app_, [this] {
        Snap(QStringLiteral("6-rule-mark"));
        QToolTip::hideText();
        PrintPreview();
      });
    });
  }

  void PrintPreview() {
    WhenModal<QPrintPreviewDialog>([this](QPrintPreviewDialog* dialog) {
      Snap(QStringLiteral("7-print-preview"));
      dialog->reject();
      QTimer::singleShot(kSettleMs, &app_, [this] { Close(); });
    });
    QTimer::singleShot(0, &app_, [this] { app_.Review()->PrintAction()->trigger(); });
  }

  // Ends as a planner does, through 閉じる, the changes not saved: the program
  // must then exit with status 0.
  void Close() {
    // The second button of the save question is いいえ.
    WhenModal<MessageDialog>([](MessageDialog* box) { box->Buttons().at(1)->click(); });
    app_.RunCommand(QStringLiteral("cmd閉じる"));
  }

  DesktopApp& app_;
  QString folder_;
  QString prefix_;
};
}  // namespace

void StartScreenshotTour(DesktopApp& app, const QString& folder, const QString& prefix) {
  auto* tour = new Tour(app, folder, prefix);
  QObject::connect(&app, &QObject::destroyed, [tour] { delete tour; });
  tour->Start();
}

}  // namespace tsumiki::gui
