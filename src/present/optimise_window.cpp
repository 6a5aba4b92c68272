#include "present/optimise_window.h"

#include "ui/window_place.h"

namespace tsumiki {

OptimiseWindow::OptimiseWindow(Host& host, RunState& run, const int& status_position)
    : BarWindow(host, status_position, view_, kOptimiseWidthTwips, kOptimiseHeightTwips),
      run_(run) {}

OptimiseWindow::~OptimiseWindow() {
  Close();
}

void OptimiseWindow::Load() {
  if (!Open()) return;
  // Each optimisation starts from an empty window, whatever the last one showed.
  view_.bar_min = view_.bar_max = view_.bar_value = 0;
  view_.bar_visible = false;
  view_.score_text.clear();
  view_.message = std::string(kOptimiseMessage);
  view_.score_caption = std::string(kOptimiseScoreCaption);
  view_.abort_caption = std::string(kAbortCaption);
  Paint();
}

void OptimiseWindow::SetBarVisible(bool visible) {
  view_.bar_visible = visible;
  Paint();
}

void OptimiseWindow::SetScoreText(std::string text) {
  view_.score_text = std::move(text);
  Paint();
}

void OptimiseWindow::OnAbortClicked() {
  run_.AbortRequested = true;
}

}  // namespace tsumiki
