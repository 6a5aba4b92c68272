#pragma once

#include <array>
#include <string_view>

// Every text the condition loader shows: status texts, validation messages and
// their titles. Patterns take {0}, {1} (layout::Format).
namespace tsumiki::load_text {

// --- Status texts -------------------------------------------------------------
inline constexpr std::string_view kStatusPastTotals = "過去3ヶ月累計読込中";
inline constexpr std::string_view kStatusMembers = "個人別条件読込中";
inline constexpr std::string_view kStatusStaffing = "要員設定読込み中";
inline constexpr std::string_view kStatusReservations = "予約設定中！";
inline constexpr std::string_view kStatusPrevMonth = "先月結果読み込み中！";

// --- Member list ----------------------------------------------------------------
// {0}: the cell ("スケジュール!B7"), so the planner can go straight to it.
inline constexpr std::string_view kBlankNumber =
    "番号が空白です！（{0}）\n[個人条件設定]を確認してください！";
inline constexpr std::string_view kBlankName =
    "氏名が空白です！（{0}）\n[個人条件設定]を確認してください！";
// {0}: the cell, {1}: what it holds.
inline constexpr std::string_view kBadMemberNumber =
    "番号「{1}」は使えません（{0}）。番号は1〜999999999の整数で入力してください！";
inline constexpr std::string_view kCountMismatch =
    "「個人条件設定」で[番号]と[名前]の数が一致しません！\n[番号]が空白になっていませんか？\n["
    "番号]は入力必須です！";
inline constexpr std::string_view kCountMismatchTitle = "入力エラー";
// {0}: the number both rows hold, {1}: the second row's cell, {2}: the first one's cell.
inline constexpr std::string_view kDuplicateNumber =
    "番号{0}が重複しています！（{1} と {2}）[個人条件設定]を確認してください！";

// --- Combination tables ---------------------------------------------------------
inline constexpr std::string_view kUnknownForbiddenComboType =
    "【要員設定】の【組合せ禁止パターン】で規定外の勤務種別が設定されています！";
inline constexpr std::string_view kUnknownRequiredComboType =
    "【要員設定】の【組合せ必須パターン】で規定外の勤務種別が設定されています！";
// {0}: the row of 組合せ必須. "*" cannot be required: the filling needs one duty's staffing.
inline constexpr std::string_view kAnyTypeRequiredCombo =
    "【要員設定】の【組合せ必須パターン】の{0}行目で「*」が設定されています！"
    "組合せ必須には勤務種別を1つ指定してください！";
inline constexpr std::string_view kComboTitle = "データエラー";

// --- Reservations the schedule bars (a warning: the reservation wins) ------------
inline constexpr std::string_view kReservationOverScheduleLead =
    "予約と個人予定が重なっています。予約を優先して作成します。";
// {0}: member number, {1}: name, {2}: the date, {3}: the reserved duty,
// {4}: the reservation's cell, {5}: the schedule text, {6}: the schedule's cell.
inline constexpr std::string_view kReservationOverScheduleLine =
    "・{0} {1} の{2}：予約「{3}」（{4}）、個人予定「{5}」（{6}）";

// --- Conditions no month can keep --------------------------------------------
inline constexpr std::string_view kContradictionTitle = "条件の矛盾";
// {0}: the sequence's cell, {1}/{2}: its duties, {3}: the ban's cell.
inline constexpr std::string_view kRequiredAgainstBan =
    "必須パターン（{0}）の「{1}→{2}」を翌日禁止（{3}）が禁じています。どちらかを直してください！";
// {0}: the sequence's cell, {1}/{2}: its duties, {3}: the forbidden sequence's cell.
inline constexpr std::string_view kRequiredAgainstForbidden =
    "必須パターン（{0}）の「{1}→{2}」を禁止パターン（{3}）が禁じています。どちらかを直してください！";
// {0}: number and name, {1}/{2}: the first reservation and its cell, {3}/{4}: the
// next day's, {5}: the ban's cell.
inline constexpr std::string_view kReservationsAgainstBan =
    "{0} の予約「{1}」（{2}）の翌日の予約「{3}」（{4}）を翌日禁止（{5}）が禁じています。"
    "予約か翌日禁止を直してください！";
// {0}: number and name, {1}/{2}: the reservation and its cell, {3}: the sequence's
// cell, {4}: the duty it requires, {5}/{6}: the next day's reservation and its cell.
inline constexpr std::string_view kReservationsAgainstRequired =
    "{0} の予約「{1}」（{2}）の翌日は必須パターン（{3}）で「{4}」ですが、予約は「{5}」（{6}）です。"
    "予約か必須パターンを直してください！";

// --- Reads the load cannot go on from -----------------------------------------
// Shown before the workbook's own description of the place and the fault.
inline constexpr std::string_view kReadFailureLead =
    "条件を読み込めませんでした。次の場所を確認してください。\n";
// Details of limit failures (appended to the place by the workbook error).
inline constexpr std::string_view kTooManyTypes = "勤務種別は10種類までです";
inline constexpr std::string_view kTooManyPatterns = "パターンは11件までです";
inline constexpr std::string_view kTooManyComboRows = "組合せは16行までです";
inline constexpr std::string_view kTooManyWeights = "最適化比重は12個までです";
inline constexpr std::string_view kNegativeCount = "0以上の数を入力してください";
// {0}: the roster's area, {1}: the other name, {2}: its area.
inline constexpr std::string_view kAreasOverlap =
    "シフト表（{0}）が「{1}」（{2}）と重なっています。Time_Tableの範囲を直してください";
// {0}: the roster's area, {1}: the title's text, {2}: its cell.
inline constexpr std::string_view kRosterOverTitle =
    "シフト表（{0}）が見出し「{1}」（{2}）と重なっています。Time_Tableの範囲を直してください";
// Short names of duty types (略称).
inline constexpr std::string_view kAbbrevBlank = "勤務種別の略称が空白です";
inline constexpr std::string_view kAbbrevReserved =
    "「休」と「*」は略称に使えません（休みと任意の勤務を表します）";
// {0}: the character found.
inline constexpr std::string_view kAbbrevBadChar = "略称に「{0}」は使えません";
inline constexpr std::array<std::string_view, 8> kAbbrevForbiddenChars{
    ",", "，", "、", "・", "?", "？", " ", "　"};
// {0}: the cell that already holds this short name.
inline constexpr std::string_view kAbbrevDuplicate = "略称が{0}と同じです。略称は種別ごとに変えてください";
// {0}: the typed start day of the month, {1}/{2}: the first and last day of the period.
inline constexpr std::string_view kStartDayOutside =
    "作成開始日が作成期間の外です（{0}日、期間は{1}〜{2}）。\n"
    "[開始条件設定]で日と基準開始日を確認してください！";

// --- Typed cells the program cannot understand ----------------------------------
inline constexpr std::string_view kInputProblemsLead =
    "入力内容に問題があります。次のセルを確認してください！";
// {0}: sheet, {1}: cell, {2}: what is wrong.
inline constexpr std::string_view kInputProblemLine = "・{0}!{1}：{2}";
// {0}: how many more problems there are.
inline constexpr std::string_view kInputProblemsMore = "ほか{0}件";
inline constexpr std::string_view kInputProblemsTitle = "入力エラー";

}  // namespace tsumiki::load_text
