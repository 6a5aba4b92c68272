#include <gtest/gtest.h>

#include <CLI/CLI.hpp>
#include <memory>
#include <stdexcept>

#include "cli/cli_texts.h"
#include "cli_run.h"
#include "workbook/workbook_error.h"

namespace tsumiki::cli {
namespace {

// Commands registered the way the program's own commands are.
struct ProbeArgs {
  std::string file;
  bool yes = false;
};

struct Seen {
  int runs = 0;
  ProbeArgs args;
  CliOptions options;
  bool had_host = false;
  bool had_progress = false;
};

CommandAdder ProbeCommands(Seen& seen) {
  return [&seen](CLI::App& app, CliContext& ctx) {
    CLI::App* probe = app.add_subcommand("probe", "試し");
    auto args = std::make_shared<ProbeArgs>();
    probe->add_option("file", args->file);
    probe->add_flag("--yes", args->yes);
    OnRun(probe, ctx, [&seen, &ctx, args] {
      ++seen.runs;
      seen.args = *args;
      seen.options = ctx.options;
      seen.had_host = ctx.host != nullptr;
      seen.had_progress = ctx.progress != nullptr;
      return kExitOk;
    });

    CLI::App* group = app.add_subcommand("conditions", "条件");
    group->require_subcommand(1);
    CLI::App* save = group->add_subcommand("save", "保存");
    save->add_option("file", args->file)->required();
    OnRun(save, ctx, [&seen, &ctx, args] {
      ++seen.runs;
      seen.args = *args;
      seen.options = ctx.options;
      return kExitOk;
    });

    CLI::App* fail = app.add_subcommand("fail", "失敗");
    OnRun(fail, ctx, []() -> int {
      throw workbook::WorkbookError(workbook::WorkbookError::Kind::kMissingSheet,
                                    {"shift.xlsm", "Main", "", ""});
    });
    CLI::App* crash = app.add_subcommand("crash", "例外");
    OnRun(crash, ctx, []() -> int { throw std::runtime_error("boom"); });
  };
}

TEST(RunCliTest, GlobalOptionsStandBeforeOrAfterTheCommand) {
  const std::vector<std::vector<std::string>> lines = {
      {"--workbook", "a.xlsm", "--seed", "42", "--batch", "--save", "probe", "f.csv", "--yes"},
      {"probe", "f.csv", "--yes", "--workbook", "a.xlsm", "--seed", "42", "--batch", "--save"},
      {"--seed", "42", "probe", "--batch", "f.csv", "--workbook=a.xlsm", "--yes", "--save"},
  };
  for (const auto& line : lines) {
    Seen seen;
    CliRun run;
    EXPECT_EQ(run.Run(line, ProbeCommands(seen)), kExitOk) << run.err.str();
    EXPECT_EQ(seen.runs, 1);
    EXPECT_EQ(seen.args.file, "f.csv");
    EXPECT_TRUE(seen.args.yes);
    EXPECT_EQ(seen.options.workbook, "a.xlsm");
    EXPECT_EQ(seen.options.seed, 42u);
    EXPECT_TRUE(seen.options.batch);
    EXPECT_EQ(seen.options.save, true);
    EXPECT_TRUE(seen.had_host);
    EXPECT_TRUE(seen.had_progress);
  }
}

TEST(RunCliTest, GlobalOptionsAfterANestedCommand) {
  Seen seen;
  CliRun run;
  EXPECT_EQ(
      run.Run({"conditions", "save", "out.csv", "--no-save", "--seed", "7"}, ProbeCommands(seen)),
      kExitOk)
      << run.err.str();
  EXPECT_EQ(seen.args.file, "out.csv");
  EXPECT_EQ(seen.options.save, false);
  EXPECT_EQ(seen.options.seed, 7u);
}

TEST(RunCliTest, DefaultsWhenNoGlobalOptionIsGiven) {
  Seen seen;
  CliRun run;
  EXPECT_EQ(run.Run({"probe"}, ProbeCommands(seen)), kExitOk);
  EXPECT_EQ(seen.options.workbook, "");
  EXPECT_EQ(seen.options.seed, std::nullopt);
  EXPECT_FALSE(seen.options.batch);
  EXPECT_EQ(seen.options.save, std::nullopt);
}

TEST(RunCliTest, UsageErrorsRunNothing) {
  const std::vector<std::vector<std::string>> lines = {
      {"probe", "--save", "--no-save"},
      {"--seed", "-3", "probe"},
      {"--seed", "abc", "probe"},
      {"nosuchcommand"},
      {"probe", "--bogus"},
      {"conditions"},
  };
  for (const auto& line : lines) {
    Seen seen;
    CliRun run;
    EXPECT_EQ(run.Run(line, ProbeCommands(seen)), kExitUsage) << line[0];
    EXPECT_EQ(seen.runs, 0);
    EXPECT_NE(run.err.str().find(std::string(kUsageErrorLead)), std::string::npos);
    EXPECT_NE(run.err.str().find(std::string(kUsageHint)), std::string::npos);
  }
}

TEST(RunCliTest, NoCommandIsAUsageError) {
  Seen seen;
  CliRun run;
  EXPECT_EQ(run.Run({"--batch"}, ProbeCommands(seen)), kExitUsage);
  EXPECT_EQ(run.err.str().rfind(std::string(kNoCommandText) + "\n", 0), 0u);
}

TEST(RunCliTest, VersionPrintsTitleAndVersion) {
  CliRun run;
  EXPECT_EQ(run.Run({"--version"}), kExitOk);
  EXPECT_EQ(run.out.str(), "<ツミキ>1.05\n");
}

TEST(RunCliTest, HelpSucceeds) {
  Seen seen;
  CliRun run;
  EXPECT_EQ(run.Run({"--help"}, ProbeCommands(seen)), kExitOk);
  EXPECT_NE(run.out.str().find("--workbook"), std::string::npos);
  EXPECT_EQ(seen.runs, 0);
}

TEST(RunCliTest, WorkbookErrorBecomesItsJapaneseMessageAndStatusOne) {
  Seen seen;
  CliRun run;
  EXPECT_EQ(run.Run({"fail"}, ProbeCommands(seen)), kExitFailure);
  EXPECT_EQ(run.err.str(), "ファイル「shift.xlsm」シート「Main」：シートがありません。\n");
}

TEST(RunCliTest, OtherErrorsAreReportedNotThrown) {
  Seen seen;
  CliRun run;
  EXPECT_EQ(run.Run({"crash"}, ProbeCommands(seen)), kExitFailure);
  EXPECT_EQ(run.err.str(), std::string(kUnexpectedErrorLead) + "boom\n");
}

}  // namespace
}  // namespace tsumiki::cli
