#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <regex>
#include <sstream>
#include <string>

#include "cli/pdf_helper.h"
#include "cli_run.h"
#include "support/file_bytes.h"
#include "support/workbook_fixture.h"
#include "workbook/writer_lock.h"

namespace tsumiki::cli {
namespace {

namespace fs = std::filesystem;

// The error output and every message box, as one text.
std::string AllSaid(const CliRun& run) {
  std::string said = run.err.str();
  for (const auto& message : run.host.Messages()) said += message.text + "\n";
  return said;
}

// The conditions file is an output too: agreeing to replace "the file" never
// replaces the workbook it was read from.
TEST(ConditionsSave, NeverReplacesTheWorkbook) {
  const fs::path book = testing::MakeTempDir("conditions-onto-book") / "shift.xlsm";
  testing::WriteSampleWorkbookTo(book);
  const std::string before = testing::ReadFile(book);
  CliRun run;  // the scripted host answers OK to the overwrite question
  EXPECT_EQ(
      run.Run({"--workbook", book.string(), "--no-save", "conditions", "save", book.string()}),
      kExitFailure);
  EXPECT_TRUE(testing::ReadFile(book) == before);
  EXPECT_NE(AllSaid(run).find("読み込んだブックそのもの"), std::string::npos) << AllSaid(run);
}

// The program that draws the PDF, for one scope.
class PdfHelperScope {
 public:
  explicit PdfHelperScope(const std::string& path) { ::setenv(kPdfHelperVariable, path.c_str(), 1); }
  ~PdfHelperScope() { ::unsetenv(kPdfHelperVariable); }
  PdfHelperScope(const PdfHelperScope&) = delete;
  PdfHelperScope& operator=(const PdfHelperScope&) = delete;
};

// A stand-in for the drawing program: a shell script.
fs::path FakeHelper(const fs::path& dir, const std::string& body) {
  const fs::path path = dir / "fake-tsumiki-pdf";
  std::ofstream(path) << "#!/bin/sh\n" << body << '\n';
  fs::permissions(path, fs::perms::owner_all);
  return path;
}
constexpr const char* kDraws = "head -n 1 | grep -qx 'tsumiki-pages 1' && printf '%%PDF-drawn'";

// Presses Ctrl-C at the first DoEvents after `flag` has appeared.
std::shared_ptr<std::function<void()>> AbortOnceExists(testing::ScriptedHost& host,
                                                       const fs::path& flag) {
  auto look = std::make_shared<std::function<void()>>();
  *look = [&host, flag, weak = std::weak_ptr(look)] {
    if (fs::exists(flag)) return host.PressAbort();
    if (const auto again = weak.lock()) host.AtDoEvents(host.DoEventsCount() + 1, *again);
  };
  host.AtDoEvents(1, *look);
  return look;
}

// The command line only lays the page out: the drawing program gets the pages on
// its input, and the file is replaced only when it drew them all; otherwise the
// old file stays and the planner learns why.
TEST(ExportCommand, PdfIsWrittenOnlyWhenTheDrawingProgramDrewIt) {
  const struct {
    const char* what;
    std::optional<std::string> helper;  // nullopt: none installed
    int status;
    std::string file_after;             // empty: as before
    const char* said;
  } cases[] = {
      {"no drawing program", std::nullopt, kExitFailure, "", "tsumiki-gui"},
      {"it fails", "cat >/dev/null; exit 1", kExitFailure, "", "描けませんでした"},
      {"it writes nothing", "cat >/dev/null", kExitFailure, "", "描けませんでした"},
      {"it is killed", "kill -KILL $$", kExitFailure, "", "描けませんでした"},
      {"Ctrl-C while it draws", "touch \"$0.started\"; exec sleep 30", kExitAborted, "",
       "中断したため、PDF は書き出していません"},
      {"it draws", kDraws, kExitOk, "%PDF-drawn", ""},
  };
  for (const auto& c : cases) {
    const fs::path dir = testing::MakeTempDir("export-helper");
    const fs::path book = dir / "shift.xlsm";
    testing::WriteSampleWorkbookTo(book);
    const fs::path target = dir / "roster.pdf";
    std::ofstream(target) << "kept";
    const fs::path helper = c.helper ? FakeHelper(dir, *c.helper) : dir / "none";
    PdfHelperScope scope(helper.string());
    CliRun run;
    const auto abort = AbortOnceExists(run.host, helper.string() + ".started");
    EXPECT_EQ(run.Run({"--workbook", book.string(), "--batch", "export", "--pdf",
                       target.string(), "--force"}),
              c.status)
        << c.what << AllSaid(run);
    EXPECT_EQ(testing::ReadFile(target), c.file_after.empty() ? "kept" : c.file_after) << c.what;
    EXPECT_NE(AllSaid(run).find(c.said), std::string::npos) << c.what << AllSaid(run);
    for (const auto& entry : fs::directory_iterator(dir))
      EXPECT_NE(entry.path().extension(), ".tmp") << c.what << entry.path();
  }
}

#ifdef TSUMIKI_PDF_HELPER_FOR_TESTS
// The created sample month goes on one page, A4 and A3 alike.
TEST(ExportCommand, PdfOfTheSampleMonthIsOnePage) {
  PdfHelperScope helper(TSUMIKI_PDF_HELPER_FOR_TESTS);
  testing::ScriptedHost setup;
  auto fx = testing::LayoutWorkbook::Sample(setup);
  const std::string book = fx->path().string();
  CliRun create;
  ASSERT_EQ(create.Run({"--workbook", book, "--batch", "--seed", "1", "--save", "create"}),
            kExitOk);
  for (const char* paper : {"", "--a3"}) {
    const fs::path pdf = fx->dir() / "roster.pdf";
    CliRun run;
    std::vector<std::string> args{"--workbook", book,         "--batch", "export",
                                  "--pdf",      pdf.string(), "--force"};
    if (*paper != '\0') args.push_back(paper);
    ASSERT_EQ(run.Run(args), kExitOk) << run.err.str();
    std::ifstream in(pdf, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    EXPECT_EQ(text.substr(0, 5), "%PDF-");
    const std::regex page(R"(/Type\s*/Page[^s])");
    EXPECT_EQ(
        std::distance(std::sregex_iterator(text.begin(), text.end(), page), std::sregex_iterator()),
        1)
        << paper;
  }
}
#endif

// An export never lands on the workbook (under any of its names), on a file
// another program holds, on a folder or a device, nor on an existing file that
// nobody agreed to replace; the workbook and the other file keep their bytes.
TEST(ExportCommand, RefusesTargetsThatAreInputsHeldOrNotFiles) {
  struct Case {
    const char* what;
    std::function<fs::path(const fs::path& book)> target;
    std::vector<std::string> flags;
  };
  const auto beside = [](const fs::path& book, const char* name) {
    return book.parent_path() / name;
  };
  const Case cases[] = {
      {"the workbook", [](const fs::path& book) { return book; }, {"--force"}},
      {"a symbolic link to it",
       [&](const fs::path& book) {
         fs::create_symlink(book, beside(book, "link.pdf"));
         return beside(book, "link.pdf");
       },
       {"--force"}},
      {"a hard link to it",
       [&](const fs::path& book) {
         fs::create_hard_link(book, beside(book, "hard.pdf"));
         return beside(book, "hard.pdf");
       },
       {"--force"}},
      {"a file an office program holds",
       [&](const fs::path& book) {
         const fs::path other = beside(book, "held.pdf");
         std::ofstream(other) << "kept";
         std::ofstream(workbook::LockFilePath(other)) << "Hana,hana,pc,01.01.2027 09:00,file;";
         return other;
       },
       {"--force"}},
      {"a folder", [&](const fs::path& book) { return book.parent_path(); }, {"--force"}},
      {"a device", [](const fs::path&) { return fs::path("/dev/full"); }, {"--force"}},
      {"an existing file in a batch run",
       [&](const fs::path& book) {
         const fs::path other = beside(book, "old.pdf");
         std::ofstream(other) << "kept";
         return other;
       },
       {}},
  };
  for (const Case& c : cases) {
    const fs::path book = testing::MakeTempDir("export-refused") / "shift.xlsm";
    testing::WriteSampleWorkbookTo(book);
    PdfHelperScope helper(FakeHelper(book.parent_path(), kDraws).string());
    const std::string before = testing::ReadFile(book);
    const fs::path target = c.target(book);
    const std::string target_before = fs::is_regular_file(target) ? testing::ReadFile(target) : "";
    CliRun run;
    std::vector<std::string> args{"--workbook", book.string(), "--batch",
                                  "export",     "--pdf",       target.string()};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    EXPECT_EQ(run.Run(args), kExitFailure) << c.what << run.err.str();
    EXPECT_TRUE(testing::ReadFile(book) == before) << c.what;
    if (fs::is_regular_file(target)) {
      EXPECT_EQ(testing::ReadFile(target), target_before) << c.what;
    }
    EXPECT_NE(AllSaid(run).find(target.string()), std::string::npos) << c.what << AllSaid(run);
  }
}

// A disk that fills up while the page is written: the command fails, and no
// half-written file or temporary file is left.
TEST(ExportCommand, AFailedWriteLeavesNoFileAndFails) {
  const fs::path book = testing::MakeTempDir("export-full") / "shift.xlsm";
  testing::WriteSampleWorkbookTo(book);
  const fs::path target = book.parent_path() / "roster.pdf";
  PdfHelperScope helper(
      FakeHelper(book.parent_path(), "cat >/dev/null; head -c 5000 /dev/zero").string());
  rlimit old_limit{};
  ::getrlimit(RLIMIT_FSIZE, &old_limit);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old_limit;
  small.rlim_cur = 2000;  // room for the lock file, not for the page
  ::setrlimit(RLIMIT_FSIZE, &small);
  CliRun run;
  const int status =
      run.Run({"--workbook", book.string(), "--batch", "export", "--pdf", target.string()});
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_EQ(status, kExitFailure) << run.err.str();
  for (const auto& entry : fs::directory_iterator(book.parent_path()))
    EXPECT_EQ(entry.path().filename().string().find("roster"), std::string::npos) << entry.path();
  EXPECT_NE(AllSaid(run).find("roster.pdf"), std::string::npos) << AllSaid(run);
}

}  // namespace
}  // namespace tsumiki::cli
