#pragma once

namespace tsumiki {

// Masks of duty types: bit t-1 stands for type t. Only the low sixteen bits take
// part in a test, the way the workbook's masks are combined.
inline int DutyBit(int t) {
  return (t >= 1 && t <= 16) ? (1 << (t - 1)) : 0;
}

inline bool MaskHasDuty(int mask, int t) {
  const int bit = DutyBit(t);
  return bit != 0 && (mask & 0xFFFF & bit) != 0;
}

}  // namespace tsumiki
