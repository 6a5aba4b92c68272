#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_run.h"
#include "support/file_bytes.h"
#include "support/workbook_fixture.h"

namespace tsumiki::cli {
namespace {

namespace fs = std::filesystem;

fs::path CopyOfT8(const std::string& tag) {
  const fs::path path = testing::MakeTempDir(tag) / "t8.xlsx";
  fs::copy_file(fs::path(TSUMIKI_SOURCE_DIR) / "tests" / "workbooks" / "t8-care22-tight.xlsx",
                path, fs::copy_options::overwrite_existing);
  fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
  return path;
}

// t8 has no month (the pre-check finds day 7 short): status 1, what must give in
// the window beside the message (lines after it on a terminal), and the file as it
// was, --save notwithstanding. With --nearest the nearest month is saved, and the
// status still says that no month exists.
TEST(NoMonth, StatusOneListsWhatMustGiveAndSavesOnlyTheNearestMonth) {
  for (const bool nearest : {false, true}) {
    SCOPED_TRACE(nearest ? "--nearest" : "plain");
    const fs::path path = CopyOfT8(nearest ? "cli-nearest" : "cli-no-month");
    const std::string before = testing::ReadFile(path);
    CliRun run;
    std::vector<std::string> args = {"--workbook", path.string(), "--batch", "--seed", "1",
                                     "--save", "create"};
    if (nearest) args.push_back("--nearest");
    EXPECT_EQ(run.Run(args), kExitFailure);
    ASSERT_EQ(run.host.Explanations().size(), 1u);
    EXPECT_NE(run.host.Explanations()[0].find("10月7日(木) 夜 1 人不足"), std::string::npos)
        << run.host.Explanations()[0];
    EXPECT_EQ(testing::ReadFile(path) == before, !nearest);
  }
}

}  // namespace
}  // namespace tsumiki::cli
