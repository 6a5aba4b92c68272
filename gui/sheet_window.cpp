#include "gui/sheet_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/session.h"
#include "gui/border_delegate.h"
#include "gui/gui_texts.h"
#include "gui/message_box.h"
#include "gui/sheet_model.h"
#include "gui/sheet_view.h"
#include "gui/undo_history.h"
#include "workbook/a1_reference.h"
#include "workbook/workbook_error.h"

namespace tsumiki::gui {

namespace {
// How often the view looks for a sheet or cell the core activated or selected.
constexpr int kPollIntervalMs = 100;
constexpr int kDefaultColumnPixels = 64;
constexpr int kRowPixels = 22;
constexpr int kAddressPixels = 72;

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The rectangle that holds every selected cell of a view (the current cell when
// nothing is selected).
QRect SelectedBlock(const QTableView& view) {
  QRect block;
  for (const QModelIndex& index : view.selectionModel()->selectedIndexes()) {
    block = block.united(QRect(index.column(), index.row(), 1, 1));
  }
  const QModelIndex current = view.currentIndex();
  if (block.isNull() && current.isValid()) block = QRect(current.column(), current.row(), 1, 1);
  return block;
}
}  // namespace

SheetWindow::SheetWindow(workbook::Workbook& book, QWidget* parent)
    : QMainWindow(parent),
      book_(book),
      tabs_(new QTabWidget(this)),
      history_(new UndoHistory(book, this)),
      flush_(new QTimer(this)),
      poll_(new QTimer(this)) {
  setObjectName(QStringLiteral("SheetWindow"));
  setWindowTitle(QString::fromStdString(book_.Path().filename().string()) +
                 kSheetWindowTitleSuffix);
  tabs_->setObjectName(QStringLiteral("SheetTabs"));
  tabs_->setTabPosition(QTabWidget::South);
  tabs_->setDocumentMode(true);
  BuildFormulaBar();
  BuildMenu();

  for (int sheet = 0; sheet < book_.SheetCount(); ++sheet) {
    auto* model = new SheetModel(book_, sheet, this);
    auto* view = new SheetView(tabs_);
    const QString name = QString::fromStdString(book_.SheetName(sheet));
    view->setObjectName(name);
    view->setModel(model);
    UseSheetGrid(*view);
    view->horizontalHeader()->setDefaultSectionSize(kDefaultColumnPixels);
    view->verticalHeader()->setDefaultSectionSize(kRowPixels);
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->setSelectionMode(QAbstractItemView::ContiguousSelection);
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
    // The formula bar follows the cell's value as the store changes it.
    connect(model, &SheetModel::dataChanged, this, [this, view] {
      if (view == CurrentView() && !formula_->hasFocus()) ShowInFormulaBar(view->currentIndex());
    });
    connect(view, &SheetView::ClearRequested, this, &SheetWindow::ClearSelection);
    connect(view, &SheetView::TypingRefused, this, [this] {
      statusBar()->showMessage(editing_allowed_ ? kTypingDerivedText : kTypingDuringRunText,
                               kStatusMessageMs);
    });
    connect(view, &SheetView::CopyRequested, this, &SheetWindow::CopySelection);
    connect(view, &SheetView::PasteRequested, this, &SheetWindow::PasteAtSelection);
    connect(view, &SheetView::SheetStepRequested, this, [this](int step) {
      tabs_->setCurrentIndex(std::clamp(tabs_->currentIndex() + step, 0, tabs_->count() - 1));
    });
    auto* page = new QWidget(tabs_);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(view, 0, 0);
    tabs_->addTab(page, name);
    pages_.push_back(grid);
    views_.push_back(view);
    models_.push_back(model);
  }
  connect(tabs_, &QTabWidget::currentChanged, this, &SheetWindow::OnTabChanged);
  connect(history_, &UndoHistory::Changed, this, &SheetWindow::UpdateUndoActions);
  UpdateUndoActions();

  flush_->setSingleShot(true);
  flush_->setInterval(0);
  connect(flush_, &QTimer::timeout, this, &SheetWindow::SyncFromStore);
  poll_->setInterval(kPollIntervalMs);
  connect(poll_, &QTimer::timeout, this, &SheetWindow::SyncFromStore);

  FollowStore();
  resize(1100, 680);
}

SheetWindow::~SheetWindow() {
  if (following_) StopFollowingStore();
}

void SheetWindow::BuildFormulaBar() {
  auto* body = new QWidget(this);
  auto* bar = new QHBoxLayout;
  bar->setContentsMargins(4, 4, 4, 2);
  address_ = new QLineEdit(body);
  address_->setObjectName(QStringLiteral("CellAddress"));
  address_->setFixedWidth(kAddressPixels);
  address_->setAlignment(Qt::AlignCenter);
  address_->setToolTip(kNameBoxTip);
  connect(address_, &QLineEdit::returnPressed, this, &SheetWindow::GoToTypedCell);
  address_->installEventFilter(this);
  formula_ = new QLineEdit(body);
  formula_->setObjectName(QStringLiteral("FormulaBar"));
  formula_->setToolTip(kFormulaBarTip);
  bar->addWidget(address_);
  bar->addWidget(formula_, 1);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(bar);
  layout->addWidget(tabs_, 1);
  setCentralWidget(body);
  connect(formula_, &QLineEdit::returnPressed, this, &SheetWindow::CommitFormulaBar);
  formula_->installEventFilter(this);
}

// The name box: "B12" (or a range "B12:D14", its first cell) selects that cell of
// the current sheet; anything else is refused and the current address comes back.
void SheetWindow::GoToTypedCell() {
  SheetView* view = CurrentView();
  if (view == nullptr) return;
  const std::optional<workbook::Area> area =
      workbook::ParseArea(address_->text().trimmed().toUpper().toStdString());
  if (!area) {
    statusBar()->showMessage(kNameBoxRefusedText.arg(address_->text()), kStatusMessageMs);
    ShowInFormulaBar(view->currentIndex());
    view->setFocus();
    return;
  }
  const QModelIndex target = view->model()->index(area->top - 1, area->left - 1);
  if (target.isValid()) {
    view->setCurrentIndex(target);
    static_cast<QTableView*>(view)->scrollTo(target);
  }
  view->setFocus();
}

bool SheetWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != formula_ && watched != address_) return QMainWindow::eventFilter(watched, event);
  const auto* key = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride
                        ? static_cast<QKeyEvent*>(event)
                        : nullptr;
  if (key == nullptr) return QMainWindow::eventFilter(watched, event);
  // Esc gives the typing up and returns to the grid, as in a spreadsheet.
  if (key->key() == Qt::Key_Escape && event->type() == QEvent::KeyPress) {
    if (SheetView* view = CurrentView()) {
      ShowInFormulaBar(view->currentIndex());
      view->setFocus();
    }
    return true;
  }
  // With nothing of its own to undo, the bar leaves Ctrl+Z to the workbook's undo.
  if (event->type() == QEvent::ShortcutOverride && watched == formula_ &&
      (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) &&
      !formula_->isModified()) {
    event->ignore();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void SheetWindow::BuildMenu() {
  QMenu* file = menuBar()->addMenu(kFileMenuCaption);
  file->setObjectName(QStringLiteral("FileMenu"));
  save_ = file->addAction(kSaveCaption);
  save_->setObjectName(QStringLiteral("Save"));
  save_->setShortcut(QKeySequence::Save);
  connect(save_, &QAction::triggered, this, &SheetWindow::SaveWorkbook);
  QMenu* edit = menuBar()->addMenu(kEditMenuCaption);
  edit->setObjectName(QStringLiteral("EditMenu"));
  undo_ = edit->addAction(kUndoCaption);
  undo_->setObjectName(QStringLiteral("Undo"));
  undo_->setShortcut(QKeySequence::Undo);
  redo_ = edit->addAction(kRedoCaption);
  redo_->setObjectName(QStringLiteral("Redo"));
  redo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence::Redo});
  edit->addSeparator();
  QAction* copy = edit->addAction(kCopyCaption);
  copy->setShortcut(QKeySequence::Copy);
  paste_ = edit->addAction(kPasteCaption);
  paste_->setShortcut(QKeySequence::Paste);
  clear_ = edit->addAction(kClearCellsCaption);
  clear_->setShortcut(QKeySequence::Delete);
  // The grid handles the keys itself; the menu shows them and offers the mouse.
  for (QAction* action : {copy, paste_, clear_}) {
    action->setShortcutContext(Qt::WidgetShortcut);
  }
  connect(undo_, &QAction::triggered, this, [this] {
    if (editing_allowed_ && history_->Undo()) Q_EMIT WorkbookRestored();
  });
  connect(redo_, &QAction::triggered, this, [this] {
    if (editing_allowed_ && history_->Redo()) Q_EMIT WorkbookRestored();
  });
  connect(copy, &QAction::triggered, this, &SheetWindow::CopySelection);
  connect(paste_, &QAction::triggered, this, &SheetWindow::PasteAtSelection);
  connect(clear_, &QAction::triggered, this, &SheetWindow::ClearSelection);
}

