#pragma once

#include <QStyledItemDelegate>

class QTableView;

namespace tsumiki::gui {

// Draws the cell borders the workbook gives (left, top, right, bottom) over the
// ordinary cell painting, and lets long text flow into empty cells on its right.
// On a view without its own grid (UseSheetGrid) it draws the grid lines too, and
// leaves out those the flowing text crosses, as a spreadsheet does.
class BorderDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

 private:
  void PaintFlowingText(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const;
};

// Gives `view` a BorderDelegate that draws its dotted grid lines.
void UseSheetGrid(QTableView& view);

}  // namespace tsumiki::gui
