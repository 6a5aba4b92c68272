#include <unistd.h>

#include "app/session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "conditions/layout.h"
#include "conditions/sample_workbook.h"
#include "support/scripted_host.h"
#include "ui/app_identity.h"

namespace tsumiki {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedHost;

fs::path FreshDir(const std::string& name) {
  const fs::path dir = fs::path(TSUMIKI_TEST_TMP) / "session" / (name + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void Touch(const fs::path& path) {
  std::ofstream(path) << "x";
}

TEST(LocateWorkbookName, PrefersXlsmFromVersion12On) {
  const fs::path both = FreshDir("both");
  Touch(both / "shift.xls");
  Touch(both / "shift.xlsm");
  EXPECT_EQ(LocateWorkbookName(both, "16.0"), "shift.xlsm");
  EXPECT_EQ(LocateWorkbookName(both, "12.0"), "shift.xlsm");
  // Versions 9 to 11 only know the old format.
  EXPECT_EQ(LocateWorkbookName(both, "11.0"), "shift.xls");
  EXPECT_EQ(LocateWorkbookName(both, "9.0"), "shift.xls");

  const fs::path old_only = FreshDir("old_only");
  Touch(old_only / "shift.xls");
  EXPECT_EQ(LocateWorkbookName(old_only, "16.0"), "shift.xls");
  // Nothing is checked beyond that: the name may not exist at all.
  EXPECT_EQ(LocateWorkbookName(FreshDir("empty"), "16.0"), "shift.xls");
}

TEST(PlaceAtBottomRight, LeavesTheFixedMarginsToTheScreenEdge) {
  ScreenMetrics screen;  // 1920 x 1080 pixels
  const PixelPoint p = PlaceAtBottomRight(PixelSize{300, 200}, screen);
  EXPECT_EQ(p.left, 1920 - 300 - 16);
  EXPECT_EQ(p.top, 1080 - 200 - 28);
}

class SessionTest : public ::testing::Test {
 protected:
  fs::path WriteSample(const std::string& name) {
    dir = FreshDir(name);
    layout::WriteSampleWorkbook(dir / "shift.xlsm");
    return dir / "shift.xlsm";
  }
  // Changes one cell of the sample on disk.
  void EditSample(const fs::path& path, const layout::NameSpec& name_spec,
                  const workbook::CellValue& value) {
    auto book = workbook::Workbook::Open(path);
    book->WriteCell(layout::Range(*book, name_spec), 1, 1, value);
    book->Save();
  }
  ScriptedHost host;
  fs::path dir;
};

TEST_F(SessionTest, StartUpOpensTheFoldersWorkbookAndReadsTheLastRun) {
  const fs::path path = WriteSample("startup");
  EditSample(path, layout::kAttempts, 2.5);   // halves to even
  EditSample(path, layout::kTimeLimit, 1.5);  // stays a real number
  Session session(host, SessionOptions{dir, std::nullopt, 7});
  ASSERT_TRUE(session.StartUp()) << ::testing::PrintToString(host.MessageTexts());
  EXPECT_EQ(session.Values().WorkbookName, "shift.xlsm");
  EXPECT_EQ(session.Values().ExcelVersion, "16.0");
  EXPECT_EQ(session.Model().AttemptsPerDay, 2);
  EXPECT_FLOAT_EQ(session.Model().TimeLimitMinutes, 1.5f);
  EXPECT_GT(session.Model().DayCount, 27);
  EXPECT_GT(session.Model().MemberCount, 0);
  // The status window said what it was doing and was closed at the end.
  ASSERT_FALSE(host.StatusTexts().empty());
  EXPECT_EQ(host.StatusTexts().front(), TitleWithVersion() + "起動中");
  EXPECT_FALSE(host.StatusVisible());
  const workbook::AppState on{true, true, true};
  EXPECT_EQ(session.Book().GetAppState(), on);
}

TEST_F(SessionTest, CreationModeIsGuardedAndKeptInRange) {
  const fs::path path = WriteSample("mode");
  EditSample(path, layout::kCreationMode, 1);
  {
    Session session(host, SessionOptions{dir, std::nullopt, 1});
    ASSERT_TRUE(session.StartUp());
    EXPECT_EQ(session.Values().CreationMode, 1);
  }
  EditSample(path, layout::kCreationMode, 7);
  {
    Session session(host, SessionOptions{dir, std::nullopt, 1});
    ASSERT_TRUE(session.StartUp());
    EXPECT_EQ(session.Values().CreationMode, 2);
  }
  EditSample(path, layout::kCreationMode, -1);
  {
    Session session(host, SessionOptions{dir, std::nullopt, 1});
    ASSERT_TRUE(session.StartUp());
    EXPECT_EQ(session.Values().CreationMode, 2);
  }
  EditSample(path, layout::kCreationMode, "0.5");  // the text's number, halves to even
  {
    Session session(host, SessionOptions{dir, std::nullopt, 1});
    ASSERT_TRUE(session.StartUp());
    EXPECT_EQ(session.Values().CreationMode, 0);
  }
}

TEST_F(SessionTest, MissingOrOldWorkbookFailsWithAMessage) {
  dir = FreshDir("missing");
  {
    Session session(host, SessionOptions{dir, std::nullopt, 1});
    EXPECT_FALSE(session.StartUp());
    EXPECT_FALSE(session.IsOpen());
  }
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0].title, "起動エラー");
  EXPECT_EQ(host.Messages()[0].text, "シフト表のワークブックが見つかりません：" +
                                         (dir / "shift.xls").string() + "\n" +
                                         std::string(kWorkbookMissingHint));

  // An old binary workbook (an OLE compound file) is refused, not misread.
  std::ofstream(dir / "shift.xls", std::ios::binary)
      << std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) << std::string(600, '\0');
  Session session(host, SessionOptions{dir, std::nullopt, 1});
  EXPECT_FALSE(session.StartUp());
  ASSERT_EQ(host.Messages().size(), 2u);
  EXPECT_EQ(host.Messages()[1].text, "古い形式（.xls）のワークブックは開けません：" +
                                         (dir / "shift.xls").string() + "\n" +
                                         std::string(kLegacyWorkbookHint));
}

