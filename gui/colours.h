#pragma once

#include <QColor>

#include "ui/host.h"

namespace tsumiki::gui {

// A colour as the core keeps it (red in the low byte) as Qt wants it.
QColor FromBgr(Bgr colour);

// The 56 colours of the spreadsheet's legacy palette, by ColorIndex (1..56).
// "None" and "automatic" give an invalid colour: the view draws its default.
QColor FromColorIndex(int color_index);

}  // namespace tsumiki::gui
