#include <CLI/CLI.hpp>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/command_session.h"
#include "cli/commands.h"
#include "creation/driver.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kTotalsHelp = "シフト表の単勤（一日だけの勤務）と単休の総数を表示します";

int RunTotals(CliContext& ctx) {
  auto session = OpenCommandSession(ctx, WorkbookUse::kRead);
  if (!session) return kExitFailure;
  // The totals are a result, so they go to the output rather than into a message.
  ctx.out << 単勤単休総数情報(session->Context());
  return CloseCommandSession(ctx, *session, kExitOk);
}

}  // namespace

void AddTotalsCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("totals", std::string(kTotalsHelp));
  OnRun(sub, ctx, [&ctx] { return RunTotals(ctx); });
}

}  // namespace tsumiki::cli
