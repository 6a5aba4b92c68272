#include "creation/driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "app/session.h"
#include "creation/driver_texts.h"
#include "creation/driver_workbooks.h"
#include "present/run_progress.h"
#include "support/roster_checker.h"
#include "support/scripted_host.h"
#include "workbook/workbook_error.h"

namespace tsumiki {
namespace {

using driver_test::FreshDir;
using driver_test::Put;
namespace fs = std::filesystem;

// A scripted host that can press the abort button when a condition first holds at
// a DoEvents: while a given day is being built, while the optimisation window is
// up, and so on.
class AbortingHost : public testing::ScriptedHost {
 public:
  void AbortWhen(std::function<bool()> condition) { condition_ = std::move(condition); }
  // Instead of aborting, the store fails there (as a full disk or a broken cell would).
  void FailWhen(std::function<bool()> condition) { fail_ = std::move(condition); }
  // Every n-th DoEvents also moves the virtual clock by a millisecond, so a time
  // limit comes after a few passes instead of only through the failure pauses.
  void TickEvery(int n) { tick_every_ = n; }
  void DoEvents() override {
    if (tick_every_ > 0 && DoEventsCount() % tick_every_ == 0) Advance(1);
    if (condition_ && condition_()) {
      condition_ = nullptr;
      PressAbort();
    }
    if (fail_ && fail_()) {
      fail_ = nullptr;
      throw workbook::WorkbookError(workbook::WorkbookError::Kind::kBadValue,
                                    {"shift.xlsm", "人員配置表", "Time_Table", "C3"});
    }
    ScriptedHost::DoEvents();
  }

