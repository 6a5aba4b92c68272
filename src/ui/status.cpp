#include "ui/status.h"

#include <string>

namespace tsumiki {

std::size_t CharacterCount(std::string_view utf8) {
  std::size_t count = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++count;  // every byte that is not a continuation byte
  }
  return count;
}

StatusView ComputeStatusView(std::string_view text, Bgr text_colour, Bgr back_colour, bool topmost,
                             int status_position, const ScreenMetrics& screen) {
  StatusView view;
  view.text = std::string(text);
  view.topmost = topmost;

  view.back_colour = kStatusDefaultBack;
  if (text_colour != 0) {
    view.text_colour = text_colour;
    if (back_colour != 0) view.back_colour = back_colour;
  } else {
    view.text_colour = kStatusDefaultText;
  }

  view.width_twips = static_cast<int>(CharacterCount(text) + 2) * kStatusTwipsPerChar;
  view.height_twips = kStatusHeightTwips;

  const int w = view.width_twips;
  const int h = view.height_twips;
  const int sw = screen.width_twips;
  const int sh = screen.height_twips;
  const int margin_x = kStatusMarginPixels * screen.twips_per_pixel_x;
  const int margin_y = kStatusMarginPixels * screen.twips_per_pixel_y;
  view.keep_position = false;
  switch (status_position) {
    case 0:
      view.left_twips = (sw - w) / 2;
      view.top_twips = (sh - h) / 2;
      break;
    case 1:
      view.left_twips = sw - w - margin_x;
      view.top_twips = 0;
      break;
    case 2:
      view.left_twips = sw - w - margin_x;
      view.top_twips = sh - h - margin_y;
      break;
    case 3:
      view.left_twips = 0;
      view.top_twips = sh - h - margin_y;
      break;
    default:
      view.keep_position = true;
      break;
  }
  return view;
}

void ShowStatus(Host& host, std::string_view text, Bgr text_colour, Bgr back_colour, bool topmost,
                int status_position) {
  host.HideStatusWindow();
  if (!text.empty()) {
    host.ShowStatusWindow(
        ComputeStatusView(text, text_colour, back_colour, topmost, status_position, host.Screen()));
  }
  host.DoEvents();
}

}  // namespace tsumiki
