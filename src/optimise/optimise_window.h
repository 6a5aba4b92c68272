#pragma once

#include <string>
#include <string_view>

#include "conditions/run_state.h"
#include "ui/host.h"

namespace tsumiki {

// Texts of the optimisation window (frm最適化).
inline constexpr std::string_view kOptimiseMessage = "最適化しています！";
inline constexpr std::string_view kOptimiseScoreCaption = "偏差";

// Design size of the optimisation window, in twips.
inline constexpr int kOptimiseWidthTwips = 4800;
inline constexpr int kOptimiseHeightTwips = 1300;

// A score as the window and the pass results show it: fixed decimals ("0.000",
// "0.00").
std::string FormatScore(double score, int decimals);

// A score cut to the three decimals that passes are compared at: formatted
// "0.000" and read back in single precision.
float RoundScore(float score);

// The logic of the optimisation window: its place, the progress bar, the score
// box and the abort button. The host only paints the view.
class OptimiseWindow {
 public:
  OptimiseWindow(Host& host, RunState& run, int status_position);
  ~OptimiseWindow();
  OptimiseWindow(const OptimiseWindow&) = delete;
  OptimiseWindow& operator=(const OptimiseWindow&) = delete;

  // Places and shows the window; does nothing when it is already shown.
  void Load();
  // Hides the window.
  void Unload();
  bool IsLoaded() const { return loaded_; }

  void SetRange(int minimum, int maximum);
  void SetBarVisible(bool visible);
  // A value outside the range is held at its nearer end: a progress bar cannot
  // show more than its maximum.
  void SetValue(int value);
  void SetScoreText(std::string text);

  // cmd中止: every loop of the optimisation stops at its next check.
  void OnAbortClicked();

  const OptimiseView& View() const { return view_; }

 private:
  void Paint();

  Host& host_;
  RunState& run_;
  int status_position_;
  OptimiseView view_;
  bool loaded_ = false;
};

}  // namespace tsumiki
