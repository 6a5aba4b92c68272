#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "cli_run.h"
#include "support/workbook_fixture.h"

namespace tsumiki::cli {
namespace {

namespace fs = std::filesystem;

#ifdef TSUMIKI_HAVE_PDF
// The created sample month goes on one page, A4 and A3 alike.
TEST(ExportCommand, PdfOfTheSampleMonthIsOnePage) {
  testing::ScriptedHost setup;
  auto fx = testing::LayoutWorkbook::Sample(setup);
  const std::string book = fx->path().string();
  CliRun create;
  ASSERT_EQ(create.Run({"--workbook", book, "--batch", "--seed", "1", "--save", "create"}), kExitOk);
  for (const char* paper : {"", "--a3"}) {
    const fs::path pdf = fx->dir() / "roster.pdf";
    CliRun run;
    std::vector<std::string> args{"--workbook", book, "export", "--pdf", pdf.string()};
    if (*paper != '\0') args.push_back(paper);
    ASSERT_EQ(run.Run(args), kExitOk) << run.err.str();
    std::ifstream in(pdf, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string text = bytes.str();
    EXPECT_EQ(text.substr(0, 5), "%PDF-");
    const std::regex page(R"(/Type\s*/Page[^s])");
    EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), page),
                            std::sregex_iterator()),
              1)
        << paper;
  }
}
#endif

}  // namespace
}  // namespace tsumiki::cli
