#include "gui/marked_cells.h"

#include <QTableView>

#include "gui/sheet_model.h"

namespace tsumiki::gui {

QRect MarkedCellsOnScreen(QTableView& view, const QRect& area) {
  if (!view.isVisible() || view.model() == nullptr) return {};
  const QAbstractItemModel& model = *view.model();
  std::vector<QModelIndex> marked;
  for (int row = area.top(); row <= area.bottom(); ++row) {
    for (int column = area.left(); column <= area.right(); ++column) {
      const QModelIndex cell = model.index(row, column);
      if (cell.data(SheetModel::kMarkedRole).toBool()) marked.push_back(cell);
    }
  }
  if (marked.empty()) return {};
  const QRect shown = view.viewport()->rect();
  const auto on_screen = [&] {
    QRect united;
    for (const QModelIndex& cell : marked) {
      const QRect rect = view.visualRect(cell);
      if (!rect.intersects(shown)) continue;
      united |= QRect(view.viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }
    return united;
  };
  QRect united = on_screen();
  if (united.isNull()) {
    view.scrollTo(marked.front());
    united = on_screen();
  }
  return united;
}

}  // namespace tsumiki::gui
