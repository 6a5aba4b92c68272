#include <array>

#include "conditions/sample_template.h"

namespace tsumiki::layout {
namespace {

// clang-format off
constexpr std::array kAnchors{
    // Main: labels in column A, values in column C.
    Anchor{&kYear, 6, 3}, Anchor{&kMonth, 7, 3}, Anchor{&kStartDayOfMonth, 8, 3},
    Anchor{&kBaseStartDay, 9, 3}, Anchor{&kAttempts, 10, 3}, Anchor{&kTimeLimit, 11, 3},
    Anchor{&kCreationMode, 12, 3}, Anchor{&kStatusPosition, 13, 3}, Anchor{&kDayCnt, 14, 3},
    Anchor{&kImproveSeconds, 15, 3},
    // 基本設定: the duty-type table with its next-day bans beside it.
    Anchor{&kTypeNames, 7, 2}, Anchor{&kTypeAbbrev, 7, 3}, Anchor{&kNextDayHead, 6, 5},
    Anchor{&kNextDayBanInput, 7, 5}, Anchor{&kTypeList, 7, 17}, Anchor{&kTypeCnt, 18, 3},
    Anchor{&kDayBefore, 19, 5}, Anchor{&kMaxConsecWork, 21, 3}, Anchor{&kMaxConsecRest, 22, 3},
    Anchor{&kPreventSingleWork, 23, 3}, Anchor{&kWorkDayAdjust, 24, 3}, Anchor{&kWorkFocus, 25, 3},
    Anchor{&kForbiddenPatternCnt, 27, 3}, Anchor{&kForbiddenPatterns, 29, 2},
    Anchor{&kRequiredPatternCnt, 41, 3}, Anchor{&kRequiredPatterns, 43, 2},
    Anchor{&kWeightLabels, 56, 2}, Anchor{&kWeights, 56, 3}, Anchor{&kScoreWeight, 69, 3},
    // 要員設定
    Anchor{&kNeedDates, 5, 3}, Anchor{&kNeedTypes, 7, 2}, Anchor{&kNeedTable, 7, 3},
    Anchor{&kForbiddenComboCnt, 18, 3}, Anchor{&kForbiddenCombos, 20, 2},
    Anchor{&kRequiredComboCnt, 37, 3}, Anchor{&kRequiredCombos, 39, 2},
    Anchor{&kDesiredStaff, 7, 35}, Anchor{&kDesiredWeight, 7, 67},
    // スケジュール
    Anchor{&kMemberCnt, 5, 3}, Anchor{&kNumberCount, 6, 3}, Anchor{&kNameCount, 7, 3},
    Anchor{&kScheduleCount, 8, 3}, Anchor{&kScheduleDates, 10, 4}, Anchor{&kMemberList, 12, 1},
    Anchor{&kMemberDayOff, 12, 3}, Anchor{&kScheduleInput, 12, 4}, Anchor{&kMemberScdl, 12, 36},
    // to the right of the day bans: wishes, counts per duty, runs and weekends.
    Anchor{&kWishTable, 12, 68}, Anchor{&kWishWeight, 12, 100}, Anchor{&kDutyLeast, 12, 132},
    Anchor{&kDutyMost, 12, 143}, Anchor{&kRestRunLeast, 12, 154}, Anchor{&kWorkRunLeast, 12, 155},
    Anchor{&kWeekendsMost, 12, 156}, Anchor{&kDayOffMost, 12, 157},
    Anchor{&kWorkRunMost, 12, 158},
    // 予約表
    Anchor{&kReservationCnt, 5, 3}, Anchor{&kRsvDates, 7, 3}, Anchor{&kRsvMembers, 9, 1},
    Anchor{&kMemberRsv, 9, 3},
    // 人員配置表: the grid, its figures to the right.
    Anchor{&kRosterDates, 5, 3}, Anchor{&kRosterMembers, 7, 1}, Anchor{&kTimeTable, 7, 3},
    Anchor{&kStdDev, 7, 36}, Anchor{&kRestDeviation, 8, 36}, Anchor{&kRestBalance, 9, 36},
    Anchor{&kSelectedRow, 10, 36}, Anchor{&kSelectedColumn, 11, 36},
    // 過去データ
    Anchor{&kUsePrevMonth, 6, 3}, Anchor{&kPrevMonth, 7, 3}, Anchor{&kPrevCount, 8, 3},
    Anchor{&kUsePast, 9, 3}, Anchor{&kPrevMembers, 13, 1}, Anchor{&kPrevTail, 13, 3},
    Anchor{&kPastMembers, 13, 14}, Anchor{&kPastTotals, 13, 16},
};
// clang-format on

}  // namespace

std::span<const Anchor> TemplateAnchors() {
  return kAnchors;
}

std::optional<Anchor> AnchorOf(const NameSpec& name_spec) {
  for (const Anchor& anchor : kAnchors) {
    if (anchor.name_spec->name == name_spec.name) return anchor;
  }
  return std::nullopt;
}

}  // namespace tsumiki::layout
