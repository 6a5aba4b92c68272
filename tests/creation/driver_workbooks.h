#pragma once

// Roster workbooks for the creation-run tests, built through the store from the
// sample or from a blank workbook.

#include <unistd.h>

#include <filesystem>
#include <string>

#include "conditions/layout.h"
#include "conditions/sample_workbook.h"
#include "workbook/workbook.h"

namespace tsumiki::driver_test {

namespace fs = std::filesystem;

inline void Put(workbook::Workbook& book, const layout::NameSpec& name_spec, int row, int column,
                const workbook::CellValue& value) {
  book.WriteCell(layout::Range(book, name_spec), row, column, value);
}

inline fs::path FreshDir(const std::string& name) {
  const fs::path dir = fs::path(TSUMIKI_TEST_TMP) / "driver" / (name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

// The sample workbook as `tsumiki init` writes it.
inline fs::path WriteSample(const fs::path& dir) {
  const fs::path path = dir / "shift.xlsm";
  layout::WriteSampleWorkbook(path);
  return path;
}

// A small workplace of 30 days with three duties (day, night, after-night) and
// little room: a night takes three days of a member (night, morning-after, rest),
// and the work-day targets leave only 12 work days above the staffing of the month.
inline fs::path WriteTight(const fs::path& dir) {
  const fs::path path = dir / "shift.xlsm";
  layout::WriteBlankWorkbook(path);
  auto book = workbook::Workbook::Open(path);
  using namespace layout;
  Put(*book, kYear, 1, 1, 2026);
  Put(*book, kMonth, 1, 1, 4);  // 30 days
  Put(*book, kStartDayOfMonth, 1, 1, 1);
  Put(*book, kBaseStartDay, 1, 1, 1);
  Put(*book, kAttempts, 1, 1, 20);
  Put(*book, kTimeLimit, 1, 1, 3);
  Put(*book, kCreationMode, 1, 1, 2);
  const char* names[] = {"日勤", "夜勤", "明け"};
  const char* abbrevs[] = {"日", "夜", "明"};
  const workbook::CellRange abbrev_cells = Range(*book, kTypeAbbrev);
  for (int t = 1; t <= 3; ++t) {
    book->SetInteriorColorIndex(abbrev_cells.sheet, abbrev_cells.top + t - 1, abbrev_cells.left,
                                34 + t);
    Put(*book, kTypeNames, t, 1, names[t - 1]);
    Put(*book, kTypeAbbrev, t, 1, abbrevs[t - 1]);
    Put(*book, kWeights, t, 1, 1);
  }
  Put(*book, kWeights, 12, 1, 1);
  Put(*book, kNextDayBanInput, 2, 1, "○");  // after a night only its morning-after
  Put(*book, kNextDayBanInput, 2, 2, "○");
  Put(*book, kNextDayBanInput, 3, 1, "○");  // and a rest after that
  Put(*book, kNextDayBanInput, 3, 2, "○");
  Put(*book, kNextDayBanInput, 3, 3, "○");
  Put(*book, kMaxConsecWork, 1, 1, 5);
  Put(*book, kMaxConsecRest, 1, 1, 0);
  Put(*book, kPreventSingleWork, 1, 1, false);
  Put(*book, kWorkDayAdjust, 1, 1, true);
  Put(*book, kWorkFocus, 1, 1, false);
  Put(*book, kForbiddenPatternCnt, 1, 1, 0);
  Put(*book, kRequiredPatternCnt, 1, 1, 1);
  Put(*book, kRequiredPatterns, 1, 1, "夜");
  Put(*book, kRequiredPatterns, 1, 2, "明");
  Put(*book, kForbiddenComboCnt, 1, 1, 0);
  Put(*book, kRequiredComboCnt, 1, 1, 0);
  Put(*book, kUsePrevMonth, 1, 1, false);
  Put(*book, kUsePast, 1, 1, false);
  constexpr int kMembers = 12;
  for (int m = 1; m <= kMembers; ++m) {
    Put(*book, kMemberList, m, 1, m);
    Put(*book, kMemberList, m, 2, "職員" + std::to_string(m));
    Put(*book, kMemberDayOff, m, 1, 14);  // 16 work days each: 192 in all
  }
  for (int d = 1; d <= 30; ++d) {  // 4 + 1 + 1 = 6 a day: 180 in all
    Put(*book, kNeedTable, 1, d, 4);
    Put(*book, kNeedTable, 2, d, 1);
    Put(*book, kNeedTable, 3, d, 1);
  }
  book->Save();
  return path;
}

// The sample with reservations on later days and a start day of 10: days 1..9 come
// from the sheet.
inline fs::path WriteReservedLateStart(const fs::path& dir) {
  const fs::path path = WriteSample(dir);
  auto book = workbook::Workbook::Open(path);
  using namespace layout;
  Put(*book, kMemberRsv, 4, 12, "夜");
  Put(*book, kMemberRsv, 8, 18, "日");
  Put(*book, kMemberRsv, 11, 25, "早");
  Put(*book, kMemberRsv, 15, 30, "遅");
  book->Save();
  return path;
}

// The sample with the previous month's tail switched on and every member's last
// December days set, so that sequences and runs continue across the month's edge.
inline fs::path WritePrevMonthTail(const fs::path& dir) {
  const fs::path path = WriteSample(dir);
  auto book = workbook::Workbook::Open(path);
  using namespace layout;
  // Night duties on the last day of December oblige a morning-after on January 1.
  Put(*book, kPrevTail, 1, 10, "夜");
  Put(*book, kPrevTail, 2, 10, "夜");
  Put(*book, kPrevTail, 3, 10, "明");
  Put(*book, kPrevTail, 3, 9, "夜");
  Put(*book, kUsePrevMonth, 1, 1, true);
  Put(*book, kPrevMonth, 1, 1, 12);
  book->Save();
  return path;
}

}  // namespace tsumiki::driver_test
