#include "optimise/random_swap.h"

#include <gtest/gtest.h>

#include "engine_fixture.h"
#include "support/roster_checker.h"

namespace tsumiki {
namespace {

using testing::Engine;
using testing::ModelBuilder;
using testing::TallyMismatch;

TEST(RandomSwapPass, OneMemberNeverSwaps) {
  ModelBuilder b(5, 1, 1);
  b.Assign(1, 2, 1);
  const ConditionModel start = b.Build();
  Engine engine(start, 3);
  RandomSwapPass(engine.search(), kModeStaffingFirst, 5);
  EXPECT_EQ(engine.model.Roster, start.Roster);
  EXPECT_EQ(engine.host.DoEventsCount(), 5);  // one draw per member and day
}

// Day 2 of two members: member 1 works days 1..3, member 2 only day 3. Swapping
// day 2 leaves member 1 with a single rest day and member 2 with none; swapping
// back leaves nobody with a single day.
ConditionModel SingleDayPair() {
  ModelBuilder b(5, 1, 2);
  b.Assign(1, 1, 1).Assign(1, 2, 1).Assign(1, 3, 1).Assign(2, 3, 1);
  b.model().StartDay = 2;
  return b.Build();
}

// Replays the pass's draws on day 2 and says whether day 2 ends up swapped: an
// exchange into the swapped state stays unless the mode refuses member 1's single
// day (mode 0 as either member, mode 1 as the second member drawn).
bool ExpectSwapped(std::uint64_t seed, int mode, int& kept_as_a, int& refused_as_b) {
  RandomSource replay(seed);
  bool swapped = false;
  for (int r = 0; r < 2; ++r) {
    const int a = static_cast<int>(replay.RandomValue() * 2) + 1;
    const int b = static_cast<int>(replay.RandomValue() * 2) + 1;
    if (a == b) continue;
    if (swapped) {
      swapped = false;
      continue;
    }
    const bool refused =
        mode == kModeMinimiseSingleHigh || (mode == kModeMinimiseSingleLow && b == 1);
    if (mode == kModeMinimiseSingleLow) (refused ? refused_as_b : kept_as_a) += 1;
    swapped = !refused;
  }
  return swapped;
}

TEST(RandomSwapPass, CreationModeDecidesAboutSingleDays) {
  const ConditionModel start = SingleDayPair();
  int kept_as_a = 0;
  int refused_as_b = 0;
  for (const int mode : {kModeMinimiseSingleHigh, kModeMinimiseSingleLow, kModeStaffingFirst}) {
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
      Engine engine(start, seed);
      RandomSwapPass(engine.search(), mode, 2);
      const bool expected = ExpectSwapped(seed, mode, kept_as_a, refused_as_b);
      EXPECT_EQ(engine.model.Roster(1, 2) == 0, expected) << "mode " << mode << " seed " << seed;
      EXPECT_EQ(TallyMismatch(engine.model), "");
      EXPECT_EQ(engine.SheetMismatch(), "");
    }
  }
  // Both sides of mode 1 were seen.
  EXPECT_GT(kept_as_a, 0);
  EXPECT_GT(refused_as_b, 0);
}

TEST(RandomSwapPass, NoSingleDayTestOnTheLastDay) {
  ConditionModel start = SingleDayPair();
  // The same pair on the month's last day: nothing refuses the swap there.
  start.DayCount = 2;
  Engine engine(start, 1);
  const SearchContext ctx = engine.search();
  bool swapped = false;
  for (int i = 0; i < 10 && !swapped; ++i) {
    RandomSwapPass(ctx, kModeMinimiseSingleHigh, 2);
    swapped = engine.model.Roster(1, 2) == 0;
  }
  EXPECT_TRUE(swapped);
}

TEST(RandomSwapPass, AbortStillWritesTheSheetBack) {
  ConditionModel start;
  ASSERT_TRUE(testing::BuildWorkplaceMonth(4, start));
  Engine engine(start, 9);
  engine.host.AtDoEvents(25, [&engine] { engine.host.PressAbort(); });
  RandomSwapPass(engine.search(), kModeStaffingFirst, 30);
  EXPECT_EQ(engine.host.DoEventsCount(), 25);
  EXPECT_EQ(engine.SheetMismatch(), "");
  EXPECT_EQ(TallyMismatch(engine.model), "");
}

TEST(RandomSwapPass, WorkplaceMonthsKeepEveryRule) {
  int months = 0;
  for (std::uint64_t seed = 1; seed <= 30; ++seed) {
    ConditionModel start;
    if (!testing::BuildWorkplaceMonth(seed, start)) continue;
    testing::CheckOptions options;
    options.work_days_at_most_target = true;
    EXPECT_EQ(testing::JoinProblems(testing::CheckRoster(start, options)), "")
        << "the day filling alone, seed " << seed;
    ++months;
    Engine engine(start, seed);
    const SearchContext ctx = engine.search();
    const int mode = static_cast<int>(seed % 3);
    for (int round = 0; round < 3; ++round) {
      RandomSwapPass(ctx, mode, 30);
      const std::string where = "seed " + std::to_string(seed) + " round " + std::to_string(round);
      ASSERT_EQ(TallyMismatch(engine.model), "") << where;
      ASSERT_EQ(engine.SheetMismatch(), "") << where;
      ASSERT_EQ(testing::JoinProblems(testing::CheckRoster(engine.model, options)), "") << where;
    }
    for (int m = 1; m <= start.MemberCount; ++m) {
      for (int d = 1; d <= start.DayCount; ++d) {
        if (start.Fixed(m, d) >= 1) {
          EXPECT_EQ(engine.model.Roster(m, d), start.Roster(m, d));
        }
      }
    }
    EXPECT_NE(engine.model.Roster, start.Roster) << "seed " << seed;
  }
  EXPECT_GT(months, 10);
}

}  // namespace
}  // namespace tsumiki
