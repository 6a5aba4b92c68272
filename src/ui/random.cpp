#include "ui/random.h"

#include <bit>
#include <cstring>

namespace tsumiki {

namespace {

// SplitMix64: turns any 64-bit input (a seed, a clock reading) into well-spread
// bits, so that neighbouring seeds give unrelated states.
std::uint64_t SplitMix64(std::uint64_t& x) {
  std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

void FillState(std::uint64_t (&state)[4], std::uint64_t seed) {
  for (std::uint64_t& word : state) word = SplitMix64(seed);
}

// xoshiro256** step.
std::uint64_t Next(std::uint64_t (&s)[4]) {
  const std::uint64_t result = std::rotl(s[1] * 5, 7) * 9;
  const std::uint64_t t = s[1] << 17;
  s[2] ^= s[0];
  s[3] ^= s[1];
  s[1] ^= s[2];
  s[0] ^= s[3];
  s[2] ^= t;
  s[3] = std::rotl(s[3], 45);
  return result;
}

constexpr std::uint64_t kUnseededState = 0x5453554D494B4931ULL;

}  // namespace

RandomSource::RandomSource() {
  FillState(state_, kUnseededState);
}

RandomSource::RandomSource(std::uint64_t fixed_seed) : fixed_(true) {
  FillState(state_, fixed_seed);
}

void RandomSource::Reseed(const Host& host) {
  ++reseed_count_;
  std::uint64_t stir = reseed_count_;
  if (!fixed_) {
    const double seconds = host.SecondsSinceMidnight();
    std::uint64_t clock_bits = 0;
    static_assert(sizeof clock_bits == sizeof seconds);
    std::memcpy(&clock_bits, &seconds, sizeof seconds);
    stir ^= std::rotl(clock_bits, 17);
  }
  // XOR alone would let two reseeds within one clock tick cancel each other, so
  // the stirred state is also stepped once.
  for (std::uint64_t& word : state_) word ^= SplitMix64(stir);
  if ((state_[0] | state_[1] | state_[2] | state_[3]) == 0) FillState(state_, kUnseededState);
  Next(state_);
}

double RandomSource::RandomValue() {
  // The top 53 bits give every double of the form k / 2^53, so 1.0 never occurs.
  return static_cast<double>(Next(state_) >> 11) * 0x1.0p-53;
}

void ShuffleOrder(IndexArray<int>& order, int n, RandomSource& random, const Host& host) {
  if (n <= 0) return;
  for (int i = 1; i <= n; ++i) order(i) = i;
  for (int k = 1; k <= 2 * n; ++k) {
    random.Reseed(host);
    const int a = static_cast<int>(random.RandomValue() * n) + 1;
    const int b = static_cast<int>(random.RandomValue() * n) + 1;
    std::swap(order(a), order(b));
  }
}

}  // namespace tsumiki
