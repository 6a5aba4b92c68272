// The printed page's contents: each duty's staff per day under the members (red
// where short), the legend, and the weekend shading where no duty colour stands.
#include <QtTest>
#include <tuple>
#include <vector>

#include "check/roster_totals.h"
#include "print/roster_sheet.h"
#include "support/model_builder.h"

class PrintPageTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void CountsLegendAndWeekends();
  void WishesAndDesiredStaffWhereSet();
};

void PrintPageTest::CountsLegendAndWeekends() {
  // 2027-01-01 is a Friday: day 2 a Saturday, day 3 a Sunday.
  tsumiki::testing::ModelBuilder builder(4, 2, 3);
  builder.Need(1, 1, 2).Need(2, 2, 1).Assign(1, 1, 1).Assign(2, 1, 1).Assign(1, 2, 2);
  const tsumiki::ConditionModel model = builder.Build();
  tsumiki::MonthLabels labels;
  labels.duty_names = {"日勤", "夜勤"};
  labels.duty_fills = {6, 0};  // 日 yellow, 夜 without a colour
  labels.first_date = tsumiki::layout::CivilDate{2027, 1, 1};
  const tsumiki::RosterPage page =
      tsumiki::BuildRosterPage(model, labels, tsumiki::CountRosterTotals(model));

  // Dates, weekdays, three members, then one count row per duty.
  QCOMPARE(page.rows.size(), std::size_t{2 + 3 + 2});
  const auto day_cell = [&](std::size_t row, int day) { return page.rows[row][1 + day]; };
  const std::size_t first_count = 5;
  QCOMPARE(page.rows[first_count][1].text, std::string("日勤"));
  const std::string staff[2][4] = {{"2", "0", "0", "0"}, {"0", "1", "0", "0"}};
  for (int t = 0; t < 2; ++t) {
    for (int d = 1; d <= 4; ++d) {
      QCOMPARE(day_cell(first_count + t, d).text, staff[t][d - 1]);
    }
  }
  QCOMPARE(day_cell(first_count, 1).ink, tsumiki::kBlack);       // 2 of 2
  QVERIFY(day_cell(first_count + 1, 2).ink == tsumiki::kBlack);  // 1 of 1
  // Need nothing on day 4: nothing short. A need above the staff turns red.
  tsumiki::testing::ModelBuilder short_builder(4, 2, 3);
  short_builder.Need(1, 1, 3).Assign(1, 1, 1);
  const tsumiki::ConditionModel short_model = short_builder.Build();
  const tsumiki::RosterPage short_page =
      tsumiki::BuildRosterPage(short_model, labels, tsumiki::CountRosterTotals(short_model));
  QCOMPARE(short_page.rows[first_count][2].ink, tsumiki::kShortInk);

  // Weekends: the date and weekday heads, rest days and an uncoloured duty are
  // shaded; a coloured duty keeps its colour; weekdays stay plain.
  QCOMPARE(day_cell(1, 2).text, std::string("土"));
  QCOMPARE(day_cell(0, 2).fill, tsumiki::kSaturdayShade);
  QCOMPARE(day_cell(0, 3).fill, tsumiki::kSundayShade);
  QCOMPARE(day_cell(2 + 1, 2).fill, tsumiki::kSaturdayShade);  // member 2 rests
  QCOMPARE(day_cell(2 + 0, 2).fill, tsumiki::kSaturdayShade);  // member 1: 夜, no colour
  QVERIFY(day_cell(2 + 0, 1).fill != tsumiki::kWhite);       // member 1: 日, yellow
  QCOMPARE(day_cell(2 + 2, 4).fill, tsumiki::kWhite);

  QCOMPARE(page.legend.size(), std::size_t{2});
  QCOMPARE(page.legend[0].abbrev, std::string("T1"));
  QCOMPARE(page.legend[0].name, std::string("日勤"));
  QCOMPARE(page.legend[0].fill, day_cell(2 + 0, 1).fill);
}

// Member 1's wish for T1 on day 1 is granted, member 2's wish for a day off there
// missed; T1 wants three on day 1 (two come) and one on day 2 (one comes).
void PrintPageTest::WishesAndDesiredStaffWhereSet() {
  tsumiki::testing::ModelBuilder builder(4, 2, 3);
  builder.Need(1, 1, 2).Assign(1, 1, 1).Assign(2, 1, 1).Assign(3, 2, 1);
  tsumiki::ExtraConditions& x = builder.model().Extra;
  x.WishDuty(1, 1) = 1;
  x.WishWeight(1, 1) = 3;
  x.WishDuty(2, 1) = tsumiki::kRestDay;
  x.WishWeight(2, 1) = 1;
  x.DesiredStaff(1, 1) = 3;
  x.DesiredStaff(1, 2) = 1;
  x.HasSoft = true;
  const tsumiki::ConditionModel model = builder.Build();
  tsumiki::MonthLabels labels;
  labels.duty_names = {"日勤", "夜勤"};
  labels.duty_fills = {0, 0};
  const tsumiki::RosterPage page =
      tsumiki::BuildRosterPage(model, labels, tsumiki::CountRosterTotals(model));

  // Dates, weekdays, three members, two count rows, then T1's desired staffing.
  QCOMPARE(page.rows.size(), std::size_t{2 + 3 + 2 + 1});
  const std::vector<std::string> heads = {page.rows[0].end()[-2].text, page.rows[0].back().text};
  QCOMPARE(heads, (std::vector<std::string>{"希望○", "希望×"}));
  for (const auto& [row, granted, missed] : {std::tuple{2, "1", "0"}, std::tuple{3, "0", "1"}}) {
    QCOMPARE(page.rows[static_cast<std::size_t>(row)].end()[-2].text, std::string(granted));
    QCOMPARE(page.rows[static_cast<std::size_t>(row)].back().text, std::string(missed));
  }
  const std::vector<tsumiki::PageCell>& desired = page.rows.back();
  QCOMPARE(desired[0].text, std::string("希望"));
  QCOMPARE(desired[1 + 1].text, std::string("3"));
  QCOMPARE(desired[1 + 1].ink, tsumiki::kShortInk);
  QCOMPARE(desired[1 + 2].ink, tsumiki::kBlack);
  QCOMPARE(desired[1 + 3].text, std::string());
  QCOMPARE(desired.back().text, std::string("届いた日 1/2"));
  // The grid's rows stay as wide as the head.
  double head_width = 0;
  double desired_width = 0;
  for (const tsumiki::PageCell& cell : page.rows[0]) head_width += cell.width;
  for (const tsumiki::PageCell& cell : desired) desired_width += cell.width;
  QCOMPARE(desired_width, head_width);
}

QTEST_GUILESS_MAIN(PrintPageTest)
#include "print_page_test.moc"
