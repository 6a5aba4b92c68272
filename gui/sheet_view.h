#pragma once

#include <QTableView>
#include <array>

namespace tsumiki::gui {

// One sheet's grid with the keys of a spreadsheet: Delete and Backspace clear,
// Enter moves down (also after typing into a cell), Ctrl+C and Ctrl+V copy and
// paste, Ctrl+PgUp/PgDn change the sheet. The window carries the requests out.
// Rows above and columns left of a point can stay in place while the rest
// scrolls (frozen panes).
class SheetView : public QTableView {
  Q_OBJECT
 public:
  explicit SheetView(QWidget* parent = nullptr);

  // Keeps the first `rows` rows and `columns` columns in view. Call after the
  // model, the delegate and the column widths are set.
  void FreezePanes(int rows, int columns);
  int FrozenRows() const { return frozen_rows_; }
  int FrozenColumns() const { return frozen_columns_; }

 Q_SIGNALS:
  void ClearRequested();
  void CopyRequested();
  void PasteRequested();
  // -1: the sheet before, +1: the sheet after.
  void SheetStepRequested(int step);
  // Text was typed where no editor opens (a computed cell, or while a run holds
  // the sheet): the window says why instead of dropping it silently.
  void TypingRefused(const QModelIndex& cell);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
  void updateGeometries() override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void MoveDown();
  QTableView* MakePane();
  void PlacePanes();

  int frozen_rows_ = 0;
  int frozen_columns_ = 0;
  // Over the grid: the frozen rows (top), the frozen columns (left) and both (corner).
  QTableView* top_ = nullptr;
  QTableView* left_ = nullptr;
  QTableView* corner_ = nullptr;
};

}  // namespace tsumiki::gui
