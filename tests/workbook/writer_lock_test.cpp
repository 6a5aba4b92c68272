#include "workbook/writer_lock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

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

}  // namespace
}  // namespace tsumiki::workbook
