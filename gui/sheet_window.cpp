#include "gui/sheet_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <algorithm>

#include "gui/border_delegate.h"
#include "gui/gui_texts.h"
#include "gui/message_box.h"
#include "gui/sheet_model.h"
#include "workbook/workbook_error.h"

namespace tsumiki::gui {

namespace {
// How often the view looks for a sheet or cell the core activated or selected.
constexpr int kPollIntervalMs = 100;
constexpr int kDefaultColumnPixels = 64;
constexpr int kRowPixels = 22;
}  // namespace

SheetWindow::SheetWindow(workbook::Workbook& book, QWidget* parent)
    : QMainWindow(parent),
      book_(book),
      tabs_(new QTabWidget(this)),
      flush_(new QTimer(this)),
      poll_(new QTimer(this)) {
  setObjectName(QStringLiteral("SheetWindow"));
  setWindowTitle(QString::fromStdString(book_.Path().filename().string()) +
                 kSheetWindowTitleSuffix);
  tabs_->setObjectName(QStringLiteral("SheetTabs"));
  tabs_->setTabPosition(QTabWidget::South);
  tabs_->setDocumentMode(true);
  setCentralWidget(tabs_);

  for (int sheet = 0; sheet < book_.SheetCount(); ++sheet) {
    auto* model = new SheetModel(book_, sheet, this);
    auto* view = new QTableView(tabs_);
    const QString name = QString::fromStdString(book_.SheetName(sheet));
    view->setObjectName(name);
    view->setModel(model);
    view->setItemDelegate(new BorderDelegate(view));
    view->setGridStyle(Qt::DotLine);
    view->horizontalHeader()->setDefaultSectionSize(kDefaultColumnPixels);
    view->verticalHeader()->setDefaultSectionSize(kRowPixels);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    // Widths are stored in characters of the workbook's digit width.
    const int digit = view->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int column = 1; column <= model->columnCount(); ++column) {
      if (const std::optional<double> width = book_.ColumnWidth(sheet, column)) {
        view->setColumnWidth(column - 1, static_cast<int>(*width * digit + 5));
      }
    }
    connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, sheet](const QModelIndex& current) { OnCurrentCellChanged(sheet, current); });
    connect(model, &SheetModel::EditRefused, this, [this](const QString& message) {
      ShowMessageBox(this, message, kEditRefusedTitle, MsgButtons::kOk, MsgIcon::kExclamation);
    });
    tabs_->addTab(view, name);
    views_.push_back(view);
    models_.push_back(model);
  }
  connect(tabs_, &QTabWidget::currentChanged, this, &SheetWindow::OnTabChanged);

  flush_->setSingleShot(true);
  flush_->setInterval(0);
  connect(flush_, &QTimer::timeout, this, &SheetWindow::SyncFromStore);
  poll_->setInterval(kPollIntervalMs);
  connect(poll_, &QTimer::timeout, this, &SheetWindow::SyncFromStore);
  poll_->start();

  book_.SetChangeListener(
      [this](int sheet, int row, int column) { OnStoreChanged(sheet, row, column); });
  resize(1100, 680);
  SyncFromStore();
}

SheetWindow::~SheetWindow() {
  book_.SetChangeListener({});
}

QTableView* SheetWindow::ViewOfSheet(int sheet) const {
  return sheet >= 0 && sheet < static_cast<int>(views_.size()) ? views_[sheet] : nullptr;
}

SheetModel* SheetWindow::ModelOfSheet(int sheet) const {
  return sheet >= 0 && sheet < static_cast<int>(models_.size()) ? models_[sheet] : nullptr;
}

void SheetWindow::OnStoreChanged(int sheet, int row, int column) {
  QRect& area = pending_[sheet];
  const QRect cell(column, row, 1, 1);
  area = area.isNull() ? cell : area.united(cell);
  if (!flush_->isActive()) flush_->start();
}

void SheetWindow::SyncFromStore() {
  if (syncing_) return;
  syncing_ = true;
  std::map<int, QRect> changed;
  changed.swap(pending_);
  for (const auto& [sheet, area] : changed) {
    if (SheetModel* model = ModelOfSheet(sheet)) {
      model->CellsChanged(area.top(), area.left(), area.bottom(), area.right());
    }
  }
  const int active = book_.ActiveSheet();
  if (active != tabs_->currentIndex() && active >= 0 && active < tabs_->count()) {
    tabs_->setCurrentIndex(active);
  }
  const workbook::Selection selection = book_.CurrentSelection();
  if (QTableView* view = ViewOfSheet(selection.sheet)) {
    const QModelIndex target =
        view->model()->index(selection.range.top - 1, selection.range.left - 1);
    if (target.isValid() && view->currentIndex() != target) {
      view->setCurrentIndex(target);
      view->scrollTo(target);
    }
  }
  syncing_ = false;
}

void SheetWindow::OnCurrentCellChanged(int sheet, const QModelIndex& current) {
  if (syncing_ || !current.isValid()) return;
  workbook::CellRange cell;
  cell.sheet = sheet;
  cell.top = cell.bottom = current.row() + 1;
  cell.left = cell.right = current.column() + 1;
  book_.Select(cell);
}

void SheetWindow::OnTabChanged(int tab) {
  if (syncing_ || tab < 0) return;
  book_.ActivateSheet(book_.SheetName(tab));
  if (QTableView* view = ViewOfSheet(tab); view != nullptr && view->currentIndex().isValid()) {
    OnCurrentCellChanged(tab, view->currentIndex());
  }
}

void SheetWindow::BringToFront() {
  show();
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void SheetWindow::CloseWithoutQuestion() {
  ask_on_close_ = false;
  close();
}

bool SheetWindow::ConfirmDiscardOrSave() {
  if (!book_.IsModified()) return true;
  const MsgResult answer = ShowMessageBox(
      this, kSaveQuestionText.arg(QString::fromStdString(book_.Path().filename().string())),
      kSaveQuestionTitle, MsgButtons::kYesNoCancel, MsgIcon::kQuestion);
  if (answer == MsgResult::kNo) return true;
  if (answer != MsgResult::kYes) return false;
  try {
    book_.Save();
  } catch (const workbook::WorkbookError& error) {
    ShowMessageBox(this, QString::fromStdString(error.JapaneseMessage()), kSaveFailedTitle,
                   MsgButtons::kOk, MsgIcon::kCritical);
    return false;
  }
  return true;
}

void SheetWindow::closeEvent(QCloseEvent* event) {
  if (ask_on_close_ && !ConfirmDiscardOrSave()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace tsumiki::gui
