#include "optimise/optimise_window.h"

#include <algorithm>
#include <charconv>

#include "ui/window_place.h"

namespace tsumiki {

std::string FormatScore(double score, int decimals) {
  // Independent of the process locale: the score box and the pass comparison both
  // need the decimal point.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, score, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "";
  return std::string(buffer, result.ptr);
}

float RoundScore(float score) {
  const std::string text = FormatScore(score, 3);
  float value = score;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

OptimiseWindow::OptimiseWindow(Host& host, RunState& run, int status_position)
    : host_(host), run_(run), status_position_(status_position) {
  view_.width_twips = kOptimiseWidthTwips;
  view_.height_twips = kOptimiseHeightTwips;
  view_.message = std::string(kOptimiseMessage);
  view_.score_caption = std::string(kOptimiseScoreCaption);
  view_.abort_caption = std::string(kAbortCaption);
}

OptimiseWindow::~OptimiseWindow() {
  Unload();
}

void OptimiseWindow::Load() {
  if (loaded_) return;
  loaded_ = true;
  // The same places as the progress window, so both open where the planner looks.
  const auto place =
      PlaceProgressWindow(status_position_, host_.Screen(), view_.width_twips, view_.height_twips);
  view_.keep_position = !place.has_value();
  if (place) {
    view_.left_twips = place->left;
    view_.top_twips = place->top;
  }
  Paint();
}

void OptimiseWindow::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  host_.HideOptimiseWindow();
}

void OptimiseWindow::SetRange(int minimum, int maximum) {
  view_.bar_min = minimum;
  view_.bar_max = std::max(minimum, maximum);
  view_.bar_value = std::clamp(view_.bar_value, view_.bar_min, view_.bar_max);
  Paint();
}

void OptimiseWindow::SetBarVisible(bool visible) {
  view_.bar_visible = visible;
  Paint();
}

void OptimiseWindow::SetValue(int value) {
  view_.bar_value = std::clamp(value, view_.bar_min, view_.bar_max);
  Paint();
}

void OptimiseWindow::SetScoreText(std::string text) {
  view_.score_text = std::move(text);
  Paint();
}

void OptimiseWindow::OnAbortClicked() {
  run_.AbortRequested = true;
}

void OptimiseWindow::Paint() {
  if (loaded_) host_.ShowOptimiseWindow(view_);
}

}  // namespace tsumiki
