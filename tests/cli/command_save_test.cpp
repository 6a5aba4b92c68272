// What the command line writes to disk, and when it refuses to.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "cli_run.h"
#include "conditions/layout.h"
#include "support/file_bytes.h"
#include "support/workbook_fixture.h"
#include "workbook/file_replace.h"
#include "workbook/writer_lock.h"

namespace tsumiki::cli {
namespace {

namespace fs = std::filesystem;

bool Contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

// The sample workbook with a typo in 個人予定, which the load refuses; kept in a
// folder of its own.
fs::path WriteBrokenSample() {
  testing::ScriptedHost setup;
  auto fx = testing::LayoutWorkbook::Sample(setup);
  fx->SetSchedule(1, 3, "ZZ");
  fx->book().Save();
  const fs::path kept = testing::MakeTempDir("cli-save") / "shift.xlsm";
  fs::copy_file(fx->path(), kept);
  return kept;
}

fs::path WriteSample(std::string_view tag) {
  const fs::path path = testing::MakeTempDir(tag) / "shift.xlsm";
  testing::WriteSampleWorkbookTo(path);
  return path;
}

TEST(SaveOnlyOnSuccess, AFailedOrRefusedCommandLeavesTheBytesAndSaysSo) {
  struct Case {
    const char* what;
    bool broken;
    std::vector<std::string> args;
    int status;
  };
  const Case cases[] = {
      {"load refused", true, {"--batch", "--save", "create"}, kExitFailure},
      {"flag refused", false, {"--batch", "--save", "create", "--attempts", "0"}, kExitUsage},
      {"load refused, settings", true, {"--batch", "--save", "create", "--day", "2"}, kExitFailure},
      {"Ctrl-C while loading", false, {"--batch", "--save", "create"}, kExitAborted},
      {"Ctrl-C while loading, settings",
       false,
       {"--save", "settings", "--attempts", "9"},
       kExitAborted},
  };
  for (const Case& c : cases) {
    const fs::path path = c.broken ? WriteBrokenSample() : WriteSample("cli-save");
    const std::string before = testing::ReadFile(path);
    CliRun run;
    if (c.status == kExitAborted) run.host.AtDoEvents(1, [&run] { run.host.PressAbort(); });
    std::vector<std::string> args{"--workbook", path.string(), "--seed", "1"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    EXPECT_EQ(run.Run(args), c.status) << c.what;
    EXPECT_TRUE(testing::ReadFile(path) == before) << c.what;
    // A usage error is found before any workbook is opened.
    if (c.status != kExitUsage) {
      EXPECT_TRUE(Contains(run.err.str(), "ブックは保存していません")) << c.what << run.err.str();
    }
  }
}

int CreationMode(const fs::path& path) {
  auto book = workbook::Workbook::Open(path);
  return static_cast<int>(
      book->ReadCell(layout::Range(*book, layout::kCreationMode), 1, 1).Number());
}

class SaveTargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cwd_ = fs::current_path();
    dir_ = testing::MakeTempDir("cli-save-target");
    fs::create_directories(dir_ / "sub");
    path_ = dir_ / "sub" / "shift.xlsm";
    testing::WriteSampleWorkbookTo(path_);
  }
  void TearDown() override { fs::current_path(cwd_); }

  // `--batch --save mode 0` on `workbook`, from the folder `dir_`.
  int SetMode(CliRun& run, const std::string& workbook) const {
    fs::current_path(dir_);
    return run.Run({"--workbook", workbook, "--batch", "--save", "mode", "0"});
  }

