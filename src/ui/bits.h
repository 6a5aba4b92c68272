#pragma once

#include <cstdint>

namespace tsumiki {

// Small bit sets: duty-type masks use bit t - 1 for duty type t.

// 0 when n <= 0, else 2^(n - 1). Throws std::out_of_range for n > 63.
std::int64_t BitValue(int n);

// True when floor(value / bit) is odd. A bit value of 0 (BitValue(0), the rest
// day) is no bit at all: false.
bool HasBit(std::int64_t value, std::int64_t bit);

// The low 16 bits that both (or either) values have; higher bits are dropped.
int BitAnd16(std::int64_t a, std::int64_t b);
int BitOr16(std::int64_t a, std::int64_t b);

}  // namespace tsumiki
