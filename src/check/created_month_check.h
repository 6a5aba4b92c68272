#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "conditions/condition_model.h"

namespace tsumiki {

// A created month judged by the product checker before it is reported or saved:
// contradicting conditions (a reservation the rules bar, a sequence against a
// ban) let the run end with a month that breaks a rule. The refusal's text names
// how many rules are broken and the first of them; nullopt when the month keeps
// every rule. Work days off their targets are not counted: the run asks about
// them and the planner may keep such a month.
std::optional<std::string> CreatedMonthRefusal(const ConditionModel& model);

inline constexpr std::string_view kCreatedMonthTitle = "作成結果の確認";

}  // namespace tsumiki