 private:
  std::function<bool()> condition_;
  std::function<bool()> fail_;
  int tick_every_ = 0;
};

// WorkDays and TypeTally must always equal a count of the roster (no past totals
// are used in these workbooks). Returns the first difference, or "".
std::string TallyMismatch(const ConditionModel& model) {
  for (int m = 1; m <= model.MemberCount; ++m) {
    std::vector<int> count(static_cast<std::size_t>(kTallyTotal + 1), 0);
    for (int d = 1; d <= model.DayCount; ++d) {
      const int t = model.Roster(m, d);
      if (t >= 1) {
        ++count[static_cast<std::size_t>(t)];
        ++count[kTallyTotal];
      }
    }
    if (model.WorkDays(m) != count[kTallyTotal]) {
      return "WorkDays of member " + std::to_string(m) + " is " +
             std::to_string(model.WorkDays(m)) + ", the roster has " +
             std::to_string(count[kTallyTotal]);
    }
    for (int t = 1; t <= model.TypeCount; ++t) {
      if (model.TypeTally(m, t) != count[static_cast<std::size_t>(t)]) {
        return "TypeTally(" + std::to_string(m) + ", " + std::to_string(t) + ") is " +
               std::to_string(model.TypeTally(m, t)) + ", the roster has " +
               std::to_string(count[static_cast<std::size_t>(t)]);
      }
    }
    if (model.TypeTally(m, kTallyTotal) != count[kTallyTotal]) {
      return "TypeTally total of member " + std::to_string(m) + " differs";
    }
  }
  return "";
}

bool Contains(const std::vector<std::string>& texts, std::string_view text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::vector<std::string> NoticeTexts(const CreateResult& result) {
  std::vector<std::string> texts;
  for (const Notice& notice : result.notices) texts.push_back(notice.text);
  return texts;
}

bool AnyStartsWith(const std::vector<std::string>& texts, std::string_view prefix) {
  return std::any_of(texts.begin(), texts.end(),
                     [&](const std::string& t) { return t.rfind(prefix, 0) == 0; });
}

class DriverTest : public ::testing::Test {
 protected:
  void Open(const fs::path& path, std::uint64_t seed) {
    driver.reset();
    progress.reset();
    session.reset();
    session = std::make_unique<Session>(host, SessionOptions{path.parent_path(), path, seed});
    ASSERT_TRUE(session->StartUp()) << ::testing::PrintToString(host.MessageTexts());
    // The windows as the planner sees them: the tests stop runs by what they show.
    progress = std::make_unique<RunProgress>(session->Context());
    driver = std::make_unique<CreationDriver>(session->Context(), *progress);
    driver->SetObserver([this](DriverEvent event, int day) {
      const std::string mismatch = TallyMismatch(session->Model());
      if (!mismatch.empty() && first_mismatch.empty()) {
        first_mismatch = "event " + std::to_string(static_cast<int>(event)) + " day " +
                         std::to_string(day) + ": " + mismatch;
      }
    });
  }

  // The roster as the sheet holds it, as abbreviations.
  std::vector<std::vector<std::string>> SheetRoster() {
    return session->Book().ReadGrid(layout::Range(session->Book(), layout::kTimeTable));
  }

  bool ColourMacroRan() {
    auto& book = session->Book();
    const auto table = layout::Range(book, layout::kTimeTable);
    for (int r = table.top; r < table.top + session->Model().MemberCount; ++r) {
      for (int c = table.left; c < table.left + session->Model().DayCount; ++c) {
        const int index = book.InteriorColorIndex(table.sheet, r, c);
        if (index != workbook::kColorIndexNone && index != 0) return true;
      }
    }
    return false;
  }

  AbortingHost host;
  std::unique_ptr<Session> session;
  std::unique_ptr<RunProgress> progress;
  std::unique_ptr<CreationDriver> driver;
  std::string first_mismatch;
};

struct WorkbookCase {
  const char* name;
  fs::path (*write)(const fs::path&);
};

class DriverEndToEnd : public DriverTest, public ::testing::WithParamInterface<WorkbookCase> {};

// Under the sanitizers every accepted move is rechecked and a seed takes some fifty
// times as long, so fewer small seeds run there.
#ifdef TSUMIKI_SANITIZED_BUILD
constexpr std::uint64_t kSmallSeeds = 5;
#else
constexpr std::uint64_t kSmallSeeds = 20;
#endif

TEST_P(DriverEndToEnd, SeedsCompleteAndBreakNoRule) {
  const fs::path path = GetParam().write(FreshDir(GetParam().name));
  // The small seeds and the desktop program's own.
  std::vector<std::uint64_t> seeds{20270101};
  for (std::uint64_t s = 1; s <= kSmallSeeds; ++s) seeds.push_back(s);
  for (const std::uint64_t seed : seeds) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Open(path, seed);
    const CreateResult result = driver->StartAction();
    ASSERT_EQ(result.outcome, CreateOutcome::kCreated)
        << ::testing::PrintToString(NoticeTexts(result));
    const ConditionModel& model = session->Model();
    EXPECT_EQ(first_mismatch, "");
    // More staff than needed is by design: the work-day adjustment adds duties on
    // purpose to bring members up to their target.
    testing::CheckOptions options;
    options.work_days_exact = true;
    options.extra_staff_on_every_type = true;
    const auto problems = testing::CheckRoster(model, options);
    EXPECT_TRUE(problems.empty()) << testing::JoinProblems(problems);
    // The sheet holds what the model holds.
    const auto grid = SheetRoster();
    for (int m = 1; m <= model.MemberCount; ++m) {
      for (int d = 1; d <= model.DayCount; ++d) {
        const int t = model.Roster(m, d);
        ASSERT_EQ(grid[m - 1][d - 1], t >= 1 ? model.TypeAbbrev(t) : "") << m << "," << d;
      }
    }
    EXPECT_TRUE(ColourMacroRan());
    ASSERT_FALSE(result.notices.empty());
    EXPECT_EQ(result.notices.back().title, "作成完了");
    EXPECT_EQ(result.notices.back().text, result.message);
    EXPECT_EQ(result.message.rfind("所要時間 ", 0), 0u);
    if (HasFatalFailure() || !first_mismatch.empty()) return;
  }
}

fs::path WriteSampleCase(const fs::path& dir) {
  return driver_test::WriteSample(dir);
}
fs::path WriteTightCase(const fs::path& dir) {
  return driver_test::WriteTight(dir);
}
fs::path WriteLateStartCase(const fs::path& dir) {
  const fs::path path = driver_test::WriteReservedLateStart(dir);
  // Days 1..9 are built once with the whole month, then kept as the start of the
  // month being built from day 10.
  {
    testing::ScriptedHost host;
    Session session(host, SessionOptions{dir, path, 99});
    if (!session.StartUp()) return path;
    CreationDriver driver(session.Context());
    driver.StartAction();
    Put(session.Book(), layout::kStartDayOfMonth, 1, 1, 10);
    session.Close(true);
  }
  return path;
}
fs::path WritePrevMonthCase(const fs::path& dir) {
  return driver_test::WritePrevMonthTail(dir);
}

INSTANTIATE_TEST_SUITE_P(Workbooks, DriverEndToEnd,
                         ::testing::Values(WorkbookCase{"sample", WriteSampleCase},
                                           WorkbookCase{"tight", WriteTightCase},
                                           WorkbookCase{"late_start", WriteLateStartCase},
                                           WorkbookCase{"prev_month", WritePrevMonthCase}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DriverTest, StartDayTenReadsTheFirstNineDaysBackAndKeepsThem) {
  const fs::path path = WriteLateStartCase(FreshDir("start_day_10"));
  Open(path, 5);
  const auto before = SheetRoster();
  bool checked_load = false;
  driver->SetObserver([&](DriverEvent event, int day) {
    if (event != DriverEvent::kLoaded) return;
    EXPECT_EQ(day, 10);
    EXPECT_EQ(TallyMismatch(session->Model()).find("WorkDays"), std::string::npos);
    // Days 1..9 are in the model and counted before day 10 is built.
    const ConditionModel& model = session->Model();
    int counted = 0;
    for (int m = 1; m <= model.MemberCount; ++m) {
      for (int d = 1; d <= 9; ++d) {
        const int t = model.Roster(m, d);
        EXPECT_EQ(before[m - 1][d - 1], t >= 1 ? model.TypeAbbrev(t) : "");
        if (t >= 1) ++counted;
      }
    }
    EXPECT_GT(counted, 0);
    checked_load = true;
  });
  ASSERT_EQ(driver->StartAction().outcome, CreateOutcome::kCreated);
  EXPECT_TRUE(checked_load);
  const auto after = SheetRoster();
  for (int m = 0; m < session->Model().MemberCount; ++m) {
    for (int d = 0; d < 9; ++d) EXPECT_EQ(after[m][d], before[m][d]) << m + 1 << "," << d + 1;
  }
}

// A month no pass can staff although every member may take a day duty: a
// forbidden combination of all members lets only one of them on 日 a day, and
// day 1 needs more. The check before the first pass does not see combinations.
fs::path WriteUnstaffable(const fs::path& dir, float minutes) {
  const fs::path path = driver_test::WriteSample(dir);
  auto book = workbook::Workbook::Open(path);
  Put(*book, layout::kForbiddenComboCnt, 1, 1, layout::kForbiddenCombos.rows);
  const int row = layout::kForbiddenCombos.rows;
  Put(*book, layout::kForbiddenCombos, row, 1, "日勤");
  Put(*book, layout::kForbiddenCombos, row, 2, 2);
  for (int j = 1; j <= 20; ++j) Put(*book, layout::kForbiddenCombos, row, 4 + 5 * (j - 1), j);
  Put(*book, layout::kTimeLimit, 1, 1, static_cast<double>(minutes));
  book->Save();
  return path;
}

TEST_F(DriverTest, UnstaffableMonthEndsAtTheTimeLimitNamingTheFailedSlot) {
  Open(WriteUnstaffable(FreshDir("unstaffable"), 1.0f), 3);
  // The search alone: the exact model proves at once that day 1 has no month.
  session->Values().UseExactModel = false;
  host.TickEvery(10);
  const CreateResult result = driver->StartAction();
  EXPECT_EQ(result.outcome, CreateOutcome::kTimeLimit);
  EXPECT_EQ(result.explanation_title, "勤務に就けない理由");
  const auto texts = host.MessageTexts();
  EXPECT_TRUE(
      Contains(texts, "制限時間の1分が過ぎました！\n処理を中止します。\n\n1日の [日] を確保失敗！"))
      << ::testing::PrintToString(texts);
  EXPECT_FALSE(AnyStartsWith(NoticeTexts(result), "所要時間"));
  EXPECT_FALSE(ColourMacroRan());
  // The open places of the nearest month come first, then the failed slot is
  // explained member by member.
  EXPECT_EQ(result.explanation.find("制限時間内に作れた最も近い勤務表で、埋まらなかった枠（"), 0u)
      << result.explanation;
  EXPECT_NE(result.explanation.find("\n　1月1日(金) 日 "), std::string::npos) << result.explanation;
  EXPECT_NE(result.explanation.find("【1月1日 日（必要 "), std::string::npos) << result.explanation;
  EXPECT_NE(result.explanation.find("：組合せ禁止\n"), std::string::npos) << result.explanation;
  EXPECT_TRUE(Contains(host.StatusTexts(), "確保失敗! 再挑戦!!・中止ボタンで中止！"));
  EXPECT_TRUE(Contains(host.StatusTexts(), "再挑戦中！"));
  EXPECT_FALSE(host.ProgressVisible());
  EXPECT_EQ(first_mismatch, "");
}

TEST_F(DriverTest, AbortWhileADayIsBuiltEndsWithoutSuccess) {
  Open(driver_test::WriteSample(FreshDir("abort_day")), 4);
  host.AbortWhen([this] {
    return host.ProgressVisible() && !host.ProgressViews().empty() &&
           host.ProgressViews().back().bar_value == 6;
  });
  const CreateResult result = driver->StartAction();
  EXPECT_EQ(result.outcome, CreateOutcome::kAborted);
  EXPECT_FALSE(AnyStartsWith(NoticeTexts(result), "所要時間"));
  EXPECT_FALSE(ColourMacroRan());
  EXPECT_FALSE(session->Run().RosterComplete);
  EXPECT_EQ(first_mismatch, "");
}

TEST_F(DriverTest, AbortDuringTheFailurePauseEndsWithoutSuccess) {
  Open(WriteUnstaffable(FreshDir("abort_pause"), 30.0f), 4);
  session->Values().UseExactModel = false;  // the pause comes before a new pass
  host.AbortWhen([this] {
    const auto& statuses = host.StatusViews();
    return !statuses.empty() && statuses.back().text == kStatusDayFailed;
  });
  const CreateResult result = driver->StartAction();
  EXPECT_EQ(result.outcome, CreateOutcome::kAborted);
  EXPECT_FALSE(AnyStartsWith(NoticeTexts(result), "所要時間"));
  EXPECT_FALSE(AnyStartsWith(host.MessageTexts(), "制限時間"));
  EXPECT_EQ(session->Run().PassCount, 1);
}

TEST_F(DriverTest, AbortDuringOptimisationEndsWithoutSuccess) {
  Open(driver_test::WriteSample(FreshDir("abort_optimise")), 4);
  host.AbortWhen([this] { return host.OptimiseVisible() && session->Run().RosterComplete; });
  const CreateResult result = driver->StartAction();
  EXPECT_EQ(result.outcome, CreateOutcome::kAborted);
  EXPECT_FALSE(AnyStartsWith(NoticeTexts(result), "所要時間"));
  EXPECT_FALSE(ColourMacroRan());
  EXPECT_EQ(first_mismatch, "");
}

TEST_F(DriverTest, AnUnexpectedFailureStopsTheRunAndPutsTheRosterBack) {
  const fs::path path = driver_test::WriteSample(FreshDir("failure"));
  {
    auto book = workbook::Workbook::Open(path);
    Put(*book, layout::kTimeTable, 3, 5, "日");
    book->Save();
  }
  Open(path, 6);
  const auto before = SheetRoster();
  host.FailWhen([this] {
    return !host.ProgressViews().empty() && host.ProgressViews().back().bar_value == 8;
  });
  const CreateResult result = driver->StartAction();
  EXPECT_EQ(result.outcome, CreateOutcome::kFailed);
  EXPECT_FALSE(session->Run().RosterComplete);
  EXPECT_EQ(SheetRoster(), before);
  EXPECT_FALSE(AnyStartsWith(NoticeTexts(result), "所要時間"));
  EXPECT_FALSE(ColourMacroRan());
  ASSERT_FALSE(result.notices.empty());
  const Notice& shown = result.notices.back();
  EXPECT_EQ(shown.title, "作成中止");
  EXPECT_EQ(shown.icon, MsgIcon::kCritical);
  const workbook::WorkbookError cause(workbook::WorkbookError::Kind::kBadValue,
                                      {"shift.xlsm", "人員配置表", "Time_Table", "C3"});
  EXPECT_EQ(shown.text, "シフト表の作成を中止しました。\n" + cause.JapaneseMessage() +
                            "\nシフト表の内容は作成前に戻しました。");
  EXPECT_FALSE(host.ProgressVisible());
}

TEST_F(DriverTest, AFixedSeedGivesTheSameRoster) {
  const fs::path path = driver_test::WriteSample(FreshDir("repeat"));
  Open(path, 11);
  ASSERT_EQ(driver->StartAction().outcome, CreateOutcome::kCreated);
  const auto first = SheetRoster();
  Open(path, 11);
  ASSERT_EQ(driver->StartAction().outcome, CreateOutcome::kCreated);
  EXPECT_EQ(SheetRoster(), first);
}

TEST_F(DriverTest, ShortfallWithoutAdjustmentAsksAndKeepsTheResultOnNo) {
  const fs::path path = driver_test::WriteSample(FreshDir("retry_question"));
  {
    auto book = workbook::Workbook::Open(path);
    Put(*book, layout::kWorkDayAdjust, 1, 1, false);
    Put(*book, layout::kMemberDayOff, 1, 1, 1);  // 30 work days: never reached
    book->Save();
  }
  Open(path, 2);
  int asked = 0;
  // Once more, then keep it for adjustment by hand.
  driver->SetRetryQuestion([&asked] { return ++asked == 1; });
  const CreateResult result = driver->StartAction();
  EXPECT_EQ(result.outcome, CreateOutcome::kCreated);
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(host.Messages().empty());
  ASSERT_EQ(result.notices.size(), 1u);
  EXPECT_EQ(result.notices.back().title, "作成完了");
  EXPECT_EQ(first_mismatch, "");
}

TEST_F(DriverTest, EmptyRosterHasNoTotals) {
  Open(driver_test::WriteSample(FreshDir("totals")), 1);
  EXPECT_EQ(単勤単休総数情報(session->Context()), "データはありません");
}

TEST(DriverTexts, ElapsedTimeShowsMinutesAndSecondsOnly) {
  EXPECT_EQ(ElapsedText(65'000), "01:05");
  EXPECT_EQ(ElapsedText(3'720'000), "02:00");  // 1 h 2 min: hours are not shown
  EXPECT_EQ(ElapsedText(999), "00:00");
  EXPECT_EQ(ElapsedText(-5), "00:00");
}

}  // namespace
}  // namespace tsumiki
