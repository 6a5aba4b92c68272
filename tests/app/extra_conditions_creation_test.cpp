#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/session.h"
#include "conditions/layout.h"
#include "conditions/sample_workbook.h"
#include "creation/driver.h"
#include "support/roster_checker.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"

namespace tsumiki {
namespace {

namespace fs = std::filesystem;

class BatchHost : public testing::ScriptedHost {
 public:
  void Sleep(int /*milliseconds*/) override {}
};

struct Cell {
  const layout::NameSpec& area;
  int row;
  int column;
  double value;
};

// The sample month (20 members, 5 duties, January 2027 with five weekends) with
// limits that bind: members there take about three nights, work four weekends and
// have single days off; the least counts and work runs the day filling cannot
// promise are left to the exact model.
// The created month keeps it, as the independent checker reads the limit.
TEST(ExtraConditionsCreation, TheCreatedMonthKeepsEachLimitThatBinds) {
  const std::vector<std::vector<Cell>> cases = {
      {{layout::kDutyMost, 1, 4, 1}, {layout::kDutyMost, 2, 4, 0}},
      {{layout::kWeekendsMost, 3, 1, 2}, {layout::kWeekendsMost, 4, 1, 1}},
      {{layout::kRestRunLeast, 5, 1, 2}, {layout::kRestRunLeast, 6, 1, 2}},
      {{layout::kDutyLeast, 7, 4, 5}, {layout::kWorkRunLeast, 8, 1, 3}},
  };
  const fs::path dir = testing::MakeTempDir("extra-creation");
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(std::string(cases[i].front().area.name));
    const fs::path path = dir / ("case" + std::to_string(i) + ".xlsm");
    layout::WriteSampleWorkbook(path);
    BatchHost host;
    Session session(host, SessionOptions{dir, path, 1});
    ASSERT_TRUE(session.StartUp());
    workbook::Workbook& book = session.Context().book;
    for (const Cell& cell : cases[i])
      book.WriteCell(layout::Range(book, cell.area), cell.row, cell.column, cell.value);
    CreationDriver driver(session.Context());
    ASSERT_EQ(driver.StartAction().outcome, CreateOutcome::kCreated);
    const ConditionModel& model = session.Context().model;
    EXPECT_TRUE(model.Extra.HasHard);
    testing::CheckOptions options;
    options.work_days_at_most_target = true;
    options.work_days_exact = true;
    options.extra_staff_for_targets = true;
    EXPECT_EQ(testing::JoinProblems(testing::CheckRoster(model, options)), "");
    session.Close(false);
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tsumiki
