#include "gui/sheet_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

namespace tsumiki::gui {

namespace {
// Qt lines the last row up with the bottom once the bar reaches its end, which
// would leave a row cut under the frozen ones: the rows stay whole there too,
// and one step more lets the last row be seen whole.
void KeepRowsWhole(QTableView& view) {
  if (view.verticalScrollMode() != QAbstractItemView::ScrollPerItem) return;
  QHeaderView* header = view.verticalHeader();
  const int before = header->offset();
  header->setOffsetToSectionPosition(view.verticalScrollBar()->value());
  if (header->offset() != before) view.viewport()->update();
}

void AllowLastRowWhole(QTableView& view) {
  if (view.verticalScrollMode() != QAbstractItemView::ScrollPerItem) return;
  QScrollBar* bar = view.verticalScrollBar();
  const QHeaderView* header = view.verticalHeader();
  const int last = bar->maximum();
  if (last <= 0 || last + 1 >= header->count()) return;
  const int below = header->length() - header->sectionPosition(header->logicalIndex(last));
  if (below > view.viewport()->height()) bar->setMaximum(last + 1);
}

// A frozen pane scrolls its rows as the grid does.
class FrozenPane : public QTableView {
 public:
  using QTableView::QTableView;

 protected:
  void updateGeometries() override {
    QTableView::updateGeometries();
    AllowLastRowWhole(*this);
    KeepRowsWhole(*this);
  }
  void scrollContentsBy(int dx, int dy) override {
    QTableView::scrollContentsBy(dx, dy);
    KeepRowsWhole(*this);
  }
};
}  // namespace

SheetView::SheetView(QWidget* parent) : QTableView(parent) {}

void SheetView::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers().testFlag(Qt::ControlModifier);
  if (event->matches(QKeySequence::Copy)) {
    Q_EMIT CopyRequested();
    return;
  }
  if (event->matches(QKeySequence::Paste)) {
    Q_EMIT PasteRequested();
    return;
  }
  switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
      if (state() != EditingState) {
        Q_EMIT ClearRequested();
        return;
      }
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (state() != EditingState) {
        MoveDown();
        return;
      }
      break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      if (ctrl) {
        Q_EMIT SheetStepRequested(event->key() == Qt::Key_PageUp ? -1 : 1);
        return;
      }
      break;
    default:
      break;
  }
  const bool typing = !event->text().isEmpty() && event->text().at(0).isPrint() && !ctrl;
  if (typing && state() != EditingState && currentIndex().isValid() &&
      (!(model()->flags(currentIndex()) & Qt::ItemIsEditable) ||
       editTriggers() == NoEditTriggers)) {
    Q_EMIT TypingRefused(currentIndex());
    return;
  }
  QTableView::keyPressEvent(event);
}

void SheetView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // The delegate ends an edit with Enter as "submit"; a spreadsheet then goes on
  // to the cell below.
  QTableView::closeEditor(editor, hint == QAbstractItemDelegate::SubmitModelCache
                                      ? QAbstractItemDelegate::NoHint
                                      : hint);
  if (hint == QAbstractItemDelegate::SubmitModelCache) MoveDown();
}

void SheetView::MoveDown() {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return;
  const QModelIndex below = model()->index(current.row() + 1, current.column());
  if (below.isValid()) setCurrentIndex(below);
}

// --- Frozen panes: three views over the grid that share its model, selection and
// delegate and show only the frozen rows and columns.

QTableView* SheetView::MakePane() {
  auto* pane = new FrozenPane(this);
  pane->setModel(model());
  pane->setSelectionModel(selectionModel());
  pane->setItemDelegate(itemDelegate());
  pane->setFocusPolicy(Qt::NoFocus);
  pane->setGridStyle(gridStyle());
  pane->setShowGrid(showGrid());
  pane->setTextElideMode(textElideMode());
  pane->setSelectionMode(selectionMode());
  pane->setEditTriggers(editTriggers());
  pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pane->setHorizontalScrollMode(horizontalScrollMode());
  pane->setVerticalScrollMode(verticalScrollMode());
  pane->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
  pane->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  pane->verticalHeader()->setFixedWidth(verticalHeader()->width());
  pane->setStyleSheet(QStringLiteral("QTableView { border: none; }"));
  for (int column = 0; column < model()->columnCount(); ++column) {
    pane->setColumnWidth(column, columnWidth(column));
  }
  pane->show();
  return pane;
}

