#include "ui/window_place.h"

namespace tsumiki {

std::optional<TwipsPoint> PlaceProgressWindow(int status_position, const ScreenMetrics& screen,
                                              int width_twips, int height_twips) {
  const int margin_x = 50 * screen.twips_per_pixel_x;
  const int margin_y = 50 * screen.twips_per_pixel_y;
  const int w = screen.width_twips;
  const int h = screen.height_twips;
  switch (status_position) {
    case 0:
      return TwipsPoint{(w - width_twips) / 2, (h - height_twips) * 2 / 5};
    case 1:
      return TwipsPoint{w - width_twips - margin_x, 0};
    case 2:
      return TwipsPoint{w - width_twips - margin_x, h - height_twips - margin_y};
    case 3:
      return TwipsPoint{0, h - height_twips - margin_y};
    default:
      return std::nullopt;
  }
}

}  // namespace tsumiki
