#include "gui/border_delegate.h"

#include <QPainter>

#include "gui/colours.h"
#include "gui/sheet_model.h"

namespace tsumiki::gui {

namespace {
QColor EdgeColour(const QModelIndex& index, int role) {
  const QVariant value = index.data(role);
  if (!value.isValid()) return {};
  const int color_index = value.toInt();
  if (color_index == workbook::kColorIndexAutomatic) return Qt::black;
  return FromColorIndex(color_index);
}
}  // namespace

void BorderDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  const QRect r = option.rect;
  const struct {
    int role;
    QLine line;
  } edges[] = {
      {SheetModel::kLeftBorderRole, QLine(r.topLeft(), r.bottomLeft())},
      {SheetModel::kTopBorderRole, QLine(r.topLeft(), r.topRight())},
      {SheetModel::kRightBorderRole, QLine(r.topRight(), r.bottomRight())},
      {SheetModel::kBottomBorderRole, QLine(r.bottomLeft(), r.bottomRight())},
  };
  painter->save();
  for (const auto& edge : edges) {
    const QColor colour = EdgeColour(index, edge.role);
    if (!colour.isValid()) continue;
    painter->setPen(QPen(colour, 1));
    painter->drawLine(edge.line);
  }
  painter->restore();
}

}  // namespace tsumiki::gui