void SheetView::FreezePanes(int rows, int columns) {
  frozen_rows_ = std::max(0, rows);
  frozen_columns_ = std::max(0, columns);
  if (frozen_rows_ == 0 && frozen_columns_ == 0) return;
  // Columns scroll by the pixel; rows whole, so that no row lies half under the
  // frozen ones (every row is as high, so the frozen rows cover whole rows).
  setHorizontalScrollMode(ScrollPerPixel);
  setVerticalScrollMode(ScrollPerItem);
  top_ = MakePane();
  left_ = MakePane();
  corner_ = MakePane();
  // The panes scroll with the grid along their free direction.
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, top_->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, left_->verticalScrollBar(),
          &QScrollBar::setValue);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this,
          [this](int column, int, int size) {
            for (QTableView* pane : {top_, left_, corner_}) pane->setColumnWidth(column, size);
            PlacePanes();
          });
  // The selection is shared; a click into a pane makes the grid the focus.
  for (QTableView* pane : {top_, left_, corner_}) {
    connect(pane, &QTableView::pressed, this, [this] { setFocus(); });
  }
  PlacePanes();
}

void SheetView::PlacePanes() {
  if (top_ == nullptr) return;
  int frozen_width = 0;
  for (int column = 0; column < frozen_columns_; ++column) frozen_width += columnWidth(column);
  int frozen_height = 0;
  for (int row = 0; row < frozen_rows_; ++row) frozen_height += rowHeight(row);
  const int header_width = verticalHeader()->width();
  const int header_height = horizontalHeader()->height();
  const int frame = frameWidth();
  const int view_width = viewport()->width();
  const int view_height = viewport()->height();
  for (QTableView* pane : {top_, left_, corner_}) {
    pane->verticalHeader()->setFixedWidth(header_width);
    pane->horizontalHeader()->setFixedHeight(header_height);
  }
  // Each pane hides what it does not hold, so that it needs no scrolling there.
  for (int row = 0; row < model()->rowCount(); ++row) {
    top_->setRowHidden(row, row >= frozen_rows_);
    corner_->setRowHidden(row, row >= frozen_rows_);
  }
  for (int column = 0; column < model()->columnCount(); ++column) {
    left_->setColumnHidden(column, column >= frozen_columns_);
    corner_->setColumnHidden(column, column >= frozen_columns_);
  }
  top_->setVisible(frozen_rows_ > 0);
  left_->setVisible(frozen_columns_ > 0);
  corner_->setVisible(frozen_rows_ > 0 && frozen_columns_ > 0);
  top_->setGeometry(frame, frame, header_width + view_width, header_height + frozen_height);
  left_->setGeometry(frame, frame, header_width + frozen_width, header_height + view_height);
  corner_->setGeometry(frame, frame, header_width + frozen_width, header_height + frozen_height);
  top_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
  left_->verticalScrollBar()->setValue(verticalScrollBar()->value());
  corner_->raise();
}

void SheetView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  PlacePanes();
}

void SheetView::updateGeometries() {
  QTableView::updateGeometries();
  AllowLastRowWhole(*this);
  KeepRowsWhole(*this);
  PlacePanes();
}

void SheetView::scrollContentsBy(int dx, int dy) {
  QTableView::scrollContentsBy(dx, dy);
  KeepRowsWhole(*this);
}

void SheetView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  QTableView::scrollTo(index, hint);
  // A cell beyond the frozen area must not end up under it.
  if (top_ == nullptr || !index.isValid()) return;
  if (index.column() >= frozen_columns_) {
    int frozen_width = 0;
    for (int column = 0; column < frozen_columns_; ++column) frozen_width += columnWidth(column);
    const int left = columnViewportPosition(index.column());
    if (left < frozen_width) {
      horizontalScrollBar()->setValue(horizontalScrollBar()->value() - (frozen_width - left));
    }
  }
  // The bar counts rows: the first row under the frozen ones is its value plus
  // their number.
  if (index.row() >= frozen_rows_ && index.row() < verticalScrollBar()->value() + frozen_rows_) {
    verticalScrollBar()->setValue(index.row() - frozen_rows_);
  }
}

}  // namespace tsumiki::gui
