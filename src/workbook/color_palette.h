#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace tsumiki::workbook {

// Excel's legacy 56-colour palette, addressed by ColorIndex 1..56. In the file a
// ColorIndex n is the indexed colour n + 7; indexed 0..7 repeat 8..15.
using Palette = std::array<std::uint32_t, 56>;  // 0xRRGGBB by ColorIndex - 1

const Palette& DefaultPalette();
int ColorIndexToIndexed(int color_index);
// Nullopt for 64 (automatic) and 65 (system background) and anything outside.
std::optional<int> IndexedToColorIndex(int indexed);
// The lowest ColorIndex with this colour, else the nearest one.
int NearestColorIndex(const Palette& palette, std::uint32_t rgb);
// "FFFF0000" (ARGB) or "FF0000" -> 0xFF0000.
std::optional<std::uint32_t> ParseRgb(std::string_view text);

}  // namespace tsumiki::workbook
