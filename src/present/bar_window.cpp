#include "present/bar_window.h"

#include <algorithm>

#include "ui/window_place.h"

namespace tsumiki {

BarWindow::BarWindow(Host& host, const int& status_position, BarWindowView& view,
                     int width_twips, int height_twips)
    : host_(host),
      status_position_(status_position),
      view_(view),
      width_twips_(width_twips),
      height_twips_(height_twips) {}

bool BarWindow::Open() {
  if (loaded_) return false;
  loaded_ = true;
  view_.width_twips = width_twips_;
  view_.height_twips = height_twips_;
  const auto place =
      PlaceProgressWindow(status_position_, host_.Screen(), view_.width_twips, view_.height_twips);
  view_.keep_position = !place.has_value();
  if (place) {
    view_.left_twips = place->left;
    view_.top_twips = place->top;
  }
  return true;
}

bool BarWindow::Close() {
  if (!loaded_) return false;
  loaded_ = false;
  Erase();
  return true;
}

void BarWindow::SetRange(int minimum, int maximum) {
  view_.bar_min = minimum;
  view_.bar_max = std::max(minimum, maximum);
  view_.bar_value = std::clamp(view_.bar_value, view_.bar_min, view_.bar_max);
  Paint();
}

void BarWindow::SetValue(int value) {
  view_.bar_value = std::clamp(value, view_.bar_min, view_.bar_max);
  Paint();
}

}  // namespace tsumiki
