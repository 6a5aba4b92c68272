#pragma once

#include <string>
#include <string_view>

#include "conditions/run_state.h"
#include "present/bar_window.h"
#include "ui/host.h"

namespace tsumiki {

// Texts of the optimisation window (frm最適化).
inline constexpr std::string_view kOptimiseMessage = "最適化しています！";
inline constexpr std::string_view kOptimiseScoreCaption = "偏差";

// Design size of the optimisation window, in twips.
inline constexpr int kOptimiseWidthTwips = 4800;
inline constexpr int kOptimiseHeightTwips = 1300;

// The logic of the optimisation window: its place, the progress bar, the score
// box and the abort button. The host only paints the view.
class OptimiseWindow final : public BarWindow {
 public:
  OptimiseWindow(Host& host, RunState& run, const int& status_position);
  ~OptimiseWindow();

  // Places and shows the window as it first looks (no score, the bar hidden);
  // does nothing when it is already shown.
  void Load();
  // Hides the window.
  void Unload() { Close(); }

  void SetBarVisible(bool visible);
  void SetScoreText(std::string text);

  // cmd中止: every loop of the optimisation stops at its next check.
  void OnAbortClicked();

  const OptimiseView& View() const { return view_; }

 private:
  void Draw() override { host().ShowOptimiseWindow(view_); }
  void Erase() override { host().HideOptimiseWindow(); }

  RunState& run_;
  OptimiseView view_;
};

}  // namespace tsumiki
