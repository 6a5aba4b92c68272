#include "roster/month_objective.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "roster/roster_change.h"
#include "roster/roster_score.h"

namespace tsumiki {
namespace {

struct Wish {
  int m;
  int d;
  int duty;  // kRestDay for a day off
  int weight;
};
struct Desired {
  int t;
  int d;
  int staff;
};

struct ObjectiveCase {
  const char* name;
  std::vector<std::string> rows;  // one per member: '-' rest, a digit the duty type
  std::vector<Wish> wishes;
  std::vector<Desired> desired;
  float score_weight;
  float expected_soft;  // counted by hand
};

// Three members, four days, two duty types; type 1 weighs 1.5 per missing place,
// type 2 weighs 2.
ConditionModel Month(const ObjectiveCase& c) {
  ConditionModel model;
  model.Resize(4, 2, 3);
  for (int w = 1; w <= kWeightCount; ++w) model.OptimiseWeights(w) = 1.0f;
  model.PreventSingleWork = true;
  for (int m = 1; m <= 3; ++m) {
    model.WorkDayTarget(m) = 3;
    for (int d = 1; d <= 4; ++d) {
      const char code = c.rows[static_cast<std::size_t>(m - 1)][static_cast<std::size_t>(d - 1)];
      SetDuty(model, m, d, code == '-' ? kRestDay : code - '0');
    }
  }
  ExtraConditions& extra = model.Extra;
  extra.DesiredWeight(1) = 1.5f;
  extra.DesiredWeight(2) = 2.0f;
  extra.ScoreWeight = c.score_weight;
  for (const Wish& w : c.wishes) {
    extra.WishDuty(w.m, w.d) = w.duty;
    extra.WishWeight(w.m, w.d) = w.weight;
  }
  for (const Desired& s : c.desired) extra.DesiredStaff(s.t, s.d) = s.staff;
  extra.HasSoft = !c.wishes.empty() || !c.desired.empty();
  return model;
}

TEST(MonthObjective, WeighsTheScoreTheMissedWishesAndTheMissingDesiredPlaces) {
  const std::vector<ObjectiveCase> cases = {
      {"nothing soft: the balance score alone", {"11-2", "2-11", "-12-"}, {}, {}, 3.0f, 0.0f},
      {"a wished duty held and one not held",
       {"11-2", "2-11", "-12-"},
       {{1, 1, 1, 4}, {2, 1, 1, 3}},
       {},
       1.0f,
       3.0f},
      {"a wished day off granted and one worked",
       {"11-2", "2-11", "-12-"},
       {{1, 3, kRestDay, 2}, {3, 2, kRestDay, 9}},
       {},
       1.0f,
       9.0f},
      {"desired staffing met, one short and two short",
       {"11-2", "2-11", "-12-"},
       {},
       {{1, 1, 1}, {1, 3, 2}, {2, 4, 3}},
       1.0f,
       1.5f * 1 + 2.0f * 2},
      {"all of it with the score weighed half",
       {"11-2", "2-11", "-12-"},
       {{1, 4, 2, 5}, {2, 2, 2, 1}},
       {{2, 2, 2}},
       0.5f,
       1.0f + 2.0f * 2},
  };
  for (const ObjectiveCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ConditionModel model = Month(c);
    const float score = RosterScore(model);
    const float expected = model.Extra.HasSoft ? c.score_weight * score + c.expected_soft : score;
    EXPECT_EQ(MonthObjective(model), expected);
    if (!model.Extra.HasSoft) {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(MonthObjective(model)),
                std::bit_cast<std::uint32_t>(score));
    }
  }
}

}  // namespace
}  // namespace tsumiki
