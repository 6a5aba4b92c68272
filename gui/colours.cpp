#include "gui/colours.h"

#include "workbook/color_palette.h"

namespace tsumiki::gui {

QColor FromBgr(Bgr colour) {
  return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                static_cast<int>((colour >> 16) & 0xFF));
}

QColor FromColorIndex(int color_index) {
  const workbook::Palette& palette = workbook::DefaultPalette();
  if (color_index < 1 || color_index > static_cast<int>(palette.size())) return {};
  const std::uint32_t rgb = palette[static_cast<std::size_t>(color_index - 1)];
  return QColor(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>(rgb & 0xFF));
}

}  // namespace tsumiki::gui