void SheetWindow::SaveWorkbook() {
  // Half a run is no work to keep.
  if (!editing_allowed_) {
    statusBar()->showMessage(kSaveDuringRunText, kStatusMessageMs);
    return;
  }
  try {
    book_.Save();
  } catch (const workbook::WorkbookError& error) {
    ShowMessageBox(this, QString::fromStdString(error.JapaneseMessage()), kSaveFailedTitle,
                   MsgButtons::kOk, MsgIcon::kCritical);
    return;
  }
  statusBar()->showMessage(kSavedText.arg(QString::fromStdString(book_.Path().string())));
}

void SheetWindow::UpdateUndoActions() {
  undo_->setEnabled(editing_allowed_ && history_->CanUndo());
  redo_->setEnabled(editing_allowed_ && history_->CanRedo());
}

void SheetWindow::SetEditingAllowed(bool allowed) {
  editing_allowed_ = allowed;
  paste_->setEnabled(allowed);
  clear_->setEnabled(allowed);
  formula_->setReadOnly(!allowed);
  for (SheetView* view : views_) {
    view->setEditTriggers(allowed ? QAbstractItemView::DoubleClicked |
                                        QAbstractItemView::EditKeyPressed |
                                        QAbstractItemView::AnyKeyPressed
                                  : QAbstractItemView::NoEditTriggers);
  }
  UpdateUndoActions();
  if (allowed) ShowInFormulaBar(CurrentView() ? CurrentView()->currentIndex() : QModelIndex());
}

