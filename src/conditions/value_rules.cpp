#include "conditions/value_rules.h"

#include <array>
#include <cmath>
#include <limits>

#include "conditions/derived_values.h"
#include "conditions/input_problems.h"

namespace tsumiki::layout {
namespace {

constexpr double kNoMost = std::numeric_limits<double>::infinity();

// clang-format off
const std::array<NumberRule, 27> kRules{{
    {&kYear, problem_text::kYearCell, 1900, 9999, true},
    {&kMonth, problem_text::kMonthCell, 1, 12, true},
    {&kStartDayOfMonth, problem_text::kStartDayCell, 1, 31, true},
    {&kBaseStartDay, problem_text::kBaseDayCell, 1, 31, true},
    {&kAttempts, problem_text::kAttemptsCell, 1, kNoMost, true},
    {&kTimeLimit, problem_text::kTimeLimitCell, 0, kNoMost, false, true},
    {&kImproveSeconds, problem_text::kImproveSecondsCell, 0, kNoMost, false},
    {&kCreationMode, problem_text::kCreationModeCell, 0, 2, true},
    {&kMaxConsecWork, problem_text::kMaxConsecWorkCell, 0, kNoMost, true},
    {&kMaxConsecRest, problem_text::kMaxConsecRestCell, 0, kNoMost, true},
    {&kWeights, problem_text::kWeightCell, 0, kNoMost, false},
    {&kPastTotals, problem_text::kPastTotalsCell, 0, 32767, true},
    {&kMemberDayOff, problem_text::kDayOffCell, 0, 31, true},
    {&kNeedTable, problem_text::kNeedCell, 0, 32767, true},
    // The load names the limit of 16 rows itself.
    {&kForbiddenComboCnt, problem_text::kComboCountCell, 0, kNoMost, true},
    {&kRequiredComboCnt, problem_text::kComboCountCell, 0, kNoMost, true},
    {&kScoreWeight, problem_text::kScoreWeightCell, 0, kNoMost, false},
    {&kDesiredStaff, problem_text::kDesiredCell, 0, 32767, true},
    {&kDesiredWeight, problem_text::kDesiredWeightCell, 0, kNoMost, false},
    {&kWishWeight, problem_text::kWishWeightCell, 0, 9, true},
    {&kDutyLeast, problem_text::kDutyLeastCell, 0, 31, true},
    {&kDutyMost, problem_text::kDutyMostCell, 0, 31, true},
    {&kRestRunLeast, problem_text::kRestRunLeastCell, 0, 31, true},
    {&kWorkRunLeast, problem_text::kWorkRunLeastCell, 0, 31, true},
    {&kWorkRunMost, problem_text::kWorkRunMostCell, 0, 31, true},
    {&kWeekendsMost, problem_text::kWeekendsMostCell, 0, 6, true},
    {&kDayOffMost, problem_text::kDayOffMostCell, 0, 31, true},
}};
// clang-format on

std::string NumberText(double n) {
  std::string text = std::to_string(static_cast<long long>(n));
  return text;
}

std::string Allowed(const NumberRule& rule) {
  const std::string_view kind = rule.whole ? problem_text::kWholeNumber : problem_text::kNumber;
  if (rule.least_excluded) return Format(problem_text::kAbove, {NumberText(rule.least), kind});
  if (std::isinf(rule.most)) return Format(problem_text::kAtLeast, {NumberText(rule.least), kind});
  return Format(problem_text::kBetween, {NumberText(rule.least), NumberText(rule.most), kind});
}

}  // namespace

const NumberRule* NumberRuleFor(const NameSpec& name_spec) {
  for (const NumberRule& rule : kRules) {
    if (rule.name->name == name_spec.name) return &rule;
  }
  return nullptr;
}

bool IsFlagName(const NameSpec& name_spec) {
  return name_spec.mode == ReadMode::kEqualsTrue || name_spec.mode == ReadMode::kEqualsFalse;
}

std::optional<std::string> RuleProblem(const NameSpec& name_spec,
                                       const workbook::CellValue& value) {
  if (IsBlank(value)) return std::nullopt;
  if (IsFlagName(name_spec)) {
    if (value.IsBool()) return std::nullopt;
    return Format(problem_text::kNotAFlag, {name_spec.name, ValueText(value)});
  }
  const NumberRule* rule = NumberRuleFor(name_spec);
  if (rule == nullptr) return std::nullopt;
  const std::optional<double> n = AsNumber(value);
  if (!n) return std::nullopt;
  const bool low = rule->least_excluded ? !(*n > rule->least) : !(*n >= rule->least);
  if (!low && *n <= rule->most && (!rule->whole || std::floor(*n) == *n)) return std::nullopt;
  return Format(problem_text::kOutsideRule, {rule->what, Allowed(*rule), ValueText(value)});
}

}  // namespace tsumiki::layout
