#include "workbook/color_palette.h"

#include <climits>

namespace tsumiki::workbook {

const Palette& DefaultPalette() {
  static const Palette kPalette = {
      0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
      0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
      0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
      0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
      0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
      0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
      0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};
  return kPalette;
}

int ColorIndexToIndexed(int color_index) {
  return color_index + 7;
}

std::optional<int> IndexedToColorIndex(int indexed) {
  if (indexed >= 8 && indexed <= 63) return indexed - 7;
  if (indexed >= 0 && indexed <= 7) return indexed + 1;
  return std::nullopt;
}

int NearestColorIndex(const Palette& palette, std::uint32_t rgb) {
  int best = 1;
  long best_distance = LONG_MAX;
  for (int i = 0; i < 56; ++i) {
    std::uint32_t c = palette[static_cast<size_t>(i)];
    long dr = static_cast<long>((c >> 16) & 0xFF) - static_cast<long>((rgb >> 16) & 0xFF);
    long dg = static_cast<long>((c >> 8) & 0xFF) - static_cast<long>((rgb >> 8) & 0xFF);
    long db = static_cast<long>(c & 0xFF) - static_cast<long>(rgb & 0xFF);
    long distance = dr * dr + dg * dg + db * db;
    if (distance < best_distance) {  // strict: the lowest index wins a tie
      best_distance = distance;
      best = i + 1;
    }
  }
  return best;
}

std::optional<std::uint32_t> ParseRgb(std::string_view text) {
  if (text.size() == 8) text.remove_prefix(2);
  if (text.size() != 6) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

}  // namespace tsumiki::workbook
