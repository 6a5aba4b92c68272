#include <cmath>
#include <set>

#include "conditions/derived_context.h"
#include "conditions/derived_values.h"

// Typed values the load would otherwise take silently: text read as 0, counts
// of zero that make a run spin until its limit, member numbers nobody has. An
// empty run setting or combination count is such a zero too.
namespace tsumiki::layout::detail {
namespace {

constexpr int kComboMembers = 20;

bool IsWhole(double n) {
  return n == std::floor(n);
}

// A single cell that must hold a number, or nothing.
void CheckNumber(DeriveContext& context, const NameSpec& name_spec, std::string_view what) {
  const auto table = context.Read(name_spec);
  if (!table) return;
  for (int r = 0; r < static_cast<int>(table->size()); ++r) {
    for (int c = 0; c < static_cast<int>((*table)[static_cast<std::size_t>(r)].size()); ++c) {
      const auto& value = At(*table, r, c);
      if (!IsBlank(value) && !AsNumber(value))
        context.Problem(name_spec, r + 1, c + 1,
                        Format(problem_text::kNotANumber, {what, ValueText(value)}));
    }
  }
}

void CheckRunSettings(DeriveContext& context) {
  if (const auto attempts = context.Read(kAttempts)) {
    const auto& value = At(*attempts, 0, 0);
    const auto n = AsNumber(value);
    if (!n || std::lround(*n) < 1)
      context.Problem(kAttempts, 1, 1,
                      Format(problem_text::kAttemptsNotPositive, {ValueText(value)}));
  }
  if (const auto limit = context.Read(kTimeLimit)) {
    const auto& value = At(*limit, 0, 0);
    const auto n = AsNumber(value);
    if (!n || !(*n > 0))
      context.Problem(kTimeLimit, 1, 1,
                      Format(problem_text::kTimeLimitNotPositive, {ValueText(value)}));
  }
}

void CheckCombos(DeriveContext& context, const NameSpec& count_spec, const NameSpec& rows_spec,
                 const std::set<double>& numbers) {
  const auto count_cell = context.Read(count_spec);
  const auto rows = context.Read(rows_spec);
  if (!count_cell || !rows) return;
  const auto count = AsNumber(At(*count_cell, 0, 0));
  if (!count) return;
  const int used = std::min(static_cast<int>(std::lround(*count)), static_cast<int>(rows->size()));
  for (int p = 1; p <= used; ++p) {
    if (IsBlank(At(*rows, p - 1, 0))) continue;
    const auto& needed = At(*rows, p - 1, 1);
    const auto n = AsNumber(needed);
    // Text there is left to the load, which refuses it as unreadable.
    if (IsBlank(needed) || (n && (*n < 1 || !IsWhole(*n))))
      context.Problem(rows_spec, p, 2,
                      Format(problem_text::kComboCountNotPositive, {ValueText(needed)}));
    int listed = 0;
    for (int k = 1; k <= kComboMembers; ++k) {
      const auto& member = At(*rows, p - 1, 5 * k - 2);
      const auto number = AsNumber(member);
      if (number) ++listed;
      if (number && numbers.count(std::round(*number)) == 0)
        context.Problem(rows_spec, p, 5 * k - 1,
                        Format(problem_text::kComboUnknownMember, {ValueText(member)}));
    }
    // More members than are listed can never be on duty together: the rule would
    // ban nothing or require the impossible. A row that lists no number at all is
    // not judged here.
    if (n && listed >= 1 && *n > listed)
      context.Problem(rows_spec, p, 2,
                      Format(problem_text::kComboCountOverListed,
                             {ValueText(needed), std::to_string(listed)}));
  }
}

}  // namespace

void CheckTypedValues(DeriveContext& context) {
  CheckRunSettings(context);
  CheckNumber(context, kMaxConsecWork, problem_text::kMaxConsecWorkCell);
  CheckNumber(context, kMaxConsecRest, problem_text::kMaxConsecRestCell);
  CheckNumber(context, kWeights, problem_text::kWeightCell);
  const DerivedFacts& facts = context.facts();
  std::set<double> numbers;
  for (int m = 0; m < facts.member_count; ++m) {
    if (const auto n = AsNumber(At(facts.members, m, 0))) numbers.insert(std::round(*n));
  }
  CheckCombos(context, kForbiddenComboCnt, kForbiddenCombos, numbers);
  CheckCombos(context, kRequiredComboCnt, kRequiredCombos, numbers);
  CheckNumber(context, kCreationMode, problem_text::kCreationModeCell);
  CheckValueRules(context);
  CheckExtraValues(context);
}

}  // namespace tsumiki::layout::detail
