// How the command line answers what it cannot do: usage errors in Japanese with
// status 2, presses of Ctrl-C the command did not answer, and a workbook with
// a second name.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_texts.h"
#include "cli/terminal_host.h"
#include "cli_run.h"
#include "support/file_bytes.h"
#include "support/workbook_fixture.h"

namespace tsumiki::cli {
namespace {

namespace fs = std::filesystem;

bool Contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

TEST(CommandLineErrors, ParserErrorsAreJapaneseUsageErrors) {
  struct Case {
    std::vector<std::string> args;
    const char* says;
  };
  const Case cases[] = {
      {{"conditions"}, "コマンドを指定してください。"},
      {{"export"}, "--pdf、--ics、--html のどれか一つを指定してください。"},
      {{"nosuch"}, "「nosuch」は使えません"},
      {{"show", "--format", "xml"}, "--format の値「xml」は使えません。text、csv、json のどれか"},
      {{"check", "--format"}, "--format には値を指定してください。"},
      {{"--save", "--no-save", "show"}, "は一緒に指定できません。"},
      {{"readjust", "--member", "1", "--day", "32"}, "--day の値「32」は使えません。1〜31 の整数"},
      {{"create", "--month", "0"}, "--month の値「0」は使えません。1〜12 の整数"},
  };
  for (const Case& c : cases) {
    CliRun run;
    EXPECT_EQ(run.Run(c.args), kExitUsage) << c.args[0];
    const std::string err = run.err.str();
    EXPECT_TRUE(Contains(err, c.says)) << err;
    for (const char* english : {"required", "expected", "excludes", "subcommand", "convert",
                                "allowed", "not in", "FAILED", "Expected", "missing"})
      EXPECT_FALSE(Contains(err, english)) << err;
  }
}

// An empty --workbook (a script's unset variable) is refused, not taken for the
// workbook of the current folder.
TEST(CommandLineErrors, AnEmptyWorkbookNameIsRefused) {
  const fs::path dir = testing::MakeTempDir("cli-empty-workbook");
  const fs::path book = dir / "shift.xlsm";
  testing::WriteSampleWorkbookTo(book);
  const std::string before = testing::ReadFile(book);
  const fs::path cwd = fs::current_path();
  fs::current_path(dir);
  CliRun run;
  EXPECT_EQ(run.Run({"--workbook", "", "--batch", "--save", "mode", "0"}), kExitUsage);
  fs::current_path(cwd);
  EXPECT_TRUE(Contains(run.err.str(), kEmptyWorkbookText)) << run.err.str();
  EXPECT_TRUE(testing::ReadFile(book) == before);
}

// A press that the command never took (before the command line was read, or
// after its last look) does not end in success: nothing was saved.
TEST(CommandLineErrors, AnUnansweredPressEndsTheCommandAsStopped) {
  const fs::path book = testing::MakeTempDir("cli-press") / "shift.xlsm";
  testing::WriteSampleWorkbookTo(book);
  const std::vector<std::vector<std::string>> lines = {
      {"--batch", "init", (book.parent_path() / "new.xlsm").string()},
      {"--workbook", book.string(), "--batch", "show"},
      {"--workbook", book.string(), "--batch", "totals"},
  };
  TerminalHost::CatchInterruptsForProcess();
  for (const auto& line : lines) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    CliContext ctx(in, out, err);  // the program's own terminal host
    TerminalHost::NoteInterrupt();
    EXPECT_EQ(RunCli(line, ctx), kExitAborted) << line.back() << err.str();
    EXPECT_FALSE(TerminalHost::InterruptPending());
  }
}

TEST(CommandLineErrors, ASaveWarnsOfTheWorkbooksOtherNames) {
  const fs::path dir = testing::MakeTempDir("cli-hard-link");
  const fs::path book = dir / "shift.xlsm";
  testing::WriteSampleWorkbookTo(book);
  fs::create_hard_link(book, dir / "copy.xlsm");
  CliRun run;
  ASSERT_EQ(run.Run({"--workbook", book.string(), "--batch", "--save", "mode", "0"}), kExitOk)
      << run.err.str();
  bool warned = false;
  for (const auto& message : run.host.Messages())
    warned = warned || (message.title == "警告" && Contains(message.text, "ハードリンク"));
  EXPECT_TRUE(warned);
  // Saved again, the workbook has no other name left.
  CliRun again;
  ASSERT_EQ(again.Run({"--workbook", book.string(), "--batch", "--save", "mode", "1"}), kExitOk);
  for (const auto& message : again.host.Messages()) EXPECT_NE(message.title, "警告");
}

}  // namespace
}  // namespace tsumiki::cli