TEST_F(SessionTest, ShutdownCancelKeepsEverythingAndNoDiscards) {
  const fs::path path = WriteSample("shutdown");
  const auto size_before = fs::file_size(path);
  Session session(host, SessionOptions{dir, std::nullopt, 1});
  ASSERT_TRUE(session.StartUp());
  session.Book().WriteCell(layout::Range(session.Book(), layout::kTimeTable), 1, 1, "X");

  host.QueueAnswer(MsgResult::kCancel);
  EXPECT_EQ(session.Shutdown(), ShutdownResult::kCancelled);
  EXPECT_TRUE(session.IsOpen());
  EXPECT_EQ(host.Messages().back().text, "ワークブックに保存していない変更があります。\n保存してから閉じますか？");
  EXPECT_EQ(host.Messages().back().title, "保存確認");
  EXPECT_EQ(host.Messages().back().buttons, MsgButtons::kYesNoCancel);

  host.QueueAnswer(MsgResult::kNo);
  EXPECT_EQ(session.Shutdown(), ShutdownResult::kClosed);
  EXPECT_FALSE(session.IsOpen());
  EXPECT_EQ(host.StatusTexts().back(), "終了処理中");
  EXPECT_EQ(fs::file_size(path), size_before);
  auto reopened = workbook::Workbook::Open(path);
  EXPECT_TRUE(reopened->ReadCell(layout::Range(*reopened, layout::kTimeTable), 1, 1).IsEmpty());
}

TEST_F(SessionTest, ShutdownYesSavesTheWorkbook) {
  const fs::path path = WriteSample("save");
  Session session(host, SessionOptions{dir, std::nullopt, 1});
  ASSERT_TRUE(session.StartUp());
  session.Book().WriteCell(layout::Range(session.Book(), layout::kTimeTable), 1, 1, "X");
  host.QueueAnswer(MsgResult::kYes);
  EXPECT_EQ(session.Shutdown(), ShutdownResult::kClosed);
  auto reopened = workbook::Workbook::Open(path);
  EXPECT_EQ(reopened->ReadCellText(layout::Range(*reopened, layout::kTimeTable), 1, 1), "X");
}

}  // namespace
}  // namespace tsumiki
