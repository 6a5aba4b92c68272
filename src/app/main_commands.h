#pragma once

#include <array>
#include <string>
#include <string_view>

#include "app/main_commands_help.h"
#include "app/session.h"
#include "creation/driver.h"

namespace tsumiki {

// Captions and tips of frm勤務管理's controls.
inline constexpr std::string_view kCreateButton = "シフト表作成";
inline constexpr std::string_view kCreateTip = "シフト表を作成します";
inline constexpr std::string_view kShowRosterButton = "シフト表示";
inline constexpr std::string_view kShowRosterTip = "シフト表シートに移動します";
inline constexpr std::string_view kClearRosterTip = "作成済みのシフト表をクリア";
inline constexpr std::string_view kReadjustMainButton = "再調整";
inline constexpr std::string_view kStartConditionsButton = "開始条件設定";
inline constexpr std::string_view kBasicSettingsButton = "基本設定";
inline constexpr std::string_view kStaffingButton = "要員数設定";
inline constexpr std::string_view kMemberConditionsButton = "個人条件設定";
inline constexpr std::string_view kSaveRestoreButton = "条件保存/読込";
inline constexpr std::string_view kSaveRestoreTip = "作成条件の保存と読み込み";
inline constexpr std::string_view kModeMenu = "確保優先方法";
inline constexpr std::string_view kTotalsMenu = "単勤/単休総数";
inline constexpr std::string_view kMainCloseButton = "閉じる";
inline constexpr std::string_view kMainCloseTip = "ツミキを終了します";

// The message of each creation mode, shown when its menu item is chosen.
struct ModeMessage {
  std::string_view title;
  std::string_view text;
};
inline constexpr std::array<ModeMessage, 3> kModeMessages = {{
    {"単勤単休最少化（高）",
     "単勤（休みに挟まれた一日だけの勤務）、単休（一日だけの休み）を高レベルで最少化してシフト表を"
     "作成します。"},
    {"単勤単休最少化（低）",
     "単勤（休みに挟まれた一日だけの勤務）、単休（一日だけの休み）を低レベルで最少化してシフト表を"
     "作成します。"},
    {"確保優先", "要員確保を最優先にして、シフト表を作成します。"},
}};

// A run stopped by the planner: the month on the sheet before it stands.
inline constexpr std::string_view kRunAbortedTitle = "中止";
// {0}: the month, "2027年1月".
inline constexpr std::string_view kRunAbortedText =
    "中止しました。\nシートのシフト表は作成前のまま（{0}）です。作りかけの月は残していません。";
inline constexpr std::string_view kRunAbortedNoMonthText =
    "中止しました。\nシートのシフト表は作成前のままです。作りかけの月は残していません。";

// The sheets the three sheet buttons go to.
enum class SheetButton {
  kBasicSettings,     // cmd基本設定 → 基本設定
  kStaffing,          // cmd要員設定 → 要員設定
  kMemberConditions,  // cmd個人別設定 → スケジュール
};

// What the main window's commands do, apart from start-up and shutdown (Session)
// and the windows they open (each has its own logic class).
class MainCommands {
 public:
  explicit MainCommands(Session& session) : session_(session) {}

  // cmd勤務表: the roster sheet in front, then the main window.
  void ShowRoster();
  // cmd基本設定, cmd要員設定, cmd個人別設定.
  void GoToSheet(SheetButton button);
  // cmd勤務表作成: the whole creation run, with the main window off the top while
  // it runs. A run the planner stops leaves the roster as it was before it and
  // says so. The run's notices and explanation are shown as it ends. `retry`
  // answers the run's question whether to build a month with too many rest days
  // again; without one the planner is asked in a message box.
  CreateResult CreateRoster(CreationDriver::RetryQuestion retry = {});
  // After a run that proved no month exists: the nearest month of its relaxation
  // on the roster sheet, the open cells marked. False when it could not be written
  // (the conditions were refused, or the members no longer fit).
  bool WriteNearestMonth(const exact::Relaxation& relaxation);
  // cmd勤務表クリア: "!先月下旬転送", then "!勤務Clear"; no question is asked.
  void ClearRoster();
  // The steps the readjust and start-condition buttons take before their window
  // opens (the windows themselves are ReadjustWindow and StartConditionsDialog).
  void PrepareReadjust();
  void PrepareStartConditions();
  // mnu単勤単休最少化(mode): ticks the item, stores the mode in Sw_確保優先 (a
  // failed write is ignored) and shows the mode's message, also when the item was
  // already ticked. Modes outside 0..2 are refused (false).
  bool SetCreationMode(int mode);
  // mnu単勤単休総数: the totals message; returns its text.
  std::string ShowTotals();
  // The help buttons: opens the page; returns the address, whether or not a
  // browser could be started. When none could, a message says where the page is
  // (its file, for a page on this machine), so the planner can open it by hand.
  std::string OpenHelp(const HelpPage& page);

 private:
  EngineContext Context() { return session_.Context(); }

  Session& session_;
};

}  // namespace tsumiki
