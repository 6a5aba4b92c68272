#pragma once

#include <QStyledItemDelegate>

namespace tsumiki::gui {

// Draws the cell borders the workbook gives (left, top, right, bottom) over the
// ordinary cell painting, and lets long text flow into empty cells on its right.
class BorderDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 private:
  void PaintFlowingText(QPainter* painter, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const;
};

}  // namespace tsumiki::gui
