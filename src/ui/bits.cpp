#include "ui/bits.h"

#include <stdexcept>
#include <string>

namespace tsumiki {

std::int64_t BitValue(int n) {
  if (n <= 0) return 0;
  if (n > 63) throw std::out_of_range("bit position " + std::to_string(n) + " beyond 63");
  return std::int64_t{1} << (n - 1);
}

bool HasBit(std::int64_t value, std::int64_t bit) {
  if (bit == 0) return false;
  // Floor division, so that negative values behave like their two's complement.
  std::int64_t q = value / bit;
  if ((value % bit != 0) && ((value < 0) != (bit < 0))) --q;
  return (q % 2) != 0;
}

int BitAnd16(std::int64_t a, std::int64_t b) {
  return static_cast<int>(a & b & 0xFFFF);
}

int BitOr16(std::int64_t a, std::int64_t b) {
  return static_cast<int>((a | b) & 0xFFFF);
}

}  // namespace tsumiki
