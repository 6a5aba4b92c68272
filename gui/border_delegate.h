#pragma once

#include <QStyledItemDelegate>

namespace tsumiki::gui {

// Draws the cell borders the workbook gives (left, top, right, bottom) over the
// ordinary cell painting.
class BorderDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace tsumiki::gui
