#include "ui/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "support/scripted_host.h"

namespace tsumiki {
namespace {

std::vector<int> Entries(const IndexArray<int>& a, int n) {
  std::vector<int> v;
  for (int i = 1; i <= n; ++i) v.push_back(a(i));
  return v;
}

TEST(RandomValueTest, StaysInHalfOpenUnitInterval) {
  RandomSource random(42);
  double lo = 1.0;
  double hi = 0.0;
  for (int i = 0; i < 100000; ++i) {
    const double x = random.RandomValue();
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
    lo = std::min(lo, x);
    hi = std::max(hi, x);
  }
  EXPECT_LT(lo, 0.001);
  EXPECT_GT(hi, 0.999);
}

TEST(RandomSourceTest, FixedSeedReproducesWhateverTheClockSays) {
  testing::ScriptedHost morning(9 * 3600.0);
  testing::ScriptedHost evening(21 * 3600.0 + 0.5);
  RandomSource a(7);
  RandomSource b(7);
  RandomSource c(8);
  std::vector<double> va, vb, vc;
  for (int i = 0; i < 20; ++i) {
    a.Reseed(morning);
    b.Reseed(evening);
    c.Reseed(morning);
    va.push_back(a.RandomValue());
    vb.push_back(b.RandomValue());
    vc.push_back(c.RandomValue());
  }
  EXPECT_EQ(va, vb);
  EXPECT_NE(va, vc);
}

TEST(RandomSourceTest, ClockSeededSourcesFollowTheClock) {
  testing::ScriptedHost morning(9 * 3600.0);
  testing::ScriptedHost later(9 * 3600.0 + 1.0);
  RandomSource a;
  RandomSource b;
  a.Reseed(morning);
  b.Reseed(later);
  EXPECT_NE(a.RandomValue(), b.RandomValue());
}

TEST(ShuffleOrderTest, SmallCounts) {
  testing::ScriptedHost host;
  RandomSource random(1);
  IndexArray<int> order(0, 5);
  order(1) = 9;
  ShuffleOrder(order, 0, random, host);
  EXPECT_EQ(order(1), 9);  // n = 0 changes nothing
  ShuffleOrder(order, 1, random, host);
  EXPECT_EQ(order(1), 1);
  EXPECT_EQ(order(2), 0);  // entries beyond n are untouched
}

TEST(ShuffleOrderTest, AlwaysAPermutation) {
  testing::ScriptedHost host;
  RandomSource random(3);
  IndexArray<int> order(0, 31);
  for (int n : {2, 3, 10, 31}) {
    for (int round = 0; round < 50; ++round) {
      ShuffleOrder(order, n, random, host);
      std::vector<int> v = Entries(order, n);
      std::sort(v.begin(), v.end());
      for (int i = 0; i < n; ++i) ASSERT_EQ(v[i], i + 1);
    }
  }
}

// The clock does not move at all here: a generator that reset itself from the
// clock on every reseed would repeat one swap 20 times and give the identity.
TEST(ShuffleOrderTest, ManyCallsWithinOneClockTickVary) {
  testing::ScriptedHost host;
  RandomSource random;
  IndexArray<int> order(1, 10);
  std::set<std::vector<int>> seen;
  int identities = 0;
  const std::vector<int> identity{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  for (int call = 0; call < 200; ++call) {
    ShuffleOrder(order, 10, random, host);
    const std::vector<int> v = Entries(order, 10);
    seen.insert(v);
    if (v == identity) ++identities;
  }
  EXPECT_GT(seen.size(), 190u);
  EXPECT_LT(identities, 3);
  EXPECT_EQ(host.MonotonicMs(), 0);
}

TEST(ShuffleOrderTest, FixedSeedReproducesTheOrders) {
  testing::ScriptedHost host;
  RandomSource a(2024);
  RandomSource b(2024);
  IndexArray<int> oa(1, 12);
  IndexArray<int> ob(1, 12);
  for (int i = 0; i < 10; ++i) {
    ShuffleOrder(oa, 12, a, host);
    ShuffleOrder(ob, 12, b, host);
    ASSERT_EQ(oa, ob);
  }
}

TEST(ShuffleOrderTest, EveryPositionIsReachedEvenly) {
  testing::ScriptedHost host;
  RandomSource random(11);
  IndexArray<int> order(1, 4);
  int first_counts[5] = {};
  const int rounds = 8000;
  for (int i = 0; i < rounds; ++i) {
    ShuffleOrder(order, 4, random, host);
    ++first_counts[order(1)];
  }
  for (int v = 1; v <= 4; ++v) {
    EXPECT_GT(first_counts[v], rounds / 4 - 400) << v;
    EXPECT_LT(first_counts[v], rounds / 4 + 400) << v;
  }
}

}  // namespace
}  // namespace tsumiki
