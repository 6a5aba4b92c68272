#include "app/main_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "conditions/layout.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"

namespace tsumiki {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedHost;

// A session over a fresh copy of the sample workbook (no roster yet).
class MainCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::MakeTempDir("main-commands");
    testing::WriteSampleWorkbookTo(dir_ / "shift.xlsm");
    session_ = std::make_unique<Session>(host_, SessionOptions{dir_, std::nullopt, 3});
    ASSERT_TRUE(session_->StartUp()) << ::testing::PrintToString(host_.MessageTexts());
    host_messages_at_start_ = host_.Messages().size();
  }

  // Replaces a macro by one that only notes that it ran.
  void Record(std::string_view macro) {
    session_->Book().RegisterMacro(layout::MacroKey(macro), [this, macro](workbook::Workbook&) {
      macro_log_.emplace_back(macro);
      return std::optional<Notice>();
    });
  }
  std::vector<ScriptedHost::Message> NewMessages() const {
    return {host_.Messages().begin() + static_cast<std::ptrdiff_t>(host_messages_at_start_),
            host_.Messages().end()};
  }
  workbook::CellValue ModeCell() const {
    const workbook::Workbook& book = session_->Book();
    return book.ReadCell(layout::Range(book, layout::kCreationMode), 1, 1);
  }

  fs::path dir_;
  ScriptedHost host_;
  std::unique_ptr<Session> session_;
  std::size_t host_messages_at_start_ = 0;
  std::vector<std::string> macro_log_;
};

TEST_F(MainCommandsTest, ClearTransfersTheLastDaysFirstAndAsksNothing) {
  Record(layout::kMacroTransfer);
  Record(layout::kMacroClear);
  session_->Book().ActivateSheet(layout::kSheetBasic);
  MainCommands(*session_).ClearRoster();  // the sample has no roster yet
  EXPECT_EQ(macro_log_, (std::vector<std::string>{"!先月下旬転送", "!勤務Clear"}));
  EXPECT_TRUE(NewMessages().empty());
  EXPECT_EQ(session_->Book().ActiveSheet(), session_->Book().Sheet(layout::kSheetRoster));
}

TEST_F(MainCommandsTest, ModeItemWritesAndTellsEveryTimeEvenWhenAlreadyTicked) {
  ASSERT_EQ(session_->Values().CreationMode, 2);
  MainCommands commands(*session_);
  session_->Book().WriteCell(layout::Range(session_->Book(), layout::kCreationMode), 1, 1,
                             workbook::CellValue());
  EXPECT_TRUE(commands.SetCreationMode(2));
  EXPECT_EQ(ModeCell(), workbook::CellValue(2));
  EXPECT_TRUE(commands.SetCreationMode(0));
  EXPECT_TRUE(commands.SetCreationMode(1));
  EXPECT_EQ(ModeCell(), workbook::CellValue(1));
  EXPECT_EQ(session_->Values().CreationMode, 1);
  EXPECT_FALSE(commands.SetCreationMode(3));
  EXPECT_EQ(session_->Values().CreationMode, 1);

  const auto messages = NewMessages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0].title, "確保優先");
  EXPECT_EQ(messages[0].text, "要員確保を最優先にして、シフト表を作成します。");
  EXPECT_EQ(messages[1].title, "単勤単休最少化（高）");
  EXPECT_EQ(messages[1].text,
            "単勤（休みに挟まれた一日だけの勤務）、単休（一日だけの休み）を高レベルで最少化して"
            "シフト表を作成します。");
  EXPECT_EQ(messages[2].title, "単勤単休最少化（低）");
  EXPECT_EQ(messages[2].text,
            "単勤（休みに挟まれた一日だけの勤務）、単休（一日だけの休み）を低レベルで最少化して"
            "シフト表を作成します。");
  // Start-up ticked 2; each choice ticks its item again.
  EXPECT_EQ(host_.ModeTicks(), (std::vector<int>{2, 2, 0, 1}));
}

TEST_F(MainCommandsTest, TotalsOfAnEmptyRoster) {
  EXPECT_EQ(MainCommands(*session_).ShowTotals(), "データはありません");
  ASSERT_EQ(NewMessages().size(), 1u);
  EXPECT_EQ(NewMessages()[0].title, "単勤単休総数");
  EXPECT_EQ(NewMessages()[0].text, "データはありません");
}

