#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "workbook/a1_reference.h"
#include "workbook/workbook.h"

// The roster workbook's layout: every sheet and every defined name the program
// touches, in one place. No other file spells a workbook name; code refers to the
// constants below. Where the cells lie on a sheet is the template's business
// (sample_template.cpp): readers only go through the names.
namespace tsumiki::layout {

// --- Sheets -------------------------------------------------------------------
inline constexpr std::string_view kSheetMain = "Main";
inline constexpr std::string_view kSheetBasic = "基本設定";
inline constexpr std::string_view kSheetStaffing = "要員設定";
inline constexpr std::string_view kSheetSchedule = "スケジュール";
inline constexpr std::string_view kSheetReservation = "予約表";
inline constexpr std::string_view kSheetRoster = "人員配置表";
inline constexpr std::string_view kSheetHistory = "過去データ";
inline constexpr std::string_view kSheetNameList = "名前リスト";

// The cell that hands the path of a conditions file to the save and restore macros.
inline constexpr std::string_view kConditionsPathSheet = kSheetNameList;
inline constexpr std::string_view kConditionsPathCell = "C1";

// --- Macros, as the session runs them (after the workbook's file name) -------
inline constexpr std::string_view kMacroClear = "!勤務Clear";
inline constexpr std::string_view kMacroTransfer = "!先月下旬転送";
inline constexpr std::string_view kMacroColour = "!勤務色置換";
inline constexpr std::string_view kMacroSaveConditions = "!条件保存";
inline constexpr std::string_view kMacroLoadConditions = "!条件読込";

// How a name is looked up: through its sheet (the sheet's own names first, then the
// workbook's) or against the workbook alone.
enum class Scope { kSheet, kWorkbook };

// How readers turn a cell into a value (the loader applies these).
enum class ReadMode {
  kDisplayedNumber,  // displayed text, then its leading number
  kValueTextNumber,  // value as text, then its leading number
  kInteger16,        // value rounded half to even; text is a failure
  kInteger32,
  kSingle,       // single-precision number
  kText,         // value as text
  kEqualsTrue,   // the logical value TRUE
  kEqualsFalse,  // the logical value FALSE
  kNumber,       // a plain number
};

// Who fills the cells of a name.
enum class Role {
  kTyped,    // the planner types it (an input area of the conditions)
  kDerived,  // computed by the recalculator from the typed cells
  kProgram,  // written by the program or a macro (the roster, run settings)
  kDisplay,  // derived labels that only help the planner read a sheet
};

struct NameSpec {
  std::string_view name;
  std::string_view sheet;  // the sheet it lies on; for kSheet also the lookup sheet
  Scope scope;
  int rows;  // size in the template; readers take whatever size the book has
  int columns;
  ReadMode mode;
  Role role;
  bool optional = false;  // a workbook may lack it
};

// clang-format off
// 基本設定
inline constexpr NameSpec kTypeCnt{"Type_Cnt", kSheetBasic, Scope::kSheet, 1, 1, ReadMode::kDisplayedNumber, Role::kDerived};
inline constexpr NameSpec kTypeAbbrev{"略称", kSheetBasic, Scope::kSheet, 10, 1, ReadMode::kText, Role::kTyped};
inline constexpr NameSpec kTypeNames{"Type_Table_Org", kSheetBasic, Scope::kSheet, 10, 1, ReadMode::kText, Role::kTyped};
inline constexpr NameSpec kTypeList{"Type_Table_List", kSheetBasic, Scope::kSheet, 10, 2, ReadMode::kText, Role::kDerived};
inline constexpr NameSpec kNextDayBanInput{"翌日禁止", kSheetBasic, Scope::kSheet, 10, 10, ReadMode::kText, Role::kTyped};
inline constexpr NameSpec kDayBefore{"DayBefore_Table", kSheetBasic, Scope::kSheet, 1, 10, ReadMode::kInteger32, Role::kDerived};
inline constexpr NameSpec kMaxConsecWork{"連続勤務上限", kSheetBasic, Scope::kSheet, 1, 1, ReadMode::kValueTextNumber, Role::kTyped};
inline constexpr NameSpec kMaxConsecRest{"連続休み上限", kSheetBasic, Scope::kSheet, 1, 1, ReadMode::kValueTextNumber, Role::kTyped};
inline constexpr NameSpec kForbiddenPatternCnt{"Kinsi_Pattern_Cnt", kSheetBasic, Scope::kSheet, 1, 1, ReadMode::kInteger16, Role::kTyped};
inline constexpr NameSpec kForbiddenPatterns{"禁止パターン", kSheetBasic, Scope::kSheet, 11, 5, ReadMode::kText, Role::kTyped};
inline constexpr NameSpec kRequiredPatternCnt{"Hissu_Pattern_Cnt", kSheetBasic, Scope::kSheet, 1, 1, ReadMode::kInteger16, Role::kTyped};
inline constexpr NameSpec kRequiredPatterns{"必須パターン", kSheetBasic, Scope::kSheet, 11, 2, ReadMode::kText, Role::kTyped};
inline constexpr NameSpec kPreventSingleWork{"単日勤務防止", kSheetBasic, Scope::kSheet, 1, 1, ReadMode::kEqualsTrue, Role::kTyped};
inline constexpr NameSpec kWorkDayAdjust{"勤務日数調整", kSheetBasic, Scope::kSheet, 1, 1, ReadMode::kEqualsFalse, Role::kTyped, true};
inline constexpr NameSpec kWorkFocus{"勤務集中", kSheetBasic, Scope::kSheet, 1, 1, ReadMode::kEqualsTrue, Role::kTyped, true};

// Workbook-level names
inline constexpr NameSpec kDayCnt{"Day_Cnt", kSheetMain, Scope::kWorkbook, 1, 1, ReadMode::kDisplayedNumber, Role::kDerived};
inline constexpr NameSpec kStatusPosition{"進行状況表示", kSheetMain, Scope::kWorkbook, 1, 1, ReadMode::kInteger16, Role::kTyped, true};
inline constexpr NameSpec kWeights{"最適化比重", kSheetBasic, Scope::kWorkbook, 12, 1, ReadMode::kValueTextNumber, Role::kTyped};
inline constexpr NameSpec kUsePast{"過去累計使用", kSheetHistory, Scope::kWorkbook, 1, 1, ReadMode::kEqualsTrue, Role::kTyped, true};
inline constexpr NameSpec kPastTotals{"過去3ヶ月計", kSheetHistory, Scope::kWorkbook, 100, 11, ReadMode::kInteger16, Role::kTyped};
inline constexpr NameSpec kUsePrevMonth{"初期値使用", kSheetHistory, Scope::kWorkbook, 1, 1, ReadMode::kEqualsTrue, Role::kTyped};
inline constexpr NameSpec kPrevCount{"先月_数", kSheetHistory, Scope::kWorkbook, 1, 1, ReadMode::kNumber, Role::kDerived};
inline constexpr NameSpec kPrevMonth{"先月_月", kSheetHistory, Scope::kWorkbook, 1, 1, ReadMode::kNumber, Role::kTyped};
inline constexpr NameSpec kPrevTail{"先月_結果", kSheetHistory, Scope::kWorkbook, 100, 10, ReadMode::kText, Role::kTyped};

// スケジュール
inline constexpr NameSpec kMemberCnt{"Member_Cnt", kSheetSchedule, Scope::kSheet, 1, 1, ReadMode::kDisplayedNumber, Role::kDerived};
inline constexpr NameSpec kMemberList{"Member_List", kSheetSchedule, Scope::kSheet, 100, 2, ReadMode::kText, Role::kTyped};
inline constexpr NameSpec kNumberCount{"番号数", kSheetSchedule, Scope::kSheet, 1, 1, ReadMode::kNumber, Role::kDerived};
inline constexpr NameSpec kNameCount{"名前数", kSheetSchedule, Scope::kSheet, 1, 1, ReadMode::kNumber, Role::kDerived};
inline constexpr NameSpec kScheduleCount{"個人条件数", kSheetSchedule, Scope::kSheet, 1, 1, ReadMode::kNumber, Role::kDerived, true};
inline constexpr NameSpec kScheduleInput{"個人予定", kSheetSchedule, Scope::kSheet, 100, 31, ReadMode::kText, Role::kTyped};
inline constexpr NameSpec kMemberScdl{"Member_Scdl", kSheetSchedule, Scope::kSheet, 100, 31, ReadMode::kValueTextNumber, Role::kDerived};
inline constexpr NameSpec kMemberDayOff{"Member_DayOff", kSheetSchedule, Scope::kSheet, 100, 1, ReadMode::kNumber, Role::kTyped};

// 要員設定
inline constexpr NameSpec kNeedTable{"Need_Table", kSheetStaffing, Scope::kSheet, 10, 31, ReadMode::kInteger16, Role::kTyped};
inline constexpr NameSpec kForbiddenComboCnt{"組合せ禁止数", kSheetStaffing, Scope::kSheet, 1, 1, ReadMode::kInteger16, Role::kTyped};
inline constexpr NameSpec kForbiddenCombos{"組合せ禁止", kSheetStaffing, Scope::kSheet, 16, 99, ReadMode::kText, Role::kTyped};
inline constexpr NameSpec kRequiredComboCnt{"組合せ必須数", kSheetStaffing, Scope::kSheet, 1, 1, ReadMode::kInteger16, Role::kTyped};
inline constexpr NameSpec kRequiredCombos{"組合せ必須", kSheetStaffing, Scope::kSheet, 16, 99, ReadMode::kText, Role::kTyped};

// 予約表
inline constexpr NameSpec kReservationCnt{"予約数", kSheetReservation, Scope::kSheet, 1, 1, ReadMode::kInteger16, Role::kDerived};
inline constexpr NameSpec kMemberRsv{"Member_Rsv", kSheetReservation, Scope::kSheet, 100, 31, ReadMode::kText, Role::kTyped};

// 人員配置表
inline constexpr NameSpec kTimeTable{"Time_Table", kSheetRoster, Scope::kSheet, 100, 31, ReadMode::kText, Role::kProgram};
inline constexpr NameSpec kStdDev{"標準偏差", kSheetRoster, Scope::kSheet, 1, 1, ReadMode::kNumber, Role::kDerived};
inline constexpr NameSpec kRestDeviation{"休み偏差", kSheetRoster, Scope::kSheet, 1, 1, ReadMode::kNumber, Role::kDerived};
inline constexpr NameSpec kRestBalance{"休み増減計", kSheetRoster, Scope::kSheet, 1, 1, ReadMode::kNumber, Role::kDerived};
inline constexpr NameSpec kSelectedRow{"行番号", kSheetRoster, Scope::kSheet, 1, 1, ReadMode::kInteger16, Role::kDerived};
inline constexpr NameSpec kSelectedColumn{"列番号", kSheetRoster, Scope::kSheet, 1, 1, ReadMode::kInteger16, Role::kDerived};

// Main (run settings of the last run; the sheet is also addressed as "main")
inline constexpr NameSpec kYear{"年", kSheetMain, Scope::kSheet, 1, 1, ReadMode::kValueTextNumber, Role::kProgram};
inline constexpr NameSpec kMonth{"月", kSheetMain, Scope::kSheet, 1, 1, ReadMode::kValueTextNumber, Role::kProgram};
inline constexpr NameSpec kStartDayOfMonth{"日", kSheetMain, Scope::kSheet, 1, 1, ReadMode::kValueTextNumber, Role::kProgram};
inline constexpr NameSpec kBaseStartDay{"基準開始日", kSheetMain, Scope::kSheet, 1, 1, ReadMode::kValueTextNumber, Role::kProgram};
inline constexpr NameSpec kAttempts{"試行回数", kSheetMain, Scope::kSheet, 1, 1, ReadMode::kInteger32, Role::kProgram};
inline constexpr NameSpec kTimeLimit{"制限時間", kSheetMain, Scope::kSheet, 1, 1, ReadMode::kSingle, Role::kProgram};
inline constexpr NameSpec kImproveSeconds{"改善時間", kSheetMain, Scope::kSheet, 1, 1, ReadMode::kSingle, Role::kProgram, true};
inline constexpr NameSpec kCreationMode{"Sw_確保優先", kSheetMain, Scope::kSheet, 1, 1, ReadMode::kNumber, Role::kProgram};

// Conditions beyond the staffing table and the schedule, every one optional: a
// workbook without the name states no such condition.
inline constexpr NameSpec kScoreWeight{"Score_Weight", kSheetBasic, Scope::kSheet, 1, 1, ReadMode::kSingle, Role::kTyped, true};
inline constexpr NameSpec kDesiredStaff{"Desired_Table", kSheetStaffing, Scope::kSheet, 10, 31, ReadMode::kInteger16, Role::kTyped, true};
inline constexpr NameSpec kDesiredWeight{"Desired_Weight", kSheetStaffing, Scope::kSheet, 10, 1, ReadMode::kSingle, Role::kTyped, true};
inline constexpr NameSpec kWishTable{"Wish_Table", kSheetSchedule, Scope::kSheet, 100, 31, ReadMode::kText, Role::kTyped, true};
inline constexpr NameSpec kWishWeight{"Wish_Weight", kSheetSchedule, Scope::kSheet, 100, 31, ReadMode::kInteger16, Role::kTyped, true};
inline constexpr NameSpec kDutyLeast{"Duty_Least", kSheetSchedule, Scope::kSheet, 100, 10, ReadMode::kInteger16, Role::kTyped, true};
inline constexpr NameSpec kDutyMost{"Duty_Most", kSheetSchedule, Scope::kSheet, 100, 10, ReadMode::kInteger16, Role::kTyped, true};
inline constexpr NameSpec kRestRunLeast{"Rest_Run_Least", kSheetSchedule, Scope::kSheet, 100, 1, ReadMode::kInteger16, Role::kTyped, true};
inline constexpr NameSpec kWorkRunLeast{"Work_Run_Least", kSheetSchedule, Scope::kSheet, 100, 1, ReadMode::kInteger16, Role::kTyped, true};
inline constexpr NameSpec kWorkRunMost{"Work_Run_Most", kSheetSchedule, Scope::kSheet, 100, 1, ReadMode::kInteger16, Role::kTyped, true};
inline constexpr NameSpec kWeekendsMost{"Weekend_Most", kSheetSchedule, Scope::kSheet, 100, 1, ReadMode::kInteger16, Role::kTyped, true};
inline constexpr NameSpec kDayOffMost{"DayOff_Most", kSheetSchedule, Scope::kSheet, 100, 1, ReadMode::kInteger16, Role::kTyped, true};

// Labels beside the grids, so the planner sees which member, day or type a cell is
// for. Optional: workbooks written by other programs need not have them.
inline constexpr NameSpec kRosterDates{"Roster_Dates", kSheetRoster, Scope::kSheet, 2, 31, ReadMode::kText, Role::kDisplay, true};
inline constexpr NameSpec kRosterMembers{"Roster_Members", kSheetRoster, Scope::kSheet, 100, 2, ReadMode::kText, Role::kDisplay, true};
inline constexpr NameSpec kRsvDates{"Rsv_Dates", kSheetReservation, Scope::kSheet, 2, 31, ReadMode::kText, Role::kDisplay, true};
inline constexpr NameSpec kRsvMembers{"Rsv_Members", kSheetReservation, Scope::kSheet, 100, 2, ReadMode::kText, Role::kDisplay, true};
inline constexpr NameSpec kScheduleDates{"Scdl_Dates", kSheetSchedule, Scope::kSheet, 2, 31, ReadMode::kText, Role::kDisplay, true};
inline constexpr NameSpec kNeedDates{"Need_Dates", kSheetStaffing, Scope::kSheet, 2, 31, ReadMode::kText, Role::kDisplay, true};
inline constexpr NameSpec kNeedTypes{"Need_Types", kSheetStaffing, Scope::kSheet, 10, 1, ReadMode::kText, Role::kDisplay, true};
inline constexpr NameSpec kNextDayHead{"NextDay_Head", kSheetBasic, Scope::kSheet, 1, 10, ReadMode::kText, Role::kDisplay, true};
inline constexpr NameSpec kWeightLabels{"Weight_Labels", kSheetBasic, Scope::kWorkbook, 12, 1, ReadMode::kText, Role::kDisplay, true};
inline constexpr NameSpec kPrevMembers{"Prev_Members", kSheetHistory, Scope::kWorkbook, 100, 2, ReadMode::kText, Role::kDisplay, true};
inline constexpr NameSpec kPastMembers{"Past_Members", kSheetHistory, Scope::kWorkbook, 100, 2, ReadMode::kText, Role::kDisplay, true};
// clang-format on

// Every name above, in sheet order.
std::span<const NameSpec> AllNames();
// The names whose cells make up the conditions a planner types (saved to CSV).
std::span<const NameSpec> ConditionInputs();
// Finds the entry of a name (exact match); nullptr when the layout has no such name.
const NameSpec* FindName(std::string_view name);

// The range of a name, by its scope. Throws workbook::WorkbookError when missing.
workbook::CellRange Range(const workbook::Workbook& book, const NameSpec& name_spec);
bool Has(const workbook::Workbook& book, const NameSpec& name_spec);

// The print area of the roster sheet, when it has one that begins above the
// roster, ends with the last of `members` rows: the empty rows kept for more
// members would shrink a page fitted to one sheet of paper. Other print areas
// (none, several ranges, a planner's own elsewhere) are left as they are.
void FitRosterPrintArea(workbook::Workbook& book, int members);

// The cell that names the conditions file (名前リスト!C1).
workbook::CellRange ConditionsPathCell(const workbook::Workbook& book);

// The macro's registration name: the name without the leading "!".
std::string MacroKey(std::string_view macro);

// "A1"-style address of a sheet-absolute cell: the store's own.
using workbook::CellName;

// Replaces {0}, {1}, ... in a message pattern by the arguments.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace tsumiki::layout
