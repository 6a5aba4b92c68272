#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "check/roster_export.h"
#include "check/totals_text.h"
#include "cli/command_session.h"
#include "cli/commands.h"
#include "cli/month_reading.h"
#include "cli/value_checks.h"
#include "conditions/layout_view.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kShowHelp = "シフト表（人員配置表）を表示します";
constexpr std::string_view kTotalsHelp =
    "職員別の勤務回数・勤務日数と目標・休日数・単勤・単休、日別の人数と必要数、勤務の凡例も表示しま"
    "す";
constexpr std::string_view kFormatHelp =
    "出力形式（text、他のプログラム向けに csv または json。json には集計も入ります）";

struct ShowArgs {
  bool totals = false;
  std::string format = "text";
};

// Colours only for a person at a terminal: not into files or pipes, and not when
// NO_COLOR asks for none.
bool WantsColour(const CliContext& ctx) {
  return &ctx.out == &std::cout && ::isatty(STDOUT_FILENO) == 1 &&
         std::getenv("NO_COLOR") == nullptr;
}

// The forms computed from the conditions as well as the sheet.
int ShowReadMonth(CliContext& ctx, const ShowArgs& args) {
  auto month = OpenReadMonth(ctx);
  if (!month) return kExitFailure;
  const ConditionModel& model = month->Model();
  if (args.format == "csv") {
    ctx.out << RosterCsv(model, month->judgement.labels);
  } else if (args.format == "json") {
    ctx.out << RosterJson(model, month->judgement.labels, month->judgement.totals);
  } else {
    ctx.out << layout::RosterText(month->session->Book(), WantsColour(ctx)) << "\n"
            << TotalsText(model, month->judgement.labels, month->judgement.totals, WantsColour(ctx));
  }
  return CloseReadMonth(*month);
}

int RunShowWith(CliContext& ctx, const ShowArgs& args) {
  if (args.totals || args.format != "text") return ShowReadMonth(ctx, args);
  return RunShow(ctx);
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
  auto args = std::make_shared<ShowArgs>();
  sub->add_flag("--totals", args->totals, std::string(kTotalsHelp));
  sub->add_option("--format", args->format, std::string(kFormatHelp))
      ->check(OneOf({"text", "csv", "json"}));
  OnRun(sub, ctx, [&ctx, args] { return RunShowWith(ctx, *args); });
}

}  // namespace tsumiki::cli
