#pragma once

#include <string_view>

// Every text of the staffing pre-check and of the refusal explanation. Patterns
// take {0}, {1}, ... (layout::Format).
namespace tsumiki::refusal_text {

// --- Why a member may not take a duty on a day ---------------------------------
inline constexpr std::string_view kCanTake = "就けます";
inline constexpr std::string_view kOnThisDuty = "この勤務に入っています";
// {0}: the abbreviation of the duty the member already holds that day.
inline constexpr std::string_view kOnOtherDuty = "他の勤務（{0}）に入っています";
inline constexpr std::string_view kDayOffRequest = "休み希望";
inline constexpr std::string_view kDutyBan = "その日の勤務不可";
inline constexpr std::string_view kNextDayBan = "前日の勤務の翌日禁止";
inline constexpr std::string_view kForbiddenPattern = "禁止パターン";
inline constexpr std::string_view kNextDayReservation = "翌日の予約";
inline constexpr std::string_view kForbiddenCombo = "組合せ禁止";
inline constexpr std::string_view kConsecutiveLimit = "連続勤務上限";
inline constexpr std::string_view kOwnLongestRun = "この職員の連勤の最長";
inline constexpr std::string_view kExtraLimit = "勤務回数・週末・連休の条件";
inline constexpr std::string_view kTargetReached = "勤務日数に達した";
inline constexpr std::string_view kRequiredPattern = "必須パターン";

// --- Why a direct exchange of the readjustment was refused -----------------------
// Besides the reasons above, which concern the member who would take the duty.
inline constexpr std::string_view kExchangeReserved = "休みにする勤務は予約です";
inline constexpr std::string_view kExchangeRestBreaksPattern =
    "休むと前日からの必須パターンが崩れる";
inline constexpr std::string_view kExchangeRestRunLimit = "休むと連続休み上限を超える";
inline constexpr std::string_view kExchangeRequiredCombo = "組合せ必須";
// {0}: the abbreviation of the member's duty on the next day.
inline constexpr std::string_view kExchangeNextDayDuty = "翌日の勤務（{0}）が翌日禁止";
inline constexpr std::string_view kExchangeOtherRule = "入れ替え後の勤務の条件";

// --- The explanation of one day and duty ----------------------------------------
inline constexpr std::string_view kExplanationTitle = "勤務に就けない理由";
// {0}: the date, {1}: the duty's abbreviation, {2}: staff needed.
inline constexpr std::string_view kExplainHeading = "【{0} {1}（必要 {2} 人）】";
// {0}: member number, {1}: name, {2}: the reason.
inline constexpr std::string_view kMemberLine = "　{0} {1}：{2}";

// --- The pre-check --------------------------------------------------------------
inline constexpr std::string_view kCannotStaffTitle = "作成不可";
// {0}: staff-days asked, {1}: work days the targets allow, {2}: the difference.
inline constexpr std::string_view kTotalShortfall =
    "必要人数の合計は {0} 人日ですが、職員の勤務日数の目標の合計は {1} 日です（{2} 人日不足）。\n"
    "必要人数を減らすか、休みの日数を減らすか、職員を増やしてください。";
// {0}: the date, {1}: the duty, {2}: staff needed, {3}: members who may take it.
inline constexpr std::string_view kDayShortfall =
    "{0} の {1} は {2} 人必要ですが、就ける職員は {3} 人です。";
// {0}: the date, {1}: each duty with its need, {2}: staff needed in all, {3}: the
// most that can be placed at once.
inline constexpr std::string_view kWholeDayShortfall =
    "{0} は {1}、合わせて {2} 人必要ですが、一人が一日に一つの勤務に就くと、同時に配置できるのは {3} 人です。";
// {0}: a duty's abbreviation, {1}: its need.
inline constexpr std::string_view kDutyNeed = "{0} {1} 人";
inline constexpr std::string_view kDutyJoiner = "・";
// {0}: the abbreviations of the duties the member may take that day.
inline constexpr std::string_view kMayTakeDuties = "就ける勤務：{0}";
inline constexpr std::string_view kDayShortfallAdvice =
    "その日の必要人数を減らすか、休み希望・勤務不可・予約を見直してください。";
// {0}: member number, {1}: name, {2}: the target, {3}: days the member can work.
inline constexpr std::string_view kMemberShortfall =
    "{0} {1} の勤務日数の目標は {2} 日ですが、勤務できる日は多くて {3} 日です"
    "（休み希望・勤務不可・連続勤務上限）。\n"
    "この職員の休みの日数を増やすか、休み希望・勤務不可・連続勤務上限を見直してください。";

// --- The pre-check of the counts per duty, the weekends and the shortest runs ----
// {0}: member number, {1}: name, {2}: the least counts together, {3}: their cells,
// {4}: the work-day target.
inline constexpr std::string_view kLeastSumOverTarget =
    "{0} {1} の勤務回数の下限（{3}）は合わせて {2} 回ですが、勤務日数の目標は {4} 日です。\n"
    "下限を減らすか、この職員の休みの日数を減らしてください。";
// As above; {4}: the most days the member can work.
inline constexpr std::string_view kLeastSumOverDays =
    "{0} {1} の勤務回数の下限（{3}）は合わせて {2} 回ですが、勤務できる日は多くて {4} 日です"
    "（休み希望・勤務不可・連続勤務上限）。\n"
    "下限を減らすか、休み希望・勤務不可・連続勤務上限を見直してください。";
// {0}: member number, {1}: name, {2}: the duty, {3}: its least count, {4}: the
// cell, {5}: the days the member may take that duty.
inline constexpr std::string_view kLeastOverAbleDays =
    "{0} {1} の「{2}」の下限は {3} 回（{4}）ですが、「{2}」に就ける日は {5} 日です"
    "（休み希望・勤務不可・予約）。\n"
    "下限を減らすか、この職員の個人予定・予約を見直してください。";
// {0}: member number, {1}: name, {2}: the most counts together, {3}: their cells,
// {4}: the work-day target.
inline constexpr std::string_view kMostSumBelowTarget =
    "{0} {1} の勤務回数の上限（{3}）は合わせて {2} 回ですが、勤務日数の目標は {4} 日です。\n"
    "上限を上げるか、この職員の休みの日数を増やしてください。";
// {0}: member number, {1}: name, {2}: the duty, {3}: how often the reservations and
// the days before the start day give it, {4}: the most count, {5}: its cell.
inline constexpr std::string_view kGivenOverMost =
    "{0} {1} の「{2}」は予約と作成開始日より前の日で {3} 回ありますが、上限は {4} 回（{5}）です。\n"
    "上限を上げるか、予約を見直してください。";
// {0}: the duty, {1}: its staff needed in the period, {2}: the most counts' cells,
// {3}: the most the members can take it, {4}: the difference.
inline constexpr std::string_view kDutyMostShortfall =
    "「{0}」の必要人数は期間中に延べ {1} 人ですが、勤務回数の上限（{2}）と個人予定では"
    "延べ {3} 回までです（{4} 人不足）。\n"
    "「{0}」の上限を上げるか、必要人数を減らしてください。";
// {0}: staff-weekends needed, {1}: the most the members can work, {2}: the
// difference; the members with a limit follow, one line each.
inline constexpr std::string_view kWeekendShortfall =
    "週末の勤務には延べ {0} 人（各週末で必要人数の最も多い日の合計）が必要ですが、"
    "週末勤務の上限と個人予定では延べ {1} 人までです（{2} 人不足）。\n"
    "週末勤務の上限を上げるか、週末の必要人数を減らしてください。上限のある職員：";
// {0}: the most weekends, {1}: the cell.
inline constexpr std::string_view kWeekendLimitOf = "上限 {0} 回（{1}）";
// {0}: member number, {1}: name, {2}: the shortest runs with their cells, {3}: days
// in the period, {4}: the work-day target.
inline constexpr std::string_view kRunsCannotFit =
    "{0} {1} は{2}では、{3} 日の期間に勤務日数の目標 {4} 日を組めません"
    "（休み希望・勤務不可・予約・連続勤務上限を含めて）。\n"
    "{2}を短くするか、この職員の休みの日数・連続勤務上限を見直してください。";
// {0}: the shortest run in days, {1}: its cell.
inline constexpr std::string_view kRestRunPart = "連休の最短 {0} 日（{1}）";
inline constexpr std::string_view kWorkRunPart = "連勤の最短 {0} 日（{1}）";

}  // namespace tsumiki::refusal_text
