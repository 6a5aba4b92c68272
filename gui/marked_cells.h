#pragma once

#include <QRect>

class QTableView;

namespace tsumiki::gui {

// The screen rectangle of the cells of `view` whose kMarkedRole is set and that
// are in view, the first of them scrolled into view when none is; invalid when no
// cell is marked or the view is hidden. Rows and columns are those of `area`
// (0-based, x the column): the part of the sheet where marks can stand.
QRect MarkedCellsOnScreen(QTableView& view, const QRect& area);

}  // namespace tsumiki::gui
