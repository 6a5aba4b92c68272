#pragma once

#include <optional>
#include <string_view>

#include "ui/host.h"

namespace tsumiki {

// The caption of the abort button of the progress and optimisation windows.
inline constexpr std::string_view kAbortCaption = "中止";

struct TwipsPoint {
  int left = 0;
  int top = 0;
};

// Where the progress window goes for a StatusPosition of 0..3 (screen and window
// sizes in twips, 50 pixels of margin); nullopt for any other value, which leaves
// the window where it was.
std::optional<TwipsPoint> PlaceProgressWindow(int status_position, const ScreenMetrics& screen,
                                              int width_twips, int height_twips);

}  // namespace tsumiki
