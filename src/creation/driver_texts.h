#pragma once

#include <string_view>

#include "ui/host.h"

namespace tsumiki {

// Status texts of the creation run, with their colours (red in the low byte).
inline constexpr std::string_view kStatusPreparing = "準備中";
inline constexpr std::string_view kStatusRetrying = "再挑戦中！";
inline constexpr std::string_view kStatusDayFailed = "確保失敗! 再挑戦!!・中止ボタンで中止！";
inline constexpr std::string_view kStatusMonthFilled = "★★ 確保成功 ★★";
inline constexpr std::string_view kStatusOptimiseAndAdjust = "最適化と勤務日数調整を開始します！";
inline constexpr std::string_view kStatusOptimise = "最適化を開始します！";
inline constexpr std::string_view kStatusTooManyRestDays = "休みが多すぎる人が出ました。再挑戦！！";
inline constexpr std::string_view kStatusAllDone = "★★ 全て終了しました ★★";
inline constexpr std::string_view kStatusExactSearching = "厳密解法で探索中…";

inline constexpr Bgr kColourBlue = 0xFF0000;
inline constexpr Bgr kColourRed = 0x0000FF;
inline constexpr Bgr kColourPaleYellow = 0xFFFFC0;

// The cells the nearest month leaves open: yellow with a red border (ColorIndex).
inline constexpr int kOpenCellInterior = 6;
inline constexpr int kOpenCellBorder = 3;

// Pauses of the creation run, in milliseconds.
inline constexpr int kPauseDayFailedMs = 2000;
inline constexpr int kPauseMonthFilledMs = 1500;
inline constexpr int kPauseBeforeOptimiseMs = 2000;
inline constexpr int kPauseRetryMs = 2000;
inline constexpr int kPauseAllDoneMs = 3000;

// The question when a finished month leaves members short of their work days and
// the work-day adjustment is off.
inline constexpr std::string_view kRetryQuestionTitle = "再挑戦確認";
inline constexpr std::string_view kRetryQuestion =
    "休みが多すぎる人が出ました。再挑戦しますか？\n\n再挑戦する場合は「はい」\n"
    "手動で調整する場合は「いいえ」をクリックして下さい。";

// The closing message.
inline constexpr std::string_view kDoneTitle = "作成完了";
inline constexpr std::string_view kElapsedPrefix = "所要時間 ";

// The totals of single work days and single rest days.
inline constexpr std::string_view kTotalsTitle = "単勤単休総数";
inline constexpr std::string_view kNoRosterData = "データはありません";
inline constexpr std::string_view kSingleWorkLabel = "　単勤総数：";
inline constexpr std::string_view kSingleRestLabel = "　単休総数：";

// A month that cannot exist (titled as the pre-check's refusal): the proof's message, then the relaxation's heading
// ({0}: how many people-days in all) and its lines.
inline constexpr std::string_view kWhatMustGiveTitle = "作成に必要な変更";
inline constexpr std::string_view kNoMonth =
    "この条件を満たす勤務表はありません（厳密解法で証明しました）。";
inline constexpr std::string_view kLeastChange = "少なくとも次の {0} 人日を変えると作成できます：";
inline constexpr std::string_view kSomeChange =
    "次の {0} 人日を変えると作成できます（最少かどうかは時間内に確かめられませんでした）：";
inline constexpr std::string_view kNearestWritten =
    "不足のセルを空けた最も近い勤務表を書き込みました（黄色のセル）。";
inline constexpr std::string_view kRosterKept = "シフト表は作成前のままです。";
// The time limit passed before a month was whole: the open places of the best
// month found ({0}: how many lines follow).
inline constexpr std::string_view kOpenPlacesAtLimit =
    "制限時間内に作れた最も近い勤務表で、埋まらなかった枠（{0} 件）：";

// A creation run that stopped on a failure nobody expected (an unreadable cell, a
// store error): the first line of its message, followed by the cause.
inline constexpr std::string_view kCreationStoppedTitle = "作成中止";
inline constexpr std::string_view kCreationStopped = "シフト表の作成を中止しました。";
inline constexpr std::string_view kRosterRestored = "シフト表の内容は作成前に戻しました。";

}  // namespace tsumiki
