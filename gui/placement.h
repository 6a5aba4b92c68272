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

// Where a window of `size` goes over `anchor`: centred on it, and always wholly
// within `screen` (a box that belongs to a window is read where the eyes are).
QPoint OverRect(const QRect& anchor, const QSize& size, const QRect& screen);

// Where a window of `size` goes so that it covers nothing of `keep_clear` (cells
// it speaks about): beside it to the right, else to the left, else below, else
// above, within `screen`; where no side has room, the side that covers least.
QPoint AwayFrom(const QRect& keep_clear, const QSize& size, const QRect& screen);

// Moves a window that has grown past its screen's usable area back onto it, up
// and left as far as needed, and no further.
void KeepOnScreen(QWidget* window);

// The window's size as the screen will take it: its frame once shown, else its
// size hint with an estimated title bar.
QSize FramedSize(const QWidget* window);

}  // namespace tsumiki::gui
