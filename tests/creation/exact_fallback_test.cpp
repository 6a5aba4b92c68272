#include "creation/exact_fallback.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/session.h"
#include "conditions/layout.h"
#include "creation/driver.h"
#include "creation/driver_texts.h"
#include "support/roster_checker.h"
#include "support/scripted_host.h"

namespace tsumiki {
namespace {

namespace fs = std::filesystem;

fs::path CopyOf(const std::string& name) {
  const fs::path dir = fs::path(TSUMIKI_TEST_TMP) / "exact-fallback" / std::to_string(::getpid());
  fs::create_directories(dir);
  const fs::path path = dir / (name + ".xlsx");
  fs::copy_file(fs::path(TSUMIKI_SOURCE_DIR) / "tests" / "workbooks" / (name + ".xlsx"), path,
                fs::copy_options::overwrite_existing);
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  return path;
}

// Pauses skipped, as in a batch run; presses 中止 once the exact model is awaited
// when asked to.
class FallbackHost : public testing::ScriptedHost {
 public:
  bool abort_while_waiting = false;
  void Sleep(int /*milliseconds*/) override {}
  void DoEvents() override {
    const std::vector<std::string> texts = StatusTexts();
    if (abort_while_waiting && !texts.empty() && texts.back() == kStatusExactSearching) {
      abort_while_waiting = false;
      PressAbort();
    }
    ScriptedHost::DoEvents();
  }
};

struct FallbackRun {
  CreateResult result;
  std::vector<testing::Breach> problems;
  int marked = 0;  // roster cells with the open-cell fill
  bool roster_kept = false;
};

FallbackRun CreateOn(const std::string& name, bool nearest, FallbackHost& host) {
  const fs::path path = CopyOf(name);
  Session session(host, SessionOptions{path.parent_path(), path, 1});
  EXPECT_TRUE(session.StartUp());
  session.Values().WriteNearestMonth = nearest;
  workbook::Workbook& book = session.Book();
  const workbook::CellRange table = layout::Range(book, layout::kTimeTable);
  const workbook::Table before = book.ReadRange(table);
  FallbackRun run;
  run.result = CreationDriver(session.Context()).StartAction();
  const ConditionModel& model = session.Model();
  testing::CheckOptions options;
  options.work_days_exact = true;
  options.extra_staff_for_targets = true;
  options.reservations_override_bans = true;
  run.problems = testing::CheckRoster(model, options);
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = 1; d <= model.DayCount; ++d) {
      run.marked += book.InteriorColorIndex(table.sheet, table.top + m - 1, table.left + d - 1) ==
                    kOpenCellInterior;
    }
  }
  run.roster_kept = book.ReadRange(table) == before;
  session.Close(false);
  return run;
}

// t8 cannot be staffed although every total and every day looks possible: the
// proof lists two people short on one day, and the roster stays as it was.
TEST(ExactFallback, NoMonthListsWhatMustGiveAndKeepsTheRoster) {
  FallbackHost host;
  const FallbackRun run = CreateOn("t8-care22-tight", /*nearest=*/false, host);
  ASSERT_EQ(run.result.outcome, CreateOutcome::kNoMonthExists);
  ASSERT_EQ(run.result.relaxation.size(), 2u);
  for (const std::string& line : run.result.relaxation) {
    EXPECT_EQ(line.rfind("10月7日(木) ", 0), 0u) << line;
    EXPECT_NE(run.result.explanation.find(line), std::string::npos);
  }
  EXPECT_TRUE(run.roster_kept);
  EXPECT_EQ(run.marked, 0);
}

// The nearest month leaves exactly the listed cells open: the checker finds the
// two people short of day 7 and nothing else, and both cells are marked.
TEST(ExactFallback, NearestMonthLeavesOnlyTheListedCellsOpen) {
  FallbackHost host;
  const FallbackRun run = CreateOn("t8-care22-tight", /*nearest=*/true, host);
  ASSERT_EQ(run.result.outcome, CreateOutcome::kNoMonthExists);
  EXPECT_TRUE(run.result.nearest_written);
  ASSERT_EQ(run.problems.size(), 2u) << testing::JoinProblems(run.problems);
  for (const testing::Breach& breach : run.problems) {
    EXPECT_EQ(breach.rule, testing::Rule::kStaffing) << testing::Describe(breach);
    EXPECT_EQ(breach.day, 7);
    EXPECT_EQ(breach.expected - breach.actual, 1);
  }
  EXPECT_EQ(run.marked, 2);
}

// 中止 while the driver waits for the model's least relaxation of a month the
// pre-check refused ends the run with the pre-check's word alone; the model's
// thread has been joined by then (the driver stops it on the way out).
TEST(ExactFallback, AbortWhileWaitingLeavesThePreCheckMessage) {
  FallbackHost host;
  host.abort_while_waiting = true;
  const FallbackRun run = CreateOn("t8-care22-tight", /*nearest=*/false, host);
  EXPECT_EQ(run.result.outcome, CreateOutcome::kCannotStaff);
  EXPECT_TRUE(run.result.relaxation.empty());
  EXPECT_TRUE(run.roster_kept);
}

}  // namespace
}  // namespace tsumiki
