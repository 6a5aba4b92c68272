#pragma once

#include <cstddef>
#include <string_view>

#include "ui/host.h"

namespace tsumiki {

// Default colours of the status window (frmSplash).
inline constexpr Bgr kStatusDefaultBack = 0xC0E0FF;  // red 255, green 224, blue 192
inline constexpr Bgr kStatusDefaultText = 0x00C000;  // green 192

// A colour argument of ShowStatus that asks for the default colour.
inline constexpr Bgr kDefaultColour = 0;

// The label allots this many twips to each character of the message.
inline constexpr int kStatusTwipsPerChar = 770;
// The window's designed height.
inline constexpr int kStatusHeightTwips = 1080;
// Distance from the screen edge of the corner placements, in pixels.
inline constexpr int kStatusMarginPixels = 50;

// Characters of a UTF-8 text (code points, not bytes).
std::size_t CharacterCount(std::string_view utf8);

// What ShowStatus draws for a non-empty message: colours (0 = default; the
// background argument counts only with a non-zero text colour), width by the
// character count, placement by status_position (0 centre, 1 top right, 2 bottom
// right, 3 bottom left; anything else keeps the window where it was).
StatusView ComputeStatusView(std::string_view text, Bgr text_colour, Bgr back_colour, bool topmost,
                             int status_position, const ScreenMetrics& screen);

// Shows a message in the status window, or only hides it for an empty text; then
// lets pending events run once.
void ShowStatus(Host& host, std::string_view text, Bgr text_colour, Bgr back_colour, bool topmost,
                int status_position);

}  // namespace tsumiki
