#pragma once

#include <string_view>

namespace tsumiki::cli {

// Texts of the command line itself, for the planner. The commands keep their own.

inline constexpr std::string_view kAppDescription =
    "ツミキ：ブックの条件から月間の勤務シフト表を作ります。";
inline constexpr std::string_view kGlobalGroup = "共通オプション";
inline constexpr std::string_view kOptionsGroup = "オプション";
inline constexpr std::string_view kWorkbookOptionHelp =
    "使うブックのファイル（省略時は現在のフォルダのブック）";
inline constexpr std::string_view kSeedOptionHelp = "乱数の種（同じ種なら同じ結果になります）";
inline constexpr std::string_view kBatchOptionHelp =
    "何も尋ねず待ち時間を省きます（質問には安全な答え：結果を残す、上書きしない、保存しない）";
inline constexpr std::string_view kSaveOptionHelp = "終わりにブックを保存します";
inline constexpr std::string_view kNoSaveOptionHelp = "ブックを保存しません";
inline constexpr std::string_view kHelpOptionHelp = "使い方を表示します";
inline constexpr std::string_view kVersionOptionHelp = "プログラムの版を表示します";

inline constexpr std::string_view kUsageErrorLead = "コマンドの指定が正しくありません：";
inline constexpr std::string_view kUsageHint = "使い方は「tsumiki --help」で表示できます。";
// {0}: the value as given.
inline constexpr std::string_view kBadSeedText =
    "--seed の値「{0}」は使えません。0 以上の整数で指定してください。";
inline constexpr std::string_view kEmptyWorkbookText =
    "--workbook には空でないファイル名を指定してください。";
inline constexpr std::string_view kNoCommandText = "コマンドを指定してください。";
inline constexpr std::string_view kUnexpectedErrorLead = "処理を続けられないエラーが起きました：";
inline constexpr std::string_view kNotSavedAfterError = "ブックは保存していません。";
// A --member that names nobody; {0}: the member number as given.
inline constexpr std::string_view kNoSuchMember =
    "職員番号「{0}」の職員が【個人条件設定】にいません。番号を確かめてください。";

// Answers of the message boxes as the terminal shows them.
inline constexpr std::string_view kAnswerOk = "OK";
inline constexpr std::string_view kAnswerCancel = "キャンセル";
inline constexpr std::string_view kAnswerYes = "はい";
inline constexpr std::string_view kAnswerNo = "いいえ";
// Follows the question when it is answered without asking: "（自動応答：いいえ）".
inline constexpr std::string_view kAutoAnswerLead = "（自動応答：";
inline constexpr std::string_view kAutoAnswerTail = "）";
inline constexpr std::string_view kPromptOkCancel = "OK(o) / キャンセル(c) > ";
inline constexpr std::string_view kPromptYesNo = "はい(y) / いいえ(n) > ";
inline constexpr std::string_view kPromptYesNoCancel = "はい(y) / いいえ(n) / キャンセル(c) > ";

// Written from the signal handler at the first Ctrl-C.
inline constexpr char kInterruptNote[] =
    "\n中断を受け付けました。区切りのよいところで止めます（もう一度 Ctrl-C で強制終了）。\n";

// How a command that was interrupted ended.
inline constexpr std::string_view kInterruptedNotSaved = "中断したため、ブックは保存していません。";
inline constexpr std::string_view kInterruptedAfterSave =
    "中断を受け付ける前に保存を始めていたため、保存を最後まで行いました。ブックは保存済みです。";
inline constexpr std::string_view kInterruptedEnd = "中断を受け付けたため、中断として終わります。";
inline constexpr std::string_view kInterruptedNoPdf = "中断したため、PDF は書き出していません。";

// `export --pdf` without the program that draws the page, or when it failed ({0}: the file).
inline constexpr std::string_view kPdfHelperMissing =
    "PDF を描くプログラム（tsumiki-pdf）が見つかりません。PDF の書き出しには tsumiki-gui "
    "パッケージが必要です（例：sudo apt install tsumiki-gui）。何も書き出していません。";
inline constexpr std::string_view kPdfHelperFailed =
    "「{0}」の PDF を描けませんでした。何も書き出していません。";

// The live progress line of a creation run.
inline constexpr std::string_view kProgressLead = "作成中";
inline constexpr std::string_view kProgressDayUnit = "日";
inline constexpr std::string_view kProgressPassLead = "第";
inline constexpr std::string_view kProgressPassTail = "回";
inline constexpr std::string_view kProgressRemainingLead = "残り ";
// A status text that came again: "再挑戦中！（1234 回目）".
inline constexpr std::string_view kRepeatLead = "（";
inline constexpr std::string_view kRepeatTail = " 回目）";

// The --day option of the commands that name a day of the roster.
inline constexpr std::string_view kRosterDayHelp = "日付の日（シフト表の見出しの日、1〜31）";
// {0}: the day as given.
inline constexpr std::string_view kNoSuchRosterDay =
    "{0}日はシフト表の期間にありません。シフト表の見出しの日を指定してください。";

}  // namespace tsumiki::cli