SheetView* SheetWindow::CurrentView() const {
  const int tab = tabs_->currentIndex();
  return tab >= 0 && tab < static_cast<int>(views_.size()) ? views_[tab] : nullptr;
}

void SheetWindow::ShowInFormulaBar(const QModelIndex& current) {
  if (!current.isValid()) {
    address_->clear();
    formula_->clear();
    return;
  }
  address_->setText(SheetModel::ColumnName(current.column() + 1) +
                    QString::number(current.row() + 1));
  formula_->setText(current.data(Qt::EditRole).toString());
  formula_->setCursorPosition(0);
  formula_->setReadOnly(!editing_allowed_ || !(current.flags() & Qt::ItemIsEditable));
}

void SheetWindow::CommitFormulaBar() {
  SheetView* view = CurrentView();
  if (view == nullptr || formula_->isReadOnly()) return;
  const QModelIndex current = view->currentIndex();
  if (!current.isValid()) return;
  view->model()->setData(current, formula_->text(), Qt::EditRole);
  ShowInFormulaBar(current);
  view->setFocus();
}

void SheetWindow::ClearSelection() {
  SheetView* view = CurrentView();
  if (view == nullptr || !editing_allowed_) return;
  auto* model = static_cast<SheetModel*>(view->model());
  const QRect block = SelectedBlock(*view);
  int refused = 0;
  for (const QModelIndex& index : view->selectionModel()->selectedIndexes()) {
    if (index.data(Qt::EditRole).toString().isEmpty()) continue;
    if (!model->WriteInput(index.row(), index.column(), QString(), nullptr)) ++refused;
  }
  if (view->selectionModel()->selectedIndexes().isEmpty() && block.isValid() &&
      !model->WriteInput(block.top(), block.left(), QString(), nullptr)) {
    ++refused;
  }
  if (refused > 0) {
    QApplication::beep();
    statusBar()->showMessage(kClearRefusedText, kStatusMessageMs);
  }
}

void SheetWindow::CopySelection() {
  const SheetView* view = CurrentView();
  if (view == nullptr) return;
  const QRect block = SelectedBlock(*view);
  if (!block.isValid()) return;
  // As spreadsheets copy: cells by tabs, rows by line ends, the faces shown.
  QString text;
  for (int row = block.top(); row <= block.bottom(); ++row) {
    QStringList cells;
    for (int column = block.left(); column <= block.right(); ++column) {
      cells << view->model()->index(row, column).data(Qt::DisplayRole).toString();
    }
    text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
  }
  QApplication::clipboard()->setText(text);
}

