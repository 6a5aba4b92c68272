#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

namespace tsumiki::gui {

// Where a window of `size` goes beside `anchor`: to its left, bottoms level, else
// to its right, else over its middle, and always wholly within `screen` (the
// usable area).
QPoint BesideRect(const QRect& anchor, const QSize& size, const QRect& screen);

// Moves `window` (about to be shown, or shown) beside `anchor`, a visible window.
void PlaceBeside(QWidget* window, const QWidget* anchor);

}  // namespace tsumiki::gui
