#include "workbook/writer_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/workbook_fixture.h"
#include "workbook/file_replace.h"

namespace tsumiki::workbook {
namespace {

TEST(WriterLock, ContentsRoundTripAndOnlyOurDeadProcessesAreStale) {
  const LockOwner odd{"a,b;c\\d", "user", ThisHost(), "08.12.2026 09:00", "pid:12"};
  const auto parsed = ParseLockContents(LockContents(odd));
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->name, odd.name);
  EXPECT_EQ(parsed->Pid(), 12);
  EXPECT_FALSE(ParseLockContents("no end,,,,"));

  struct Case {
    LockOwner owner;
    bool stale;
  };
  const Case cases[] = {
      {{"ツミキ", "u", ThisHost(), "", "pid:999999999"}, true},
      {{"ツミキ", "u", ThisHost(), "", "pid:" + std::to_string(::getpid())}, false},
      {{"ツミキ", "u", "otherhost", "", "pid:999999999"}, false},
      {{"Someone", "u", ThisHost(), "", "file:///home/u/.config"}, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsStale(c.owner), c.stale) << c.owner.url;
}

TEST(WriterLock, AStartRemovesOnlyAStaleLock) {
  const std::filesystem::path book = testing::MakeTempDir("lock-start") / "shift.xlsm";
  const std::string own = "pid:" + std::to_string(::getpid());
  struct Case {
    LockOwner owner;
    bool removed;
  };
  const Case cases[] = {
      {{"ツミキ", "u", ThisHost(), "", "pid:999999999"}, true},
      {{"ツミキ", "u", ThisHost(), "", own}, false},
      {{"Someone", "u", ThisHost(), "", "file:///home/u/.config"}, false},
  };
  for (const Case& c : cases) {
    std::ofstream(LockFilePath(book)) << LockContents(c.owner);
    RemoveStaleLock(book);
    EXPECT_EQ(std::filesystem::exists(LockFilePath(book)), !c.removed) << c.owner.url;
  }
}

}  // namespace
}  // namespace tsumiki::workbook
