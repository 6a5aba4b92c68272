#pragma once

#include <string_view>

// The totals of wishes and desired staffing, shown only when the workbook sets them.
namespace tsumiki::extra_text {

inline constexpr std::string_view kHeading = "【希望と希望人数】";
inline constexpr std::string_view kWishesGranted = "希望かなう";
inline constexpr std::string_view kWishesMissed = "希望かなわず";
// {0} days and duties that reach the desired staffing, {1} those that have a desired staffing.
inline constexpr std::string_view kDesiredReached = "希望人数に届いた日と勤務：{0}/{1}";
inline constexpr std::string_view kDesiredShortHead = "希望人数に届かない日（人数/希望人数）";

}  // namespace tsumiki::extra_text
