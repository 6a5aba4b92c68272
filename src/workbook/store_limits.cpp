#include "workbook/store_limits.h"

namespace tsumiki::workbook::limits {

std::size_t TextUnits(std::string_view text) {
  std::size_t units = 0;
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) ++units;  // not a continuation byte
    if (byte >= 0xF0) ++units;           // beyond the BMP: a surrogate pair
  }
  return units;
}

}  // namespace tsumiki::workbook::limits
