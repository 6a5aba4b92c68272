#include "gui/bar_window.h"

#include <QProgressBar>
#include <QWidget>
#include <algorithm>

namespace tsumiki::gui {

void PresentBarWindow(QWidget& window, QProgressBar& bar, const BarWindowView& view,
                      int twips_per_pixel_x, int twips_per_pixel_y) {
  const int tx = std::max(1, twips_per_pixel_x);
  const int ty = std::max(1, twips_per_pixel_y);
  const int maximum = std::max(view.bar_min, view.bar_max);
  bar.setRange(view.bar_min, maximum);
  bar.setValue(std::clamp(view.bar_value, view.bar_min, maximum));
  if (view.width_twips > 0 && view.height_twips > 0) {
    const QSize least = window.minimumSizeHint();
    window.resize(std::max(view.width_twips / tx, least.width()),
                  std::max(view.height_twips / ty, least.height()));
  }
  if (!view.keep_position) window.move(view.left_twips / tx, view.top_twips / ty);
  if (!window.isVisible()) window.show();
}

}  // namespace tsumiki::gui
