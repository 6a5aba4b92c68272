#include "gui/border_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QTableView>
#include <optional>

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
// A broken rule: a red corner, as spreadsheets mark a comment.
constexpr int kMarkSize = 8;
const QColor kMarkColour(0xD0, 0x10, 0x10);
const QColor kExchangeFrame(0x10, 0x30, 0xC0);
constexpr int kExchangeFrameWidth = 3;

void PaintRuleMark(QPainter* painter, const QRect& r) {
  const QPoint corner[] = {r.topRight() - QPoint(kMarkSize, 0), r.topRight(),
                           r.topRight() + QPoint(0, kMarkSize)};
  painter->setPen(Qt::NoPen);
  painter->setBrush(kMarkColour);
  painter->drawPolygon(corner, 3);
  painter->setPen(QPen(kMarkColour, 1));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(r.adjusted(0, 0, -1, -1));
}

// How far to the left an empty cell looks for a text that flows into it.
constexpr int kMaxFlowColumns = 16;
constexpr int kTextMargin = 3;

bool FlowsRight(const QModelIndex& index) {
  if (!index.isValid()) return false;
  const QVariant alignment = index.data(Qt::TextAlignmentRole);
  return !alignment.isValid() ||
         !(alignment.value<Qt::Alignment>() & (Qt::AlignRight | Qt::AlignHCenter));
}

bool IsEmpty(const QModelIndex& index) {
  return index.data(Qt::DisplayRole).toString().isEmpty();
}

// The text that reaches a cell: its own, or that of a cell on its left which
// overflows across the empty cells between.
struct Flow {
  QModelIndex source;
  int offset = 0;      // from the source cell's left edge to this cell's left edge
  int text_width = 0;  // the text with its margins
};

std::optional<Flow> FlowInto(const QTableView& view, const QFontMetrics& metrics,
                             const QModelIndex& index) {
  const QAbstractItemModel* model = index.model();
  Flow flow;
  if (!IsEmpty(index)) {
    flow.source = index;
  } else {
    for (int column = index.column() - 1; column >= 0 && column >= index.column() - kMaxFlowColumns;
         --column) {
      flow.offset += view.columnWidth(column);
      const QModelIndex left = model->index(index.row(), column);
      if (!IsEmpty(left)) {
        flow.source = left;
        break;
      }
    }
  }
  if (!flow.source.isValid() || !FlowsRight(flow.source)) return std::nullopt;
  flow.text_width =
      metrics.horizontalAdvance(flow.source.data(Qt::DisplayRole).toString()) + 2 * kTextMargin;
  if (flow.text_width <= view.columnWidth(flow.source.column())) return std::nullopt;
  if (flow.source == index && !IsEmpty(model->index(index.row(), index.column() + 1))) {
    return std::nullopt;
  }
  if (flow.source != index && flow.text_width <= flow.offset) return std::nullopt;
  return flow;
}

// Whether the text that reaches this cell goes on into the next one: the line
// between them would run through it.
bool FlowCrossesRightEdge(const QTableView& view, const QFontMetrics& metrics,
                          const QModelIndex& index) {
  const QModelIndex next = index.model()->index(index.row(), index.column() + 1);
  if (!next.isValid() || !IsEmpty(next)) return false;
  const std::optional<Flow> flow = FlowInto(view, metrics, index);
  return flow && flow->text_width > flow->offset + view.columnWidth(index.column());
}

void PaintGridLines(QPainter* painter, const QStyleOptionViewItem& option, const QTableView& view,
                    const QModelIndex& index) {
  const QStyle* style = view.style();
  const QColor colour = QColor::fromRgba(
      static_cast<QRgb>(style->styleHint(QStyle::SH_Table_GridLineColor, &option, &view)));
  painter->save();
  painter->setPen(QPen(colour, 0, view.gridStyle()));
  const QRect r = option.rect;
  painter->drawLine(r.bottomLeft(), r.bottomRight());
  if (!FlowCrossesRightEdge(view, option.fontMetrics, index)) {
    painter->drawLine(r.topRight(), r.bottomRight());
  }
  painter->restore();
}
}  // namespace

void UseSheetGrid(QTableView& view) {
  view.setItemDelegate(new BorderDelegate(&view));
  view.setGridStyle(Qt::DotLine);
  view.setShowGrid(false);
}

void BorderDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  // A text that stops at a filled neighbour is cut at the cell's edge, without
  // an ellipsis, as a spreadsheet shows it; numbers keep theirs.
  if (FlowsRight(index)) option->textElideMode = Qt::ElideNone;
}

// Text that does not fit flows into the empty cells to its right, as in a
// spreadsheet: every cell paints its own share of the text, so that repainting
// one cell never wipes out part of another's text.
void BorderDelegate::PaintFlowingText(QPainter* painter, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
  const auto* view = qobject_cast<const QTableView*>(option.widget);
  if (view == nullptr) return;
  const std::optional<Flow> flow = FlowInto(*view, option.fontMetrics, index);
  if (!flow) return;
  const QString text = flow->source.data(Qt::DisplayRole).toString();
  painter->save();
  painter->setClipRect(option.rect);
  const QVariant colour = flow->source.data(Qt::ForegroundRole);
  painter->setPen(colour.isValid() ? colour.value<QBrush>().color()
                                   : option.palette.color(QPalette::Text));
  const QRect line(option.rect.left() - flow->offset + kTextMargin, option.rect.top(),
                   flow->text_width, option.rect.height());
  painter->drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip,
                    text);
  painter->restore();
}

void BorderDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
  QStyleOptionViewItem face(option);
  initStyleOption(&face, index);
  const bool overflows =
      !face.text.isEmpty() && FlowsRight(index) &&
      face.fontMetrics.horizontalAdvance(face.text) + 2 * kTextMargin > face.rect.width() &&
      IsEmpty(index.model()->index(index.row(), index.column() + 1));
  if (!face.text.isEmpty() && !overflows) {
    QStyledItemDelegate::paint(painter, option, index);
  } else {
    // The cell's own face without text; the text that reaches it is drawn whole.
    face.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &face, painter, widget);
    PaintFlowingText(painter, option, index);
  }
  if (const auto* view = qobject_cast<const QTableView*>(option.widget);
      view != nullptr && !view->showGrid()) {
    PaintGridLines(painter, option, *view, index);
  }
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
  if (!index.data(SheetModel::kRuleNoteRole).toString().isEmpty()) PaintRuleMark(painter, r);
  if (index.data(SheetModel::kMarkedRole).toBool()) {
    // The readjustment's mark: a frame inside the cell, the duty's fill left to see.
    painter->setPen(QPen(kExchangeFrame, kExchangeFrameWidth));
    painter->setBrush(Qt::NoBrush);
    const int inset = kExchangeFrameWidth / 2;
    painter->drawRect(r.adjusted(inset, inset, -inset - 1, -inset - 1));
  }
  painter->restore();
}

}  // namespace tsumiki::gui
