#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <string_view>

#include "app/main_commands.h"
#include "cli/command_session.h"
#include "cli/commands.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kClearHelp =
    "作成済みのシフト表をクリアします（下旬は先月の欄に転送されます）";
constexpr std::string_view kCleared = "シフト表をクリアしました。";

int RunClear(CliContext& ctx) {
  auto session = OpenCommandSession(ctx);
  if (!session) return kExitFailure;
  MainCommands(*session).ClearRoster();
  ctx.err << kCleared << '\n';
  return CloseCommandSession(ctx, *session, kExitOk);
}

}  // namespace

void AddClearCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("clear", std::string(kClearHelp));
  OnRun(sub, ctx, [&ctx] { return RunClear(ctx); });
}

}  // namespace tsumiki::cli