TEST_F(MainCommandsTest, SheetButtonsGoToTheirSheets) {
  MainCommands commands(*session_);
  const workbook::Workbook& book = session_->Book();
  commands.GoToSheet(SheetButton::kStaffing);
  EXPECT_EQ(book.ActiveSheet(), book.Sheet(layout::kSheetStaffing));
  commands.GoToSheet(SheetButton::kMemberConditions);
  EXPECT_EQ(book.ActiveSheet(), book.Sheet(layout::kSheetSchedule));
  commands.GoToSheet(SheetButton::kBasicSettings);
  EXPECT_EQ(book.ActiveSheet(), book.Sheet(layout::kSheetBasic));
  commands.ShowRoster();
  EXPECT_EQ(book.ActiveSheet(), book.Sheet(layout::kSheetRoster));
}

TEST_F(MainCommandsTest, HelpOpensThePageFromTheBuiltInBase) {
  const auto page = FindHelpPage("開始条件");
  ASSERT_TRUE(page);
  const std::string address = MainCommands(*session_).OpenHelp(*page);
  EXPECT_EQ(host_.OpenedUrls(), (std::vector<std::string>{address}));
  EXPECT_TRUE(address.ends_with("web_dl/tsumiki/Help_shift/kaisi-joken/index.htm")) << address;
}

// Without a browser the planner is told where the page lies, as a file path.
TEST_F(MainCommandsTest, HelpWithoutABrowserSaysWhereThePageIs) {
  host_.SetBrowserAvailable(false);
  const std::string address = MainCommands(*session_).OpenHelp(*FindHelpPage("top"));
  ASSERT_EQ(host_.Messages().size(), 1u);
  const std::string place = HelpPlace(address);
  EXPECT_EQ(host_.Messages()[0].text, layout::Format(kHelpNotOpenedText, {place}));
  if (address.starts_with("file://")) {
    EXPECT_TRUE(fs::is_regular_file(place)) << place;
  }
  EXPECT_EQ(HelpPlace("https://example.org/a.htm"), "https://example.org/a.htm");
}

TEST(HelpPages, EveryPageIsShippedAndFoundByItsTopics) {
  const fs::path shipped = fs::path(TSUMIKI_SOURCE_DIR) / "docs/help" / kHelpPath;
  ASSERT_EQ(HelpPages().size(), 6u);
  for (const HelpPage& page : HelpPages()) {
    EXPECT_TRUE(fs::is_regular_file(shipped / page.page)) << page.page;
    EXPECT_EQ(FindHelpPage(page.topic)->page, page.page);
    EXPECT_EQ(FindHelpPage(page.alias)->page, page.page);
    EXPECT_EQ(FindHelpPage(page.control)->page, page.page);
  }
  EXPECT_EQ(FindHelpPage("")->page, "index.htm");
  EXPECT_EQ(FindHelpPage("joken-hozon")->page, "joken-hozon/joken-hozon.htm");
  EXPECT_FALSE(FindHelpPage("nothing"));
}

TEST(HelpPages, AddressFromTheBaseOrTheRepositoryCopy) {
  const HelpPage top = *FindHelpPage("top");
  const std::string repo = std::string(TSUMIKI_SOURCE_DIR) + "/docs/help";
  // A web base is used as it stands.
  EXPECT_EQ(HelpAddress({"https://example.jp/help", repo}, top),
            "https://example.jp/help/web_dl/tsumiki/Help_shift/index.htm");
  // Installed pages win; missing ones fall back to the repository's copy.
  EXPECT_EQ(HelpAddress({"file://" + repo + "/", "/nowhere"}, top),
            "file://" + repo + "/web_dl/tsumiki/Help_shift/index.htm");
  EXPECT_EQ(HelpAddress({"file:///nowhere/", repo}, top),
            "file://" + repo + "/web_dl/tsumiki/Help_shift/index.htm");
  EXPECT_EQ(HelpAddress({"file:///nowhere/", ""}, top),
            "file:///nowhere/web_dl/tsumiki/Help_shift/index.htm");
}

}  // namespace
}  // namespace tsumiki
