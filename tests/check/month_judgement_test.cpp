#include "check/month_judgement.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "conditions/loader_messages.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"

namespace tsumiki {
namespace {

using testing::LayoutWorkbook;
using testing::ScriptedHost;

// The judgement of the month on the sheet, by the session (status texts on its
// host) and on a private copy (nobody watching): the same month, the same
// findings; a refusal is returned, never shown.
TEST(JudgeMonthTest, JudgesTheSheetOrReturnsWhyItCannot) {
  struct Case {
    std::string name;
    bool typo;            // a schedule text that is no duty
    bool night_then_day;  // 夜 then 日, which the next-day ban forbids
  };
  for (const Case& c : {Case{"clean", false, false}, Case{"ban broken", false, true},
                        Case{"refused", true, false}}) {
    SCOPED_TRACE(c.name);
    ScriptedHost host;
    auto fx = LayoutWorkbook::Blank(host);
    fx->SetTypes({{"日勤", "日"}, {"夜勤", "夜"}});
    fx->SetMembers({"佐藤", "鈴木"});
    fx->SetPeriod(2026, 4, 1, 1);
    fx->SetNextDayBan(2, 1);
    if (c.typo) fx->SetSchedule(2, 4, "遅");
    fx->SetRoster(1, 3, "夜");
    fx->SetRoster(1, 4, c.night_then_day ? "日" : "");
    ConditionModel start;
    start.CreateYear = 2026;
    start.CreateMonth = 4;
    start.CreateStartDay = 1;
    start.BaseStartDay = 1;

    ConditionModel quiet_model;
    const MonthJudgement quiet = JudgeMonth(fx->book(), start, quiet_model);
    ConditionModel model = start;
    RunState run;
    SessionValues values;
    RandomSource random(1);
    EngineContext ctx{fx->book(), host, model, run, values, random};
    const MonthJudgement seen = JudgeMonth(ctx);

    EXPECT_TRUE(host.Messages().empty());
    EXPECT_EQ(seen.Readable(), !c.typo);
    EXPECT_EQ(quiet.Readable(), !c.typo);
    if (c.typo) {
      EXPECT_EQ(seen.refusal->title, load_text::kInputProblemsTitle);
      EXPECT_EQ(seen.refusal->text, quiet.refusal->text);
      continue;
    }
    const auto banned = [](const MonthJudgement& j) {
      return std::count_if(j.findings.begin(), j.findings.end(),
                           [](const Finding& f) { return f.member == 1 && f.day == 4; });
    };
    EXPECT_EQ(banned(seen) > 0, c.night_then_day);
    EXPECT_EQ(banned(quiet), banned(seen));
    EXPECT_EQ(seen.findings.size(), quiet.findings.size());
    EXPECT_EQ(seen.labels.duty_names, (std::vector<std::string>{"日勤", "夜勤"}));
    ASSERT_EQ(seen.totals.members.size(), 2u);
  }
}

}  // namespace
}  // namespace tsumiki
