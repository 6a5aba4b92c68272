#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "app/main_commands.h"
#include "cli/command_session.h"
#include "cli/commands.h"
#include "cli/value_checks.h"
#include "creation/driver.h"
#include "creation/start_conditions_check.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kModeHelp =
    "作成方法（確保優先方法）を表示します。番号を付けると変更します";
constexpr std::string_view kModeArgHelp =
    "0 単勤・単休 最少化（高）、1 単勤・単休 最少化（低）、2 確保優先";
constexpr std::string_view kCurrentMark = "＊";
constexpr std::string_view kOtherMark = "　";

struct ModeArgs {
  std::string mode;
  CLI::Option* given = nullptr;
};

void PrintModes(std::ostream& out, int current) {
  for (int mode = 0; mode < static_cast<int>(kModeMessages.size()); ++mode) {
    out << (mode == current ? kCurrentMark : kOtherMark) << mode << ' ' << CreationModeCaption(mode)
        << '\n';
  }
}

int RunMode(CliContext& ctx, const ModeArgs& args) {
  // The range was checked while the command line was read.
  std::optional<int> mode;
  if (args.given->count() > 0) mode = ParseWholeNumberText(args.mode);
  auto session = OpenCommandSession(ctx);
  if (!session) return kExitFailure;
  if (mode) MainCommands(*session).SetCreationMode(*mode);
  PrintModes(ctx.out, session->Values().CreationMode);
  return CloseCommandSession(ctx, *session, kExitOk);
}

}  // namespace

void AddModeCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("mode", std::string(kModeHelp));
  auto args = std::make_shared<ModeArgs>();
  args->given = sub->add_option("MODE", args->mode, std::string(kModeArgHelp))
                    ->check(WholeNumberIn(0, static_cast<int>(kModeMessages.size()) - 1));
  OnRun(sub, ctx, [&ctx, args] { return RunMode(ctx, *args); });
}

}  // namespace tsumiki::cli
