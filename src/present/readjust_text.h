#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conditions/condition_model.h"
#include "optimise/readjust_search.h"

namespace tsumiki {

// Captions of frm再調整.
inline constexpr std::string_view kReadjustForm = "frm再調整";
inline constexpr std::string_view kReadjustCaption = "スケジュール再調整";
inline constexpr std::string_view kReadjustLabelSelect = "休みに設定するセルを選択して";
inline constexpr std::string_view kReadjustLabelPress =
    "[ 休みに変更 ] ボタンをクリックしてください。";
inline constexpr std::string_view kReadjustLabelName = "氏名";
inline constexpr std::string_view kReadjustLabelDuty = "勤務名";
inline constexpr std::string_view kReadjustButton = "休みに変更";
inline constexpr std::string_view kUndoButton = "戻す";
inline constexpr std::string_view kCloseButton = "閉じる";

// Messages and titles.
inline constexpr std::string_view kEmptyCellMessage = "選択セルは空白(休み)です！";
inline constexpr std::string_view kEmptyCellTitle = "無効";
inline constexpr std::string_view kReadjustQuestionTitle = "再調整";
inline constexpr std::string_view kReadjustFailedMessage = "調整失敗";
// A cell of the month's last day, refused before any question. {0}: its date.
inline constexpr std::string_view kLastDayRefusal =
    "{0} は月の最終日です。\n最終日の勤務は翌日との入れ替えで勤務日数を釣り合わせられないため、"
    "再調整では休みにできません。";
// Below 調整失敗: {0}: the date, {1}: the duty, {2}: member number, {3}: name.
inline constexpr std::string_view kDirectRefusalsHeading =
    "{0} の {1}（{2} {3}）を直接入れ替えられなかった理由：";
inline constexpr std::string_view kNobodyOffThatDay = "　この日に休みの職員がいません";
inline constexpr std::string_view kProposalTitle = "勤務調整";
inline constexpr std::string_view kProposalLead = "以下のように勤務を入れ替えて調整します";
inline constexpr std::string_view kProposalQuestion = "入れ替えますか？";
// A chain step whose direct exchange succeeded where it had just failed.
inline constexpr std::string_view kReadjustImpossibleMessage = "ありえね～";

// Colour indexes of the marked cells; a cell put back gets its own format again.
inline constexpr int kMarkInterior = 5;
inline constexpr int kMarkBorder = 3;
inline constexpr int kKeepInterior = -1;

// A calendar date; day d of the roster is the base date plus d - 1.
using Date = std::chrono::sys_days;

// The date of day 1 from 年, 月 and 基準開始日 as the spreadsheet's DATE does it:
// a base day past the month's end runs on into the next month. nullopt for a year
// outside 1900..9999 or a month outside 1..12 (nothing sensible to show).
std::optional<Date> BaseDate(int year, int month, int base_day);
Date DayDate(Date base, int day);
// "2013/2/28(木)": year, month and day without leading zeros, the weekday in
// Japanese.
std::string DateWithWeekday(Date date);
// "2013/02/28": the short date of the proposal lines.
std::string ShortDate(Date date);

// The question before a search: date, member and duty of the selected cell.
std::string ReadjustQuestion(std::string_view date_text, std::string_view member_name,
                             std::string_view duty_name);

// The proposal: the lead, then one line per exchange with the date and both
// members ("2013/02/28日　<101 山田> ⇔ <105 佐藤>"), then the question.
std::string ProposalText(const std::vector<Exchange>& exchanges, const ConditionModel& model,
                         std::optional<Date> base);

}  // namespace tsumiki