void SheetWindow::PasteAtSelection() {
  SheetView* view = CurrentView();
  if (view == nullptr || !editing_allowed_) return;
  const QRect block = SelectedBlock(*view);
  if (!block.isValid()) return;
  QString text = QApplication::clipboard()->text();
  text.remove(QLatin1Char('\r'));
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  if (text.isEmpty()) return;
  auto* model = static_cast<SheetModel*>(view->model());
  int refused = 0;
  const QStringList rows = text.split(QLatin1Char('\n'));
  // A block that would land on a computed cell is refused whole: pasted around
  // it, it would overwrite the headings beside it.
  for (qsizetype r = 0; r < rows.size(); ++r) {
    const qsizetype width = rows[r].count(QLatin1Char('\t')) + 1;
    for (qsizetype c = 0; c < width; ++c) {
      const QModelIndex cell =
          model->index(block.top() + static_cast<int>(r), block.left() + static_cast<int>(c));
      if (cell.isValid() && !(model->flags(cell) & Qt::ItemIsEditable)) ++refused;
    }
  }
  if (refused > 0) {
    QApplication::beep();
    statusBar()->showMessage(kPasteRefusedText.arg(refused), kStatusMessageMs);
    return;
  }
  for (qsizetype r = 0; r < rows.size(); ++r) {
    const QStringList cells = rows[r].split(QLatin1Char('\t'));
    for (qsizetype c = 0; c < cells.size(); ++c) {
      const int row = block.top() + static_cast<int>(r);
      const int column = block.left() + static_cast<int>(c);
      if (row >= model->rowCount() || column >= model->columnCount()) continue;
      if (model->index(row, column).data(Qt::EditRole).toString() == cells[c]) continue;
      if (!model->WriteInput(row, column, cells[c], nullptr)) ++refused;
    }
  }
  if (refused > 0) {
    QApplication::beep();
    statusBar()->showMessage(kPasteRefusedText.arg(refused), kStatusMessageMs);
  }
}

void SheetWindow::FreezePanes(int sheet, int row, int column) {
  if (SheetView* view = static_cast<SheetView*>(ViewOfSheet(sheet))) {
    view->FreezePanes(row - 1, column - 1);
  }
}

void SheetWindow::FollowStore() {
  following_ = true;
  history_->Attach();
  book_.SetChangeListener(
      [this](int sheet, int row, int column) { OnStoreChanged(sheet, row, column); });
  poll_->start();
  SyncFromStore();
}

void SheetWindow::StopFollowingStore() {
  following_ = false;
  book_.SetChangeListener({});
  history_->Detach();
  poll_->stop();
  flush_->stop();
  pending_.clear();
}

QTableView* SheetWindow::ViewOfSheet(int sheet) const {
  return sheet >= 0 && sheet < static_cast<int>(views_.size()) ? views_[sheet] : nullptr;
}

QGridLayout* SheetWindow::PageOfSheet(int sheet) const {
  return sheet >= 0 && sheet < static_cast<int>(pages_.size()) ? pages_[sheet] : nullptr;
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
  if (syncing_ || !following_) return;
  syncing_ = true;
  std::map<int, QRect> changed;
  changed.swap(pending_);
  for (const auto& [sheet, area] : changed) {
    if (SheetModel* model = ModelOfSheet(sheet)) {
      model->CellsChanged(area.top(), area.left(), area.bottom(), area.right());
    }
    Q_EMIT CellsChanged(sheet, area);
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
  if (sheet == tabs_->currentIndex()) ShowInFormulaBar(current);
  if (syncing_ || !current.isValid()) return;
  workbook::CellRange cell;
  cell.sheet = sheet;
  cell.top = cell.bottom = current.row() + 1;
  cell.left = cell.right = current.column() + 1;
  book_.Select(cell);
}

void SheetWindow::OnTabChanged(int tab) {
  if (SheetView* view = CurrentView()) ShowInFormulaBar(view->currentIndex());
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
  if (read_only_) {
    return ShowMessageBox(this, kReadOnlyCloseText, kReadOnlyCloseTitle, MsgButtons::kOkCancel,
                          MsgIcon::kExclamation) == MsgResult::kOk;
  }
  const MsgResult answer = ShowMessageBox(this, Q(kSaveQuestion), Q(kSaveQuestionTitle),
                                          MsgButtons::kYesNoCancel, MsgIcon::kQuestion);
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
  // Saving half a run is no choice to offer: the window stays until the run ends.
  if (ask_on_close_ && !editing_allowed_) {
    statusBar()->showMessage(kCloseDuringRunText, kStatusMessageMs);
    event->ignore();
    return;
  }
  if (ask_on_close_ && !ConfirmDiscardOrSave()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace tsumiki::gui
