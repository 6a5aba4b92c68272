#include "workbook/file_replace.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "support/other_user.h"
#include "support/workbook_fixture.h"
#include "workbook/workbook_error.h"

namespace tsumiki::workbook {
namespace {

namespace fs = std::filesystem;
using tsumiki::testing::ReadFile;

int FilesIn(const fs::path& dir) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir)) ++count;
  return count;
}

TEST(ReplaceFile, ALinkAtTheTemporaryNameIsNotWrittenThrough) {
  const fs::path dir = testing::MakeTempDir("replace-link");
  const fs::path target = dir / "c.csv";
  std::ofstream(dir / "victim") << "victim";
  fs::create_symlink(dir / "victim", TemporaryPathFor(target));
  ReplaceFile(target, "new", {});
  EXPECT_EQ(ReadFile(target), "new");
  EXPECT_EQ(ReadFile(dir / "victim"), "victim");
  EXPECT_FALSE(fs::exists(fs::symlink_status(TemporaryPathFor(target))));
}

TEST(ReplaceFile, AFailureAtAnyStepLeavesTheTargetAndNoTemporaryFile) {
  const fs::path dir = testing::MakeTempDir("replace-fail");
  const fs::path target = dir / "w.xlsm";
  for (const char* failing : {"write", "flush", "verify", "backup", "rename", "before_rename"}) {
    std::ofstream(target, std::ios::trunc) << "old";
    ReplaceSteps steps;
    steps.keep_backup = true;
    steps.probe = [failing](const char* step) {
      if (std::string_view(step) == failing) throw std::runtime_error(step);
    };
    steps.before_rename = [failing] {
      if (std::string_view(failing) == "before_rename") throw std::runtime_error(failing);
    };
    EXPECT_ANY_THROW(ReplaceFile(target, "new", steps)) << failing;
    EXPECT_EQ(ReadFile(target), "old") << failing;
    EXPECT_FALSE(fs::exists(TemporaryPathFor(target))) << failing;
  }
}

// A file this user may not write is refused even where the folder lets it be
// replaced; root saves a file its owner may write, and keeps that owner.
TEST(ReplaceFile, AFileThisUserMayNotWriteIsNotReplaced) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  const fs::path dir = testing::MakeTempDir("replace-owner");
  fs::permissions(dir, fs::perms(0777));
  const fs::path target = dir / "w.xlsm";
  std::ofstream(target) << "old";
  fs::permissions(target, fs::perms(0644));
  EXPECT_TRUE(testing::AsOtherUser([&target] {
    if (!IsReadOnlyFile(target)) return false;
    try {
      ReplaceFile(target, "new", {});
    } catch (const WorkbookError&) {
      return true;
    }
    return false;
  }));
  EXPECT_EQ(ReadFile(target), "old");

  ASSERT_EQ(::chown(target.c_str(), 1, 1), 0);
  EXPECT_FALSE(IsReadOnlyFile(target));
  fs::permissions(target, fs::perms(0444));
  EXPECT_TRUE(IsReadOnlyFile(target));
}

TEST(ReplaceFile, StaleTemporariesOfDeadProcessesOnThisHostAreRemoved) {
  const fs::path dir = testing::MakeTempDir("replace-stale");
  const std::string host = ThisHost();
  const std::string own = std::to_string(::getpid());
  struct Case {
    std::string name;
    bool removed;
  };
  const Case cases[] = {
      {".~tsumiki-shift.xlsm." + host + ".999999999.tmp", true},
      {".~tsumiki-c.csv." + host + "." + own + ".tmp", false},  // this process's
      {".~tsumiki-shift.xlsm.otherhost.999999999.tmp", false},  // maybe alive there
      {".~tsumiki-shift.xlsm." + host + ".99x.tmp", false},
      {".~lock.shift.xlsm#", false},
      {"shift.xlsm.999999999.tmp", false},
  };
  for (const Case& c : cases) std::ofstream(dir / c.name) << "x";
  EXPECT_EQ(RemoveStaleTemporaries(dir), 1);
  for (const Case& c : cases) EXPECT_EQ(fs::exists(dir / c.name), !c.removed) << c.name;
  EXPECT_EQ(FilesIn(dir), 5);
}

}  // namespace
}  // namespace tsumiki::workbook
