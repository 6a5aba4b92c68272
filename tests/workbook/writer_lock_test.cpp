#include "workbook/writer_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/other_user.h"
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
  const auto start = ProcessStartTime(::getpid());
  ASSERT_TRUE(start);
  EXPECT_GT(*start, 1u);
  const std::string own_start = std::to_string(*start);

  struct Case {
    LockOwner owner;
    bool stale;
  };
  const Case cases[] = {
      {{"ツミキ", "u", ThisHost(), "", "pid:999999999"}, true},
      {{"ツミキ", "u", ThisHost(), "", "pid:" + std::to_string(::getpid())}, false},
      {{"ツミキ", "u", ThisHost(), "", "pid:" + std::to_string(::getpid()) + "/" + own_start},
       false},
      // The number now belongs to a process started at another time.
      {{"ツミキ", "u", ThisHost(), "", "pid:" + std::to_string(::getpid()) + "/1"}, true},
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

// The lock we write carries our start time; a lock whose folder we may not write
// is refused with that reason.
TEST(WriterLock, OursRecordsTheStartAndAFolderWeMayNotWriteSaysSo) {
  const std::filesystem::path dir = testing::MakeTempDir("lock-start-time");
  const std::filesystem::path book = dir / "shift.xlsm";
  std::string refusal;
  auto lock = WriterLock::TryLock(book, refusal);
  ASSERT_TRUE(lock) << refusal;
  std::ifstream in(LockFilePath(book));
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto owner = ParseLockContents(text);
  ASSERT_TRUE(owner) << text;
  EXPECT_EQ(owner->Pid(), ::getpid());
  EXPECT_EQ(owner->StartTime(), ProcessStartTime(::getpid()));
  lock.reset();

  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  EXPECT_TRUE(testing::AsOtherUser([&book] {
    std::string text;
    return !WriterLock::TryLock(book, text) &&
           text.find(std::strerror(EACCES)) != std::string::npos;
  }));
}

}  // namespace
}  // namespace tsumiki::workbook
