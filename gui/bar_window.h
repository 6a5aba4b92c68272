#pragma once

#include "ui/host.h"

class QProgressBar;
class QWidget;

namespace tsumiki::gui {

// What the progress and optimisation windows share on screen: the bar, the size
// (never below what the controls need) and the place the core computed, in twips
// turned into pixels; the window is shown if it was hidden. Call it after the
// window's own texts are set, so that its minimum size counts them.
void PresentBarWindow(QWidget& window, QProgressBar& bar, const BarWindowView& view,
                      int twips_per_pixel_x, int twips_per_pixel_y);

}  // namespace tsumiki::gui
