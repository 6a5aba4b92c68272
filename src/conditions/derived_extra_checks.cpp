#include <algorithm>
#include <string>

#include "conditions/derived_context.h"
#include "conditions/derived_values.h"
#include "conditions/value_rules.h"

namespace tsumiki::layout::detail {
namespace {

// The first `rows` x `columns` cells of a numeric area: text where a number
// belongs (the load would read it as 0) and numbers outside the area's rule.
void CheckArea(DeriveContext& context, const NameSpec& name_spec, std::string_view what, int rows,
               int columns) {
  const auto table = context.Read(name_spec);
  if (!table) return;
  for (int r = 0; r < std::min<int>(rows, static_cast<int>(table->size())); ++r) {
    for (int c = 0; c < columns; ++c) {
      const auto& value = At(*table, r, c);
      if (IsBlank(value)) continue;
      if (!AsNumber(value)) {
        context.Problem(name_spec, r + 1, c + 1,
                        Format(problem_text::kNotANumber, {what, ValueText(value)}));
      } else if (auto problem = RuleProblem(name_spec, value)) {
        context.Problem(name_spec, r + 1, c + 1, std::move(*problem));
      }
    }
  }
}

// A wish names a duty by its short name, or a day off by 休; a weight beside no
// wish would be dropped without a word.
void CheckWishes(DeriveContext& context, int members, int days) {
  const auto wishes = context.Read(kWishTable);
  if (!wishes) return;
  const auto weights = context.Read(kWishWeight);
  const DerivedFacts& facts = context.facts();
  for (int r = 0; r < members; ++r) {
    for (int c = 0; c < days; ++c) {
      const auto& wish = At(*wishes, r, c);
      if (IsBlank(wish)) {
        const auto weight = weights ? AsNumber(At(*weights, r, c)) : std::nullopt;
        if (weight && *weight > 0)
          context.Problem(kWishWeight, r + 1, c + 1,
                          Format(problem_text::kWishWeightAlone, {ValueText(At(*weights, r, c))}));
        continue;
      }
      const std::string text = ValueText(wish);
      if (text != "休" && facts.abbrev_to_type.find(text) == facts.abbrev_to_type.end())
        context.Problem(kWishTable, r + 1, c + 1, Format(problem_text::kUnknownWishAbbrev, {text}));
    }
  }
}

// A least above its most, reported at the most. `zero_is_none`: a most of 0 sets
// no limit (a longest run) rather than barring all (a count per duty).
void CheckLeastOverMost(DeriveContext& context, const NameSpec& least_spec,
                        const NameSpec& most_spec, std::string_view text, int members, int columns,
                        bool zero_is_none) {
  const auto least = context.Read(least_spec);
  const auto most = context.Read(most_spec);
  if (!least || !most) return;
  for (int r = 0; r < members; ++r) {
    for (int c = 0; c < columns; ++c) {
      const auto low = AsNumber(At(*least, r, c));
      const auto high = AsNumber(At(*most, r, c));
      if (!low || !high || *low <= *high || (zero_is_none && *high == 0)) continue;
      context.Problem(most_spec, r + 1, c + 1,
                      Format(text, {ValueText(At(*least, r, c)), ValueText(At(*most, r, c))}));
    }
  }
}

// The most days off is a range's upper end; Member_DayOff (empty = 0) its lower.
void CheckDayOffRange(DeriveContext& context, int members) {
  const auto most = context.Read(kDayOffMost);
  const auto days_off = context.Read(kMemberDayOff);
  if (!most || !days_off) return;
  for (int r = 0; r < members; ++r) {
    const auto high = AsNumber(At(*most, r, 0));
    const auto low = AsNumber(At(*days_off, r, 0));
    if (high && *high < low.value_or(0))
      context.Problem(kDayOffMost, r + 1, 1,
                      Format(problem_text::kDayOffMostBelow,
                             {low ? ValueText(At(*days_off, r, 0)) : "0",
                              ValueText(At(*most, r, 0))}));
  }
}

}  // namespace

void CheckExtraValues(DeriveContext& context) {
  const DerivedFacts& facts = context.facts();
  const int members = facts.member_count;
  const int types = facts.type_count;
  const int days = facts.day_count.value_or(31);
  CheckArea(context, kScoreWeight, problem_text::kScoreWeightCell, 1, 1);
  CheckArea(context, kDesiredStaff, problem_text::kDesiredCell, types, days);
  CheckArea(context, kDesiredWeight, problem_text::kDesiredWeightCell, types, 1);
  CheckArea(context, kWishWeight, problem_text::kWishWeightCell, members, days);
  CheckArea(context, kDutyLeast, problem_text::kDutyLeastCell, members, types);
  CheckArea(context, kDutyMost, problem_text::kDutyMostCell, members, types);
  CheckArea(context, kRestRunLeast, problem_text::kRestRunLeastCell, members, 1);
  CheckArea(context, kWorkRunLeast, problem_text::kWorkRunLeastCell, members, 1);
  CheckArea(context, kWorkRunMost, problem_text::kWorkRunMostCell, members, 1);
  CheckArea(context, kWeekendsMost, problem_text::kWeekendsMostCell, members, 1);
  CheckArea(context, kDayOffMost, problem_text::kDayOffMostCell, members, 1);
  CheckWishes(context, members, days);
  CheckLeastOverMost(context, kDutyLeast, kDutyMost, problem_text::kDutyLeastOverMost, members,
                     types, false);
  CheckLeastOverMost(context, kWorkRunLeast, kWorkRunMost, problem_text::kWorkRunLeastOverMost,
                     members, 1, true);
  CheckDayOffRange(context, members);
}

}  // namespace tsumiki::layout::detail
