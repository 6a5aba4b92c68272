#include "conditions/layout.h"

#include <algorithm>
#include <array>

namespace tsumiki::layout {
namespace {

constexpr std::array kAllNames{
    kTypeCnt,
    kTypeAbbrev,
    kTypeNames,
    kTypeList,
    kNextDayBanInput,
    kDayBefore,
    kMaxConsecWork,
    kMaxConsecRest,
    kForbiddenPatternCnt,
    kForbiddenPatterns,
    kRequiredPatternCnt,
    kRequiredPatterns,
    kPreventSingleWork,
    kWorkDayAdjust,
    kWorkFocus,
    kWeights,
    kScoreWeight,
    kNextDayHead,
    kWeightLabels,
    kDayCnt,
    kStatusPosition,
    kYear,
    kMonth,
    kStartDayOfMonth,
    kBaseStartDay,
    kAttempts,
    kTimeLimit,
    kImproveSeconds,
    kCreationMode,
    kMemberCnt,
    kMemberList,
    kNumberCount,
    kNameCount,
    kScheduleCount,
    kScheduleInput,
    kMemberScdl,
    kMemberDayOff,
    kWishTable,
    kWishWeight,
    kDutyLeast,
    kDutyMost,
    kRestRunLeast,
    kWorkRunLeast,
    kWorkRunMost,
    kWeekendsMost,
    kDayOffMost,
    kScheduleDates,
    kNeedTable,
    kForbiddenComboCnt,
    kForbiddenCombos,
    kRequiredComboCnt,
    kRequiredCombos,
    kDesiredStaff,
    kDesiredWeight,
    kNeedDates,
    kNeedTypes,
    kReservationCnt,
    kMemberRsv,
    kRsvDates,
    kRsvMembers,
    kTimeTable,
    kStdDev,
    kRestDeviation,
    kRestBalance,
    kSelectedRow,
    kSelectedColumn,
    kRosterDates,
    kRosterMembers,
    kUsePast,
    kPastTotals,
    kUsePrevMonth,
    kPrevCount,
    kPrevMonth,
    kPrevTail,
    kPrevMembers,
    kPastMembers,
};

// What a planner types, and the run settings kept on Main: a saved conditions
// file restores all of them. The optional cells are included; a workbook without
// them simply saves nothing for them.
constexpr std::array kConditionInputs{
    kYear,
    kMonth,
    kStartDayOfMonth,
    kBaseStartDay,
    kAttempts,
    kTimeLimit,
    kImproveSeconds,
    kCreationMode,
    kStatusPosition,
    kTypeNames,
    kTypeAbbrev,
    kNextDayBanInput,
    kMaxConsecWork,
    kMaxConsecRest,
    kForbiddenPatternCnt,
    kForbiddenPatterns,
    kRequiredPatternCnt,
    kRequiredPatterns,
    kPreventSingleWork,
    kWorkDayAdjust,
    kWorkFocus,
    kWeights,
    kScoreWeight,
    kMemberList,
    kMemberDayOff,
    kScheduleInput,
    kWishTable,
    kWishWeight,
    kDutyLeast,
    kDutyMost,
    kRestRunLeast,
    kWorkRunLeast,
    kWorkRunMost,
    kWeekendsMost,
    kDayOffMost,
    kNeedTable,
    kDesiredStaff,
    kDesiredWeight,
    kForbiddenComboCnt,
    kForbiddenCombos,
    kRequiredComboCnt,
    kRequiredCombos,
    kMemberRsv,
    kUsePast,
    kPastTotals,
    kUsePrevMonth,
    kPrevMonth,
    kPrevTail,
};

}  // namespace

std::span<const NameSpec> AllNames() {
  return kAllNames;
}

std::span<const NameSpec> ConditionInputs() {
  return kConditionInputs;
}

const NameSpec* FindName(std::string_view name) {
  for (const NameSpec& name_spec : kAllNames) {
    if (name_spec.name == name) return &name_spec;
  }
  return nullptr;
}

workbook::CellRange Range(const workbook::Workbook& book, const NameSpec& name_spec) {
  if (name_spec.scope == Scope::kWorkbook) return book.WorkbookRange(name_spec.name);
  return book.SheetRange(name_spec.sheet, name_spec.name);
}

bool Has(const workbook::Workbook& book, const NameSpec& name_spec) {
  if (name_spec.scope == Scope::kWorkbook) return book.HasWorkbookRange(name_spec.name);
  return book.FindSheet(name_spec.sheet).has_value() && book.HasSheetRange(name_spec.sheet, name_spec.name);
}

void FitRosterPrintArea(workbook::Workbook& book, int members) {
  constexpr std::string_view kPrintArea = "_xlnm.Print_Area";
  const std::optional<int> sheet = book.FindSheet(kSheetRoster);
  if (!sheet || members < 1 || !Has(book, kTimeTable) ||
      !book.HasSheetRange(kSheetRoster, kPrintArea)) {
    return;
  }
  try {
    workbook::CellRange area = book.SheetRange(kSheetRoster, kPrintArea);
    const workbook::CellRange roster = Range(book, kTimeTable);
    if (area.sheet != *sheet || area.top > roster.top || area.bottom < roster.top) return;
    const int bottom = roster.top + std::min(members, roster.bottom - roster.top + 1) - 1;
    if (area.bottom == bottom) return;
    area.bottom = bottom;
    book.DefineName(kPrintArea, area, *sheet);
  } catch (const workbook::WorkbookError&) {
    // A print area of several ranges or of a formula is the planner's own.
  }
}

workbook::CellRange ConditionsPathCell(const workbook::Workbook& book) {
  return book.Address(kConditionsPathSheet, kConditionsPathCell);
}

std::string MacroKey(std::string_view macro) {
  if (!macro.empty() && macro.front() == '!') macro.remove_prefix(1);
  return std::string(macro);
}

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}' &&
        pattern[i + 1] >= '0' && pattern[i + 1] <= '9') {
      const auto index = static_cast<std::size_t>(pattern[i + 1] - '0');
      if (index < args.size()) {
        out += *(args.begin() + index);
        i += 2;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

}  // namespace tsumiki::layout
