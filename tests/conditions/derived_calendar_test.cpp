#include "conditions/derived_calendar.h"

#include <gtest/gtest.h>

namespace tsumiki::layout {
namespace {

// The roster day of day-of-month `dom`, by counting through the two calendar
// months the period touches: the rest of the start month, then the next one.
int ExpectedIndex(int year, int month, int base, int days, int dom) {
  const int in_start_month = DaysInMonth(year, month) - base + 1;
  int index = 0;
  if (dom >= base && dom <= DaysInMonth(year, month)) {
    index = dom - base + 1;
  } else if (dom < base) {
    const int next_month = month == 12 ? 1 : month + 1;
    const int next_year = month == 12 ? year + 1 : year;
    if (dom <= DaysInMonth(next_year, next_month)) index = in_start_month + dom;
  }
  return index <= days ? index : 0;
}

TEST(StartDayIndexTest, EveryBaseDayAndDayOfMonthOf2027And2028) {
  for (int year = 2027; year <= 2028; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int base = 1; base <= DaysInMonth(year, month); ++base) {
        const CivilDate start = *PeriodStart(year, month, base);
        const int days = PeriodLength(start);
        for (int dom = 1; dom <= 31; ++dom) {
          const int index = StartDayIndex(start, days, dom);
          ASSERT_EQ(index, ExpectedIndex(year, month, base, days, dom))
              << year << "/" << month << " base " << base << " day " << dom;
          if (index > 0) {
            ASSERT_EQ(AddDays(start, index - 1).day, dom);
          }
        }
      }
    }
  }
}

TEST(StartDayIndexTest, PeriodsRunningIntoAShorterMonth) {
  struct Case {
    int month, base, dom, expected;
  };
  // January 2027: base 29 runs 1/29–2/27, base 31 runs 1/31–2/27.
  for (const Case c : {Case{1, 29, 5, 8}, Case{1, 29, 28, 0}, Case{1, 31, 1, 2}, Case{1, 31, 2, 3},
                       Case{1, 31, 27, 28}, Case{1, 31, 28, 0}, Case{3, 31, 29, 30},
                       Case{3, 31, 30, 0}, Case{3, 31, 31, 1}, Case{1, 1, 31, 31}}) {
    const CivilDate start = *PeriodStart(2027, c.month, c.base);
    EXPECT_EQ(StartDayIndex(start, PeriodLength(start), c.dom), c.expected)
        << c.month << " " << c.base << " " << c.dom;
  }
}

}  // namespace
}  // namespace tsumiki::layout
