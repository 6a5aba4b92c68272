#include <array>
#include <string>
#include <string_view>

#include "conditions/derived_calendar.h"
#include "conditions/layout.h"
#include "conditions/sample_workbook.h"

// The sample workplace: a care home's nursing floor in January 2027.
namespace tsumiki::layout {
namespace {

using workbook::CellValue;
using workbook::Workbook;

constexpr int kYearValue = 2027;
constexpr int kMonthValue = 1;
constexpr int kDays = 31;

struct DutyType {
  std::string_view name;
  std::string_view abbrev;
  int colour;        // ColorIndex of the 略称 cell
  int need_weekday;  // staff needed Monday to Friday
  int need_weekend;  // on Saturdays, Sundays and public holidays
};

constexpr std::array<DutyType, 5> kTypes{{
    {"日勤", "日", 35, 6, 3},
    {"早番", "早", 36, 2, 2},
    {"遅番", "遅", 37, 2, 2},
    {"夜勤", "夜", 39, 2, 2},
    {"明け", "明", 40, 2, 2},
}};
enum Type { kDay = 1, kEarly, kLate, kNight, kAfterNight };

// Row t: the duties barred on the day after duty t (by type number).
constexpr std::array<std::array<int, 5>, 5> kNextDayBans{{
    {kAfterNight},
    {kAfterNight},
    {kEarly, kAfterNight},
    {kDay, kEarly, kLate, kNight},
    {kDay, kEarly, kLate, kNight, kAfterNight},
}};

constexpr std::array<std::string_view, 20> kMemberNames{
    "佐藤 花子", "鈴木 一郎", "高橋 美咲", "田中 健太", "伊藤 由美", "渡辺 翔",   "山本 恵",
    "中村 大輔", "小林 陽子", "加藤 誠",   "吉田 彩",   "山田 拓也", "佐々木 舞", "山口 直樹",
    "松本 優子", "井上 亮",   "木村 千尋", "林 和也",   "清水 香織", "森 裕太",
};
// Days off in the month per member: 10, and 11 for every third member.
int DaysOff(int member) {
  return member % 3 == 0 ? 11 : 10;
}

constexpr std::array<int, 2> kPublicHolidays{1, 11};  // 元日, 成人の日

struct DayEntry {
  int member;
  int day;
  std::string_view text;
};
// 個人予定: whole days off ("休") and duties a member cannot take that day.
constexpr std::array<DayEntry, 11> kSchedule{{
    {3, 8, "休"},
    {3, 9, "休"},
    {5, 15, "夜,明"},
    {5, 16, "夜,明"},
    {7, 4, "早"},
    {7, 5, "早"},
    {7, 6, "早"},
    {12, 20, "休"},
    {16, 29, "休"},
    {19, 22, "夜"},
    {20, 2, "休"},
}};
// 予約表: duties fixed in advance.
constexpr std::array<DayEntry, 3> kReservations{{
    {2, 12, "日"},
    {6, 14, "夜"},
    {10, 21, "早"},
}};

void Put(Workbook& book, const NameSpec& name_spec, int row, int column, const CellValue& value) {
  book.WriteCell(Range(book, name_spec), row, column, value);
}

bool IsWeekendOrHoliday(int day) {
  const CivilDate date{kYearValue, kMonthValue, day};
  const int weekday = Weekday(date);
  if (weekday == 0 || weekday == 6) return true;
  for (int holiday : kPublicHolidays) {
    if (holiday == day) return true;
  }
  return false;
}

}  // namespace

void FillRunSettings(Workbook& book) {
  Put(book, kYear, 1, 1, kYearValue);
  Put(book, kMonth, 1, 1, kMonthValue);
  Put(book, kStartDayOfMonth, 1, 1, 1);
  Put(book, kBaseStartDay, 1, 1, 1);
  Put(book, kAttempts, 1, 1, 50);
  Put(book, kTimeLimit, 1, 1, 3);
  Put(book, kImproveSeconds, 1, 1, 2);
  Put(book, kCreationMode, 1, 1, 2);
  Put(book, kStatusPosition, 1, 1, 0);
}

namespace {

void FillBasic(Workbook& book) {
  const workbook::CellRange abbrevs = Range(book, kTypeAbbrev);
  for (int t = 1; t <= static_cast<int>(kTypes.size()); ++t) {
    const DutyType& type = kTypes[static_cast<std::size_t>(t - 1)];
    Put(book, kTypeNames, t, 1, std::string(type.name));
    Put(book, kTypeAbbrev, t, 1, std::string(type.abbrev));
    book.SetInteriorColorIndex(abbrevs.sheet, abbrevs.top + t - 1, abbrevs.left, type.colour);
    for (int banned : kNextDayBans[static_cast<std::size_t>(t - 1)]) {
      if (banned > 0) Put(book, kNextDayBanInput, t, banned, "○");
    }
  }
  Put(book, kMaxConsecWork, 1, 1, 5);
  Put(book, kMaxConsecRest, 1, 1, 3);
  Put(book, kPreventSingleWork, 1, 1, true);
  Put(book, kWorkDayAdjust, 1, 1, true);
  Put(book, kWorkFocus, 1, 1, false);
  // Three lates or four earlies in a row wear people out.
  Put(book, kForbiddenPatternCnt, 1, 1, 2);
  for (int k = 1; k <= 3; ++k) Put(book, kForbiddenPatterns, 1, k, "遅");
  for (int k = 1; k <= 4; ++k) Put(book, kForbiddenPatterns, 2, k, "早");
  // A night is always followed by its morning-after.
  Put(book, kRequiredPatternCnt, 1, 1, 1);
  Put(book, kRequiredPatterns, 1, 1, "夜");
  Put(book, kRequiredPatterns, 1, 2, "明");
  for (int t = 1; t <= static_cast<int>(kTypes.size()); ++t) Put(book, kWeights, t, 1, 1);
  Put(book, kWeights, 12, 1, 1);
}

void FillStaffing(Workbook& book) {
  for (int t = 1; t <= static_cast<int>(kTypes.size()); ++t) {
    const DutyType& type = kTypes[static_cast<std::size_t>(t - 1)];
    for (int d = 1; d <= kDays; ++d) {
      Put(book, kNeedTable, t, d, IsWeekendOrHoliday(d) ? type.need_weekend : type.need_weekday);
    }
  }
  // Two members in their first year never work a night together.
  Put(book, kForbiddenComboCnt, 1, 1, 1);
  Put(book, kForbiddenCombos, 1, 1, "夜勤");
  Put(book, kForbiddenCombos, 1, 2, 2);
  Put(book, kForbiddenCombos, 1, 4, 17);
  Put(book, kForbiddenCombos, 1, 9, 18);
  // At least one of the team leaders is on day duty every day.
  Put(book, kRequiredComboCnt, 1, 1, 1);
  Put(book, kRequiredCombos, 1, 1, "日勤");
  Put(book, kRequiredCombos, 1, 2, 1);
  constexpr std::array<int, 6> kLeaders{1, 2, 4, 9, 13, 15};
  for (int k = 1; k <= static_cast<int>(kLeaders.size()); ++k) {
    Put(book, kRequiredCombos, 1, 5 * k - 1, kLeaders[static_cast<std::size_t>(k - 1)]);
  }
}

void FillMembers(Workbook& book) {
  for (int m = 1; m <= static_cast<int>(kMemberNames.size()); ++m) {
    Put(book, kMemberList, m, 1, m);
    Put(book, kMemberList, m, 2, std::string(kMemberNames[static_cast<std::size_t>(m - 1)]));
    Put(book, kMemberDayOff, m, 1, DaysOff(m));
  }
  for (const DayEntry& entry : kSchedule) {
    Put(book, kScheduleInput, entry.member, entry.day, std::string(entry.text));
  }
  for (const DayEntry& entry : kReservations) {
    Put(book, kMemberRsv, entry.member, entry.day, std::string(entry.text));
  }
}

// The last ten days of December 2026: a weekly rotation of day duties with two
// nights a day laid over it, each night followed by its morning-after and a rest.
void FillPreviousMonth(Workbook& book) {
  constexpr int kMembers = static_cast<int>(kMemberNames.size());
  constexpr std::array<int, 7> kCycle{kDay, kEarly, kLate, 0, kDay, kDay, 0};
  std::array<std::array<int, 10>, kMembers> tail{};
  for (int m = 0; m < kMembers; ++m) {
    for (int j = 0; j < 10; ++j) tail[m][j] = kCycle[static_cast<std::size_t>((m + j) % 7)];
  }
  for (int j = 0; j < 10; ++j) {
    for (int first : {(3 * (j + 1)) % kMembers, (3 * (j + 1) + 10) % kMembers}) {
      auto& row = tail[static_cast<std::size_t>(first)];
      row[static_cast<std::size_t>(j)] = kNight;
      if (j + 1 < 10) row[static_cast<std::size_t>(j + 1)] = kAfterNight;
      if (j + 2 < 10) row[static_cast<std::size_t>(j + 2)] = 0;
    }
  }
  for (int m = 0; m < kMembers; ++m) {
    for (int j = 0; j < 10; ++j) {
      const int code = tail[static_cast<std::size_t>(m)][static_cast<std::size_t>(j)];
      if (code == 0) continue;
      Put(book, kPrevTail, m + 1, j + 1,
          std::string(kTypes[static_cast<std::size_t>(code - 1)].abbrev));
    }
  }
  Put(book, kPrevMonth, 1, 1, 12);
  Put(book, kUsePrevMonth, 1, 1, true);
  Put(book, kUsePast, 1, 1, false);
}

}  // namespace

void FillSampleConditions(Workbook& book) {
  FillRunSettings(book);
  FillBasic(book);
  FillStaffing(book);
  FillMembers(book);
  FillPreviousMonth(book);
  FitRosterPrintArea(book, static_cast<int>(kMemberNames.size()));
}

}  // namespace tsumiki::layout
