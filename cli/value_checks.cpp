#include "cli/value_checks.h"

#include <limits>
#include <string_view>

#include "conditions/layout.h"
#include "creation/start_conditions_check.h"

namespace tsumiki::cli {

namespace {

// Each follows the option's name: "--month の値「13」は使えません。…".
// {0}: the value as given; {1}, {2}: the bounds.
constexpr std::string_view kWholeIn = "値「{0}」は使えません。{1}〜{2} の整数で指定してください。";
constexpr std::string_view kWholeFrom = "値「{0}」は使えません。{1} 以上の整数で指定してください。";
constexpr std::string_view kAbove = "値「{0}」は使えません。{1} より大きい数で指定してください。";
constexpr std::string_view kAtLeast = "値「{0}」は使えません。{1} 以上の数で指定してください。";
// {1}: the words allowed.
constexpr std::string_view kOneOf = "値「{0}」は使えません。{1} のどれかを指定してください。";

CLI::Validator Check(std::function<std::string(std::string&)> check) {
  return CLI::Validator(std::move(check), "");
}

}  // namespace

CLI::Validator WholeNumberIn(int low, int high) {
  return Check([low, high](std::string& value) -> std::string {
    const auto number = ParseWholeNumberText(value);
    if (number && *number >= low && *number <= high) return {};
    return layout::Format(kWholeIn, {value, std::to_string(low), std::to_string(high)});
  });
}

CLI::Validator WholeNumberFrom(int low) {
  return Check([low](std::string& value) -> std::string {
    const auto number = ParseWholeNumberText(value);
    if (number && *number >= low) return {};
    return layout::Format(kWholeFrom, {value, std::to_string(low)});
  });
}

CLI::Validator NumberAbove(double low, bool inclusive) {
  return Check([low, inclusive](std::string& value) -> std::string {
    const auto number = ParseNumberText(value);
    // Kept in single precision later: a value that is 0 or infinite there is no
    // better than a typed 0.
    const float single = number ? static_cast<float>(*number) : 0.0f;
    const bool finite = number && single <= std::numeric_limits<float>::max();
    if (finite && (inclusive ? *number >= low : single > low)) return {};
    return layout::Format(inclusive ? kAtLeast : kAbove, {value, FormatPlainNumber(low)});
  });
}

CLI::Validator OneOf(std::vector<std::string> words) {
  return Check([words = std::move(words)](std::string& value) -> std::string {
    std::string listed;
    for (const std::string& word : words) {
      if (value == word) return {};
      listed += (listed.empty() ? "" : "、") + word;
    }
    return layout::Format(kOneOf, {value, listed});
  });
}

}  // namespace tsumiki::cli
