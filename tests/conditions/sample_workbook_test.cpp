#include "conditions/sample_workbook.h"

#include <gtest/gtest.h>

#include "conditions/input_problems.h"
#include "conditions/layout.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"

namespace tsumiki::layout {
namespace {

using testing::LayoutWorkbook;
using testing::ScriptedHost;

TEST(SampleWorkbook, HoldsTheSampleWorkplaceWithItsDerivedCounts) {
  ScriptedHost host;
  auto fx = LayoutWorkbook::Sample(host);
  EXPECT_EQ(fx->Int(kTypeCnt), 5);
  EXPECT_EQ(fx->Int(kMemberCnt), 20);
  EXPECT_EQ(fx->Int(kDayCnt), 31);
  EXPECT_EQ(fx->Int(kNumberCount), 20);
  EXPECT_EQ(fx->Int(kNameCount), 20);
  EXPECT_EQ(fx->Int(kReservationCnt), 3);
  EXPECT_EQ(fx->Int(kPrevCount) > 0, true);
  EXPECT_EQ(fx->Text(kRosterDates, 1, 1), "1/1");
  EXPECT_EQ(fx->Text(kRosterDates, 2, 1), "金");
  EXPECT_TRUE(FindInputProblems(fx->book()).empty());
}

}  // namespace
}  // namespace tsumiki::layout
