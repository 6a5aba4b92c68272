#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "cli/command_session.h"
#include "cli/commands.h"
#include "conditions/layout_view.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kShowHelp = "シフト表（人員配置表）を表示します";

// Colours only for a person at a terminal: not into files or pipes, and not when
// NO_COLOR asks for none.
bool WantsColour(const CliContext& ctx) {
  return &ctx.out == &std::cout && ::isatty(STDOUT_FILENO) == 1 &&
         std::getenv("NO_COLOR") == nullptr;
}

}  // namespace

int RunShow(CliContext& ctx) {
  const std::unique_ptr<Session> session = OpenCommandSession(ctx, WorkbookUse::kRead);
  if (!session) return kExitFailure;
  ctx.out << layout::RosterText(session->Book(), WantsColour(ctx));
  return CloseCommandSession(ctx, *session, kExitOk);
}

void AddShowCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("show", std::string(kShowHelp));
  OnRun(sub, ctx, [&ctx] { return RunShow(ctx); });
}

}  // namespace tsumiki::cli
