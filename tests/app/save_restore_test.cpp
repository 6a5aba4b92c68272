#include "app/save_restore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "conditions/csv_conditions.h"
#include "conditions/layout.h"
#include "support/scripted_host.h"
#include "support/workbook_fixture.h"
#include "workbook/reading_modes.h"

namespace tsumiki {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedHost;

class SaveRestoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    cwd_ = fs::current_path();
    dir_ = testing::MakeTempDir("save-restore");
    testing::WriteSampleWorkbookTo(dir_ / "shift.xlsm");
    session_ = std::make_unique<Session>(host_, SessionOptions{dir_, std::nullopt, 5});
    ASSERT_TRUE(session_->StartUp());
    window_ = std::make_unique<SaveRestoreWindow>(*session_);
    window_->Load();
    first_new_message_ = host_.Messages().size();
  }
  void TearDown() override { fs::current_path(cwd_); }

  // Wraps a macro so the test sees when it ran and whether the window was open.
  void Watch(std::string_view macro) {
    workbook::Workbook& book = session_->Book();
    book.RegisterMacro(layout::MacroKey(macro), [this, macro](workbook::Workbook&) {
      runs_.push_back(std::string(macro) + (window_->IsOpen() ? " (open)" : " (closed)"));
      return std::optional<Notice>();
    });
  }
  workbook::CellValue PathCell() const {
    const workbook::Workbook& book = session_->Book();
    return book.ReadCell(layout::ConditionsPathCell(book), 1, 1);
  }

  fs::path cwd_;
  fs::path dir_;
  ScriptedHost host_;
  std::unique_ptr<Session> session_;
  std::unique_ptr<SaveRestoreWindow> window_;
  std::size_t first_new_message_ = 0;
  std::vector<std::string> runs_;
};

TEST_F(SaveRestoreTest, ExistingFileAndCancelLeavesTheCellAndRunsNothing) {
  Watch(layout::kMacroSaveConditions);
  const fs::path file = dir_ / "old.csv";
  std::ofstream(file) << "keep me";
  const workbook::CellValue before = PathCell();
  host_.QueueFileName(file.string());
  host_.QueueAnswer(MsgResult::kCancel);
  EXPECT_EQ(window_->OnSaveClicked(), SaveRestoreOutcome::kOverwriteDeclined);
  ASSERT_EQ(host_.Messages().size(), first_new_message_ + 1);
  const auto& question = host_.Messages().back();
  EXPECT_EQ(question.text, file.string() + "は既に存在します！\n上書きしますか？");
  EXPECT_EQ(question.title, "ファイル名の確認");
  EXPECT_EQ(question.buttons, MsgButtons::kOkCancel);
  EXPECT_EQ(PathCell(), before);
  EXPECT_TRUE(runs_.empty());
  EXPECT_TRUE(window_->IsOpen());
}

TEST_F(SaveRestoreTest, SaveHandsOverTheFullPathAndClosesBeforeTheMacro) {
  Watch(layout::kMacroSaveConditions);
  fs::current_path(dir_);
  fs::create_directories(dir_ / "sub");
  host_.QueueFileName("new.csv");  // relative to the folder the dialog was in
  fs::current_path(dir_ / "sub");
  EXPECT_EQ(window_->OnSaveClicked(), SaveRestoreOutcome::kSaved);
  EXPECT_EQ(PathCell(), workbook::CellValue((dir_ / "sub" / "new.csv").string()));
  EXPECT_EQ(runs_, (std::vector<std::string>{"!条件保存 (closed)"}));
  EXPECT_EQ(host_.FileDialogs(), (std::vector<std::string>{"save"}));
  EXPECT_EQ(fs::current_path(), dir_);  // back in StartDir
}

// The macro's problem is the outcome, and the planner is told it.
TEST_F(SaveRestoreTest, ASaveTheMacroCouldNotWriteIsAFailure) {
  const fs::path file = dir_ / "missing" / "c.csv";
  EXPECT_EQ(window_->SaveTo(file.string()), SaveRestoreOutcome::kSaveFailed);
  EXPECT_FALSE(fs::exists(file));
  ASSERT_GT(host_.Messages().size(), first_new_message_);
  EXPECT_EQ(host_.Messages().back().title, "条件データの保存と読込");
  EXPECT_EQ(fs::current_path(), dir_);
}

TEST_F(SaveRestoreTest, CancelledDialogChangesNothingButTheFolder) {
  Watch(layout::kMacroSaveConditions);
  Watch(layout::kMacroLoadConditions);
  const workbook::CellValue before = PathCell();
  fs::current_path(fs::temp_directory_path());
  EXPECT_EQ(window_->OnRestoreClicked(), SaveRestoreOutcome::kNoFileChosen);
  EXPECT_EQ(window_->OnSaveClicked(), SaveRestoreOutcome::kNoFileChosen);
  EXPECT_EQ(PathCell(), before);
  EXPECT_TRUE(runs_.empty());
  EXPECT_TRUE(window_->IsOpen());
  EXPECT_EQ(fs::current_path(), dir_);
}

TEST_F(SaveRestoreTest, RestoreReadsTheStartConditionsAgainAndThenCloses) {
  // The real macros: save, change the year in the book, restore the file.
  const fs::path file = dir_ / "conditions.csv";
  host_.QueueFileName(file.string());
  ASSERT_EQ(window_->OnSaveClicked(), SaveRestoreOutcome::kSaved);
  ASSERT_TRUE(fs::is_regular_file(file));

  workbook::Workbook& book = session_->Book();
  const workbook::CellRange year = layout::Range(book, layout::kYear);
  book.WriteCell(year, 1, 1, workbook::CellValue(2031));
  SaveRestoreWindow again(*session_);
  again.Load();
  host_.QueueFileName(file.string());
  EXPECT_EQ(again.OnRestoreClicked(), SaveRestoreOutcome::kRestored);
  EXPECT_FALSE(again.IsOpen());
  // Whatever the file held for 年, the model now has what the sheet shows.
  EXPECT_EQ(session_->Model().CreateYear, workbook::ValueToInt(book.ReadCell(year, 1, 1)));
  EXPECT_EQ(PathCell(), workbook::CellValue(file.string()));
}

TEST_F(SaveRestoreTest, RestoreRunsTheMacroWhileTheWindowIsOpen) {
  const fs::path file = dir_ / "any.csv";
  ASSERT_FALSE(layout::SaveConditionsFile(session_->Book(), file));
  Watch(layout::kMacroLoadConditions);
  host_.QueueFileName(file.string());
  EXPECT_EQ(window_->OnRestoreClicked(), SaveRestoreOutcome::kRestored);
  EXPECT_EQ(runs_, (std::vector<std::string>{"!条件読込 (open)"}));
  EXPECT_FALSE(window_->IsOpen());
}

// A file that is no conditions file is said once and changes nothing: the macro
// does not run and the window stays for another choice.
TEST_F(SaveRestoreTest, ARefusedFileIsSaidOnceAndRunsNothing) {
  const fs::path file = dir_ / "broken.csv";
  std::ofstream(file) << "not conditions";
  Watch(layout::kMacroLoadConditions);
  host_.QueueFileName(file.string());
  EXPECT_EQ(window_->OnRestoreClicked(), SaveRestoreOutcome::kRefused);
  EXPECT_TRUE(runs_.empty());
  EXPECT_TRUE(window_->IsOpen());
  EXPECT_EQ(host_.Messages().size(), first_new_message_ + 1);
}

}  // namespace
}  // namespace tsumiki