  fs::path cwd_;
  fs::path dir_;
  fs::path path_;
};

TEST_F(SaveTargetTest, ARelativeWorkbookPathSavesTheFileItNames) {
  CliRun save;
  fs::current_path(dir_);
  ASSERT_EQ(save.Run({"--workbook", "sub/shift.xlsm", "--no-save", "conditions", "save", "c.csv"}),
            kExitOk)
      << save.err.str();
  EXPECT_TRUE(Contains(save.err.str(), "に保存しました")) << save.err.str();
  ASSERT_TRUE(fs::is_regular_file(dir_ / "c.csv"));

  const std::string before = testing::ReadFile(path_);
  CliRun load;
  fs::current_path(dir_);
  ASSERT_EQ(load.Run({"--workbook", "sub/shift.xlsm", "--batch", "--save", "conditions", "load",
                      "c.csv"}),
            kExitOk)
      << load.err.str();
  EXPECT_TRUE(testing::ReadFile(path_) != before);
  EXPECT_FALSE(fs::exists(dir_ / "sub" / "sub"));

  // An old file left in place (a read-only one is not replaced) is no success.
  fs::permissions(dir_ / "c.csv", fs::perms(0444));
  CliRun again;
  fs::current_path(dir_);
  EXPECT_EQ(again.Run({"--workbook", "sub/shift.xlsm", "--no-save", "conditions", "save", "c.csv"}),
            kExitFailure);
  EXPECT_TRUE(Contains(again.err.str(), "に保存できませんでした")) << again.err.str();
}

TEST_F(SaveTargetTest, ALinkedWorkbookIsSavedInItsRealFileWithOwnerAndMode) {
  fs::create_symlink("sub/shift.xlsm", dir_ / "link.xlsm");
  ASSERT_EQ(::chmod(path_.c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(path_.c_str(), 1, 1), 0);
  }
  CliRun run;
  ASSERT_EQ(SetMode(run, "link.xlsm"), kExitOk) << run.err.str();
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.xlsm"));
  EXPECT_EQ(CreationMode(path_), 0);
  struct stat info {};
  ASSERT_EQ(::stat(path_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(info.st_uid, 1u);
  }
  EXPECT_TRUE(fs::exists(dir_ / "sub" / "shift.xlsm.bak"));
}

TEST_F(SaveTargetTest, AReadOnlyOrLockedWorkbookIsRefusedBeforeAnyWork) {
  const fs::path lock = workbook::LockFilePath(path_);
  struct Case {
    const char* what;
    std::function<void()> arrange;
    const char* says;
  };
  std::optional<workbook::WriterLock> held;
  const Case cases[] = {
      {"read-only", [&] { fs::permissions(path_, fs::perms(0444)); }, "読み取り専用"},
      {"second writer",
       [&] {
         std::string refusal;
         held = workbook::WriterLock::TryLock(path_, refusal);
         ASSERT_TRUE(held) << refusal;
       },
       "ツミキ、"},
      {"another program's lock",
       [&] { std::ofstream(lock) << "Someone,someone,elsewhere,01.01.2026 09:00,file:///x;"; },
       "Someone、someone@elsewhere"},
  };
  for (const Case& c : cases) {
    fs::permissions(path_, fs::perms(0644));
    fs::remove(lock);
    c.arrange();
    const std::string before = testing::ReadFile(path_);
    CliRun run;
    EXPECT_EQ(SetMode(run, path_.string()), kExitFailure) << c.what;
    EXPECT_TRUE(testing::ReadFile(path_) == before) << c.what;
    ASSERT_FALSE(run.host.Messages().empty()) << c.what;
    EXPECT_TRUE(Contains(run.host.Messages().front().text, c.says))
        << c.what << run.host.Messages().front().text;
    held.reset();
  }
}

TEST_F(SaveTargetTest, AStaleLockIsTakenOverAndTheLockGoesWithTheCommand) {
  const fs::path lock = workbook::LockFilePath(path_);
  std::ofstream(lock) << workbook::LockContents(
      {"ツミキ", "someone", workbook::ThisHost(), "01.01.2026 09:00", "pid:999999999"});
  CliRun run;
  ASSERT_EQ(SetMode(run, path_.string()), kExitOk) << run.err.str();
  EXPECT_EQ(CreationMode(path_), 0);
  EXPECT_FALSE(fs::exists(lock));
}

}  // namespace
}  // namespace tsumiki::cli
