#pragma once

#include <string_view>

// The reasons of the rule checker, one sentence each. Patterns take {0}, {1}, ...
// (layout::Format); duties are shown by their abbreviations.
namespace tsumiki::rule_text {

inline constexpr std::string_view kRestDayName = "休み";

inline constexpr std::string_view kUnknownDuty =
    "勤務の略称にない記入です。【勤務名】の略称で入力してください。";
// {0} duty, {1} needed, {2} on duty, {3} the difference.
inline constexpr std::string_view kStaffShort = "「{0}」は{1}人必要ですが{2}人です（{3}人不足）。";
inline constexpr std::string_view kStaffOver = "「{0}」は{1}人必要ですが{2}人です（{3}人過剰）。";
// {0} reserved duty, {1} what the roster holds.
inline constexpr std::string_view kReservation = "予約の「{0}」ではなく「{1}」が入っています。";
// {0} duty.
inline constexpr std::string_view kDayOffRequest = "休み希望の日に「{0}」が入っています。";
inline constexpr std::string_view kDutyBan = "この日は「{0}」に入れない予定です。";
// {0} the day before's duty, {1} this day's duty.
inline constexpr std::string_view kNextDayBan = "前日の「{0}」の翌日に「{1}」は入れられません。";
// {0} pattern number, {1} the pattern's duties.
inline constexpr std::string_view kForbiddenSequence =
    "この日から禁止パターン{0}（{1}）の並びになっています。";
inline constexpr std::string_view kAnyDayMark = "（任意）";
// {0} the day before's duty, {1} the duty that must follow, {2} what the roster holds.
inline constexpr std::string_view kRequiredSequence =
    "前日の「{0}」の翌日は「{1}」の決まりですが「{2}」です。";
// {0} row of the table, {1} duty, {2} members together, {3} their names.
inline constexpr std::string_view kForbiddenCombination =
    "組合せ禁止{0}の職員が「{1}」に{2}人一緒に入っています（{3}）。";
// {0} row of the table, {1} duty, {2} wanted, {3} on duty.
inline constexpr std::string_view kRequiredCombination =
    "組合せ必須{0}の職員が「{1}」に{2}人必要ですが{3}人です。";
// {0} run length, {1} the limit.
inline constexpr std::string_view kConsecutiveWork = "この日から{0}日連続の勤務です（上限{1}日）。";
// {0} work days, {1} target.
inline constexpr std::string_view kWorkDaysOver = "勤務日数が{0}日で、目標の{1}日を超えています。";
inline constexpr std::string_view kWorkDaysShort = "勤務日数が{0}日で、目標の{1}日に足りません。";
inline constexpr std::string_view kWorkDaysBelowLeast =
    "勤務日数が{0}日で、休日数の上限から決まる最少の{1}日に足りません。";
// {0} duty, {1} count, {2} the limit.
inline constexpr std::string_view kDutyCountShort = "「{0}」が{1}回で、下限の{2}回に足りません。";
inline constexpr std::string_view kDutyCountOver = "「{0}」が{1}回で、上限の{2}回を超えています。";
// {0} run length, {1} the shortest allowed.
inline constexpr std::string_view kRestRunShort = "この日からの休みが{0}日だけです（連休は{1}日以上）。";
inline constexpr std::string_view kWorkRunShort = "この日からの勤務が{0}日だけです（連勤は{1}日以上）。";
// {0} weekends worked up to this one, {1} the limit.
inline constexpr std::string_view kWeekendsOver =
    "この週末で勤務する週末が{0}回になります（上限{1}回）。";

}  // namespace tsumiki::rule_text
