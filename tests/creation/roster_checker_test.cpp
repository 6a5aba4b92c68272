#include "support/roster_checker.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/model_builder.h"
#include "support/roster_edit.h"

namespace tsumiki {
namespace {

using testing::Breach;
using testing::CheckOptions;
using testing::CheckRoster;
using testing::ModelBuilder;
using testing::Rule;

// Six days, six members: on day d member d has duty 1 and member d+1 duty 2
// (member 1 on day 6), so every member works duty 2 and then duty 1.
ConditionModel Sound(ModelBuilder b, const std::function<void(ConditionModel&)>& change = {}) {
  b.NeedEveryDay(1, 1).NeedEveryDay(2, 1);
  for (int d = 1; d <= 6; ++d) {
    b.Assign(d, d, 1);
    b.Assign(d % 6 + 1, d, 2);
  }
  ConditionModel model = b.Build();
  if (change) change(model);
  return model;
}

ModelBuilder Base() { return ModelBuilder(6, 3, 6); }

CheckOptions Days(int first, int last) {
  CheckOptions options;
  options.first_day = first;
  options.last_day = last;
  return options;
}

CheckOptions With(bool CheckOptions::* flag) {
  CheckOptions options;
  options.*flag = true;
  return options;
}

void ExtraThirdDuty(ConditionModel& m) { testing::RosterEdit::WriteUncounted(m, 3, 4, 3); }
void ReserveDay2(ConditionModel& m) { testing::RosterEdit::SetFixed(m, 5, 2, 1); }
void ReserveBarredDay5(ConditionModel& m) { testing::RosterEdit::SetFixed(m, 5, 5, 1); }

struct Case {
  const char* name;
  ConditionModel model;
  CheckOptions options;
  std::size_t count;            // breaches in all
  std::vector<Breach> leading;  // the first ones, in order
};

// The checker is what every engine test trusts: each kind of broken rule must
// show with its fields, and a sound roster must pass.
TEST(RosterCheckerTest, EveryKindOfRuleShowsWithItsFields) {
  const Breach extra_third{.rule = Rule::kStaffing, .day = 4, .type = 3, .actual = 1};
  const Case cases[] = {
      {"sound", Sound(Base()), {}, 0, {}},
      {"staffing", Sound(Base(), ExtraThirdDuty), {}, 1, {extra_third}},
      {"extra staff on the last type", Sound(Base(), ExtraThirdDuty),
       With(&CheckOptions::extra_staff_for_targets), 1, {extra_third}},
      {"extra staff on every type", Sound(Base(), ExtraThirdDuty),
       With(&CheckOptions::extra_staff_on_every_type), 0, {}},
      {"day ban", Sound(Base().Ban(2, 2, 1)), {}, 1,
       {{.rule = Rule::kDayBan, .member = 2, .day = 2, .type = 1}}},
      {"ban on a reservation", Sound(Base().Ban(5, 5, 1), ReserveBarredDay5),
       With(&CheckOptions::reservations_override_bans), 0, {}},
      {"reservation", Sound(Base(), ReserveDay2), {}, 1,
       {{.rule = Rule::kReservation, .member = 5, .day = 2, .type = 1, .actual = 0}}},
      {"forbidden combination",
       Sound(Base().ForbiddenCombo(kAnyType, 2, {1, 2}),
             [](ConditionModel& m) { testing::RosterEdit::WriteUncounted(m, 2, 1, 1); }),
       {},
       3,
       {{.rule = Rule::kStaffing, .day = 1, .type = 1, .actual = 2, .expected = 1},
        {.rule = Rule::kStaffing, .day = 1, .type = 2, .actual = 0, .expected = 1},
        {.rule = Rule::kForbiddenCombination, .day = 1, .type = 1, .index = 1, .actual = 2,
         .expected = 1}}},
      {"required combination", Sound(Base().RequiredCombo(1, 1, {1})), {}, 5,
       {{.rule = Rule::kRequiredCombination, .day = 2, .type = 1, .index = 1, .expected = 1}}},
      {"next-day ban", Sound(Base().NextDayBan(2, 1)), {}, 5,
       {{.rule = Rule::kNextDayBan, .member = 2, .day = 2, .type = 1, .previous = 2}}},
      {"forbidden sequence with any duty", Sound(Base().ForbiddenPattern({2, kAnyType})), {}, 5,
       {{.rule = Rule::kForbiddenSequence, .member = 2, .day = 1, .index = 1}}},
      {"forbidden sequence from the previous month",
       Sound(Base().ForbiddenPattern({2, 2}).PrevMonth(2, {2})), {}, 1,
       {{.rule = Rule::kForbiddenSequence, .member = 2, .day = 0, .index = 1}}},
      {"consecutive work", Sound(Base().MaxConsecWork(1)), {}, 5,
       {{.rule = Rule::kConsecutiveWork, .member = 2, .day = 1, .last_day = 2, .actual = 2,
         .expected = 1}}},
      {"consecutive work within the limit", Sound(Base().MaxConsecWork(2)), {}, 0, {}},
      {"consecutive work from the previous month",
       Sound(Base().MaxConsecWork(2).PrevMonth(2, {1})), {}, 1,
       {{.rule = Rule::kConsecutiveWork, .member = 2, .day = 1, .last_day = 2, .actual = 3,
         .expected = 2}}},
      {"required sequence kept", Sound(Base().RequiredPattern(2, 1)), {}, 0, {}},
      {"required sequence", Sound(Base().RequiredPattern(1, 2)), {}, 5,
       {{.rule = Rule::kRequiredSequence, .member = 1, .day = 2, .type = 2, .previous = 1}}},
      {"days outside the range", Sound(Base(), ReserveDay2), Days(3, 6), 0, {}},
      {"one day's range", Sound(Base(), ReserveDay2), Days(2, 2), 1, {}},
      {"targets not checked", Sound(Base().Target(1, 1).Target(2, 3)), {}, 0, {}},
      {"targets at most", Sound(Base().Target(1, 1).Target(2, 3)),
       With(&CheckOptions::work_days_at_most_target), 1,
       {{.rule = Rule::kWorkDayTarget, .member = 1, .actual = 2, .expected = 1}}},
      {"targets exact", Sound(Base().Target(1, 1).Target(2, 3)),
       With(&CheckOptions::work_days_exact), 2,
       {{.rule = Rule::kWorkDayTarget, .member = 1, .actual = 2, .expected = 1},
        {.rule = Rule::kWorkDayTarget, .member = 2, .actual = 2, .expected = 3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Breach> found = CheckRoster(c.model, c.options);
    ASSERT_EQ(found.size(), c.count) << testing::JoinProblems(found);
    EXPECT_EQ(std::vector<Breach>(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(
                                                                   c.leading.size())),
              c.leading);
  }
}

}  // namespace
}  // namespace tsumiki
