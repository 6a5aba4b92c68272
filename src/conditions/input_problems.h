#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "workbook/workbook.h"

namespace tsumiki {

// A typed cell the program cannot understand. The loader shows these to the
// planner instead of reading the cell as 0.
struct InputProblem {
  std::string sheet;    // sheet name as in the workbook
  std::string cell;     // A1 address on that sheet
  std::string message;  // what is wrong and what to type instead, in Japanese
  bool operator==(const InputProblem&) const = default;
};

// Every problem of the typed cells, in sheet order. Reads only; a name the
// workbook lacks is left to the loader, which reports it with its own message.
std::vector<InputProblem> FindInputProblems(workbook::Workbook& book);

// Message patterns; {0}, {1} stand for the values named beside them.
namespace problem_text {
// {0}: the text typed.
inline constexpr std::string_view kUnknownScheduleAbbrev =
    "「{0}」は勤務種別の略称にありません。個人予定には「休」か、基本設定の略称を「,"
    "」で区切って入力してください。";
// {0}: the text typed.
inline constexpr std::string_view kUnknownReservationAbbrev =
    "「{0}」は勤務種別の略称にありません。予約表には基本設定の略称を入力してください。";
// {0}: the number of duty types.
inline constexpr std::string_view kNextDayBanOutside =
    "翌日禁止の印が勤務種別の範囲の外にあります。登録されている勤務種別（{0}"
    "種類）の行と列にだけ印を付けてください。";
// {0}: what the cell is, {1}: the text typed.
inline constexpr std::string_view kNotANumber = "{0}には数を入力してください（入力値「{1}」）。";
// {0}: the text typed.
inline constexpr std::string_view kMonthOutOfRange =
    "月は1から12までの数で入力してください（入力値「{0}」）。";
// {0}: what the cell is, {1}: the text typed.
inline constexpr std::string_view kDayOutOfRange =
    "{0}は1から31までの数で入力してください（入力値「{1}」）。";
// {0}: the text typed.
inline constexpr std::string_view kYearOutOfRange =
    "年は1900から9999までの数で入力してください（入力値「{0}」）。";
// {0}: the days of the period, {1}: the text typed.
inline constexpr std::string_view kDayOffOutOfRange =
    "休日数は0から{0}（期間の日数）までの数で入力してください（入力値「{1}」）。";
// {0}: the duty-type name after the gap.
inline constexpr std::string_view kTypeAfterGap =
    "勤務種別の一覧に空欄があります。空欄より後の「{0}"
    "」は使われません。勤務種別は上から詰めて入力してください。";
// {0}: the duty-type name.
inline constexpr std::string_view kMissingAbbrev =
    "勤務種別「{0}」の略称が空欄です。シフト表に表示する略称を入力してください。";

// {0}: the text typed, {1}: the month, {2}: its days.
inline constexpr std::string_view kBaseDayBeyondMonth =
    "基準開始日（{0}日）が{1}月の日数（{2}日）を超えています。{2}以下の日を入力してください。";
// {0}: the text typed.
inline constexpr std::string_view kNeedNotWhole =
    "必要人数には0以上の整数を入力してください（入力値「{0}」）。";
// {0}: the day of the period, {1}: the day's total need, {2}: the members.
inline constexpr std::string_view kNeedOverMembers =
    "{0}日目の必要人数の合計（{1}人）がメンバー数（{2}人）を超えています。";
// {0}: the text typed.
inline constexpr std::string_view kAttemptsNotPositive =
    "試行回数には1以上の整数を入力してください（入力値「{0}」）。";
// {0}: the text typed.
inline constexpr std::string_view kTimeLimitNotPositive =
    "制限時間（分）には0より大きい数を入力してください（入力値「{0}」）。";
// {0}: the text typed.
inline constexpr std::string_view kComboCountNotPositive =
    "組合せの人数には1以上の整数を入力してください（入力値「{0}」）。";
// {0}: the member number typed.
inline constexpr std::string_view kComboUnknownMember =
    "番号「{0}」のメンバーがいません。[個人条件設定]にある番号を入力してください。";

// {0}: what the cell is, {1}: what it may hold (kAtLeast…), {2}: the value typed.
inline constexpr std::string_view kOutsideRule = "{0}には{1}を入力してください（入力値「{2}」）。";
// {0}: a bound, {1}: kWholeNumber or kNumber.
inline constexpr std::string_view kAtLeast = "{0}以上の{1}";
inline constexpr std::string_view kAbove = "{0}より大きい{1}";
// {0}, {1}: the bounds, {2}: kWholeNumber or kNumber.
inline constexpr std::string_view kBetween = "{0}から{1}までの{2}";
inline constexpr std::string_view kWholeNumber = "整数";
inline constexpr std::string_view kNumber = "数";
// {0}: the name of the cell, {1}: the value typed.
inline constexpr std::string_view kNotAFlag =
    "{0}にはTRUEかFALSEを入力してください（入力値「{1}」）。";
// {0}: the text typed, {1}: the table.
inline constexpr std::string_view kUnknownPatternAbbrev =
    "「{0}」は勤務種別の略称にありません。{1}には基本設定の略称か「*」を入力してください。";
// {0}: the text typed.
inline constexpr std::string_view kUnknownPrevAbbrev =
    "「{0}」は勤務種別の略称にありません。先月の結果には基本設定の略称か「休」を入力してください。";
// {0}: the members.
inline constexpr std::string_view kReservationBeyondMembers =
    "メンバーのいない行に予約があります（メンバーは{0}人）。予約はメンバーの行に入力してください。";
// {0}: the members needed, {1}: the members listed.
inline constexpr std::string_view kComboCountOverListed =
    "組合せの人数（{0}人）が並べた番号の数（{1}人）を超えています。";

// What a numeric cell is, as named in kNotANumber and kDayOutOfRange.
inline constexpr std::string_view kYearCell = "年";
inline constexpr std::string_view kMonthCell = "月";
inline constexpr std::string_view kStartDayCell = "日（作成開始日）";
inline constexpr std::string_view kBaseDayCell = "基準開始日";
inline constexpr std::string_view kDayOffCell = "休日数";
inline constexpr std::string_view kNeedCell = "必要人数";
inline constexpr std::string_view kWeightCell = "最適化比重";
inline constexpr std::string_view kMaxConsecWorkCell = "連続勤務上限";
inline constexpr std::string_view kMaxConsecRestCell = "連続休み上限";
inline constexpr std::string_view kAttemptsCell = "試行回数";
inline constexpr std::string_view kTimeLimitCell = "制限時間（分）";
inline constexpr std::string_view kImproveSecondsCell = "改善時間（秒）";
inline constexpr std::string_view kCreationModeCell = "Sw_確保優先（作成モード）";
inline constexpr std::string_view kPastTotalsCell = "過去3ヶ月計";
inline constexpr std::string_view kComboCountCell = "組合せの数";
inline constexpr std::string_view kForbiddenPatternTable = "禁止パターン";
inline constexpr std::string_view kRequiredPatternTable = "必須パターン";
inline constexpr std::string_view kScoreWeightCell = "シフト評価の比重";
inline constexpr std::string_view kDesiredCell = "希望人数";
inline constexpr std::string_view kDesiredWeightCell = "希望人数の比重";
inline constexpr std::string_view kWishWeightCell = "希望の比重";
inline constexpr std::string_view kDutyLeastCell = "勤務回数の下限";
inline constexpr std::string_view kDutyMostCell = "勤務回数の上限";
inline constexpr std::string_view kRestRunLeastCell = "連休の最短日数";
inline constexpr std::string_view kWorkRunLeastCell = "連勤の最短日数";
inline constexpr std::string_view kWorkRunMostCell = "連勤の最長日数";
inline constexpr std::string_view kWeekendsMostCell = "週末勤務の上限";
inline constexpr std::string_view kDayOffMostCell = "休日数の上限";

// {0}: the text typed.
inline constexpr std::string_view kUnknownWishAbbrev =
    "「{0}」は勤務種別の略称にありません。希望には基本設定の略称か「休」を入力してください。";
// {0}: the least, {1}: the most.
inline constexpr std::string_view kDutyLeastOverMost =
    "勤務回数の下限（{0}回）が上限（{1}回）を超えています。";
inline constexpr std::string_view kWorkRunLeastOverMost =
    "連勤の最短（{0}日）が最長（{1}日）を超えています。";
inline constexpr std::string_view kDayOffMostBelow =
    "休日数の上限（{1}日）が休日数（{0}日）より少なくなっています。休日数以上の日数にしてください。";
// {0}: the weight typed.
inline constexpr std::string_view kWishWeightAlone =
    "希望の比重（{0}）に対応する希望がありません。左の希望の表の同じ位置に略称か「休」を入力してください。";
}  // namespace problem_text

}  // namespace tsumiki
