#include "optimise/score_tally.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <utility>

#include "roster/month_objective.h"
#include "roster/roster_change.h"
#include "roster/roster_score.h"
#include "roster/swap.h"
#include "support/roster_edit.h"
#include "ui/random.h"

namespace tsumiki {
namespace {

struct MonthShape {
  const char* name;
  int days;
  int types;
  int members;
  bool prev_month;
  int past_totals;  // added to every duty tally, as the past months' totals are
  bool long_run;    // member 1 works from the previous month's last day to day 30
};

// A month filled at random (about a third rest days, so single days abound) with
// its tallies counted, uneven weights and targets, and both penalties on.
ConditionModel RandomMonth(const MonthShape& shape, std::uint64_t seed) {
  RandomSource random(seed);
  auto draw = [&random](int count) { return static_cast<int>(random.RandomValue() * count); };
  ConditionModel model;
  model.Resize(shape.days, shape.types, shape.members);
  model.PreventSingleWork = true;
  model.WorkFocus = true;
  model.UsePrevMonth = shape.prev_month;
  for (int w = 1; w <= kWeightCount; ++w) model.OptimiseWeights(w) = 0.3f + 0.17f * w;
  for (int m = 1; m <= shape.members; ++m) {
    model.WorkDayTarget(m) = shape.days - draw(10);
    for (int t = 1; t <= shape.types; ++t) {
      testing::RosterEdit::SetPastTotal(model, m, t, shape.past_totals + draw(5));
    }
    if (shape.prev_month) {
      for (int j = 1; j <= kPrevMonthDays; ++j) {
        model.PrevMonthTail(m, j) = draw(2) * (1 + draw(shape.types));
      }
      testing::RosterEdit::WriteUncounted(model, m, 0, model.PrevMonthTail(m, 1));
    }
    if (shape.long_run && m == 1) testing::RosterEdit::WriteUncounted(model, m, 0, 1);
    for (int d = 1; d <= shape.days; ++d) {
      int code = draw(3) == 0 ? 0 : 1 + draw(shape.types);
      if (shape.long_run && m == 1) code = d <= 30 ? 1 : 0;
      SetDuty(model, m, d, code);
    }
  }
  return model;
}

// Every exchange of two members on every day, scored by the tally (tried before it
// reads the exchange, and after) and by a full recomputation: they must agree to
// the bit. One exchange in seven is kept, so
// the tally also follows a roster that drifts away from where it was read.
TEST(ScoreTally, EqualsTheFullScoreAfterEverySwap) {
  const MonthShape months[] = {
      {"small month", 14, 3, 6, false, 0, false},
      {"previous month's tail", 31, 4, 9, true, 0, false},
      {"a run of 31 days", 31, 2, 4, true, 0, true},
      {"longer than any month", 40, 2, 4, true, 0, false},
      {"past totals too large for exact single-precision sums", 30, 2, 40, false, 3000, false},
  };
  for (const MonthShape& shape : months) {
    SCOPED_TRACE(shape.name);
    ConditionModel model = RandomMonth(shape, 17);
    ScoreTally tally(model);
    ASSERT_EQ(std::bit_cast<std::uint32_t>(tally.Score()),
              std::bit_cast<std::uint32_t>(RosterScore(model)));
    int kept = 0;
    for (int d = 1; d <= model.DayCount; ++d) {
      for (int a = 1; a <= model.MemberCount; ++a) {
        for (int b = a + 1; b <= model.MemberCount; ++b) {
          SwapDuties(model, a, b, d);
          const float full = RosterScore(model);
          const float tried = tally.ScoreAfterSwap(model, a, b, d);
          tally.Swapped(model, a, b, d);
          const float incremental = tally.Score();
          for (const auto& [how, score] :
               {std::pair{"tried", tried}, std::pair{"read", incremental}}) {
            ASSERT_EQ(std::bit_cast<std::uint32_t>(score), std::bit_cast<std::uint32_t>(full))
                << how << ", day " << d << " members " << a << ", " << b << ": " << score << " vs "
                << full;
          }
          if ((d + a + b) % 7 == 0) {
            ++kept;
            continue;
          }
          SwapDuties(model, b, a, d);
          tally.Swapped(model, b, a, d);
        }
      }
    }
    EXPECT_GT(kept, 0);
  }
}

// Wishes on about a quarter of the cells and desired staffing above what a day
// holds, weighed against the balance score: the tally follows random exchanges
// (tried, then read) and random changes of one cell (read by Refresh), and equals
// MonthObjective to the bit after each of them.
TEST(ScoreTally, EqualsTheObjectiveWithWishesAndDesiredStaffing) {
  const struct {
    MonthShape shape;
    float score_weight;
  } cases[] = {
      {{"small month", 14, 3, 6, false, 0, false}, 1.0f},
      {{"previous month's tail, score weighed less", 31, 4, 9, true, 0, false}, 0.37f},
      {{"longer than any month", 40, 2, 5, true, 0, false}, 2.5f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shape.name);
    ConditionModel model = RandomMonth(c.shape, 23);
    RandomSource random(5);
    auto draw = [&random](int lo, int hi) {
      return lo + static_cast<int>(random.RandomValue() * (hi - lo + 1));
    };
    ExtraConditions& extra = model.Extra;
    extra.HasSoft = true;
    extra.ScoreWeight = c.score_weight;
    for (int t = 1; t <= model.TypeCount; ++t) {
      extra.DesiredWeight(t) = 0.3f + 0.45f * static_cast<float>(t);
      for (int d = 1; d <= model.DayCount; ++d) extra.DesiredStaff(t, d) = draw(0, 4);
    }
    for (int m = 1; m <= model.MemberCount; ++m) {
      for (int d = 1; d <= model.DayCount; ++d) {
        if (draw(0, 3) != 0) continue;
        extra.WishDuty(m, d) = draw(0, model.TypeCount);
        extra.WishWeight(m, d) = draw(1, 9);
      }
    }
    ScoreTally tally(model);
    auto expect_objective = [&model](float score, const char* how, int step) {
      ASSERT_EQ(std::bit_cast<std::uint32_t>(score),
                std::bit_cast<std::uint32_t>(MonthObjective(model)))
          << how << " at step " << step;
    };
    expect_objective(tally.Score(), "read whole", 0);
    for (int step = 1; step <= 3000; ++step) {
      const int a = draw(1, model.MemberCount);
      const int d = draw(1, model.DayCount);
      if (draw(0, 2) == 0) {
        SetDuty(model, a, d, draw(0, model.TypeCount));
        tally.Refresh(model, a);
        expect_objective(tally.Score(), "a changed cell", step);
        continue;
      }
      const int b = a % model.MemberCount + 1;
      SwapDuties(model, a, b, d);
      expect_objective(tally.ScoreAfterSwap(model, a, b, d), "an exchange tried", step);
      tally.Swapped(model, a, b, d);
      expect_objective(tally.Score(), "an exchange read", step);
    }
  }
}

}  // namespace
}  // namespace tsumiki
