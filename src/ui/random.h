#pragma once

#include <cstdint>
#include <optional>

#include "ui/host.h"
#include "ui/index_array.h"

namespace tsumiki {

// The program's one random generator.
//
// Reseed() stirs the clock into the generator's current state; it never replaces
// the state by a function of the clock alone, because ShuffleOrder reseeds before
// every swap and a reset within one clock tick would repeat the same swap and undo
// the shuffle. With a fixed seed (--seed, and always in tests) Reseed() stirs in a
// counter instead of the clock, so a whole run is reproducible.
class RandomSource {
 public:
  // Seeded from the clock at the first Reseed().
  RandomSource();
  // Reproducible: the same seed gives the same sequence, whatever the clock says.
  explicit RandomSource(std::uint64_t fixed_seed);

  void Reseed(const Host& host);
  // Uniform in [0, 1).
  double RandomValue();
  bool IsFixed() const { return fixed_; }

 private:
  std::uint64_t state_[4];
  std::uint64_t reseed_count_ = 0;
  bool fixed_ = false;
};

// Fills entries 1..n of `order` with a random permutation of 1..n by 2n random
// transpositions, reseeding before each. n = 0 changes nothing.
// Precondition: order.Lo() <= 1 and order.Hi() >= n.
void ShuffleOrder(IndexArray<int>& order, int n, RandomSource& random, const Host& host);

}  // namespace tsumiki
