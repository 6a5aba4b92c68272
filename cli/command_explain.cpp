// tsumiki explain: for one day of the current roster, every member and the first
// rule that refuses them each duty type (or the one given), as the creation run
// explains a day it could not fill.
#include <CLI/CLI.hpp>
#include <chrono>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/cli_texts.h"
#include "cli/command_session.h"
#include "cli/commands.h"
#include "cli/value_checks.h"
#include "conditions/layout.h"
#include "conditions/load_lookups.h"
#include "conditions/loader.h"
#include "creation/start_conditions_check.h"
#include "present/notices.h"
#include "present/readjust_text.h"
#include "roster/duty_refusal.h"
#include "roster/roster_change.h"
#include "roster/roster_sheet.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kExplainHelp =
    "シフト表の一日について、各職員がその勤務に就けない最初の理由を表示します";
constexpr std::string_view kDutyHelp = "勤務の略称（省略時はその日のすべての勤務）";
constexpr std::string_view kCommandTitle = "勤務不可の理由";
// {0}: the abbreviation as given.
constexpr std::string_view kNoSuchDuty =
    "勤務「{0}」は【勤務名】にありません。勤務の略称を確かめてください。";

struct ExplainArgs {
  std::string day;
  std::optional<std::string> duty;
};

int Refuse(CliContext& ctx, const std::string& message) {
  return RefuseCommand(ctx, message, kCommandTitle);
}

int RunExplain(CliContext& ctx, const ExplainArgs& args) {
  auto session = OpenCommandSession(ctx, WorkbookUse::kRead);
  if (!session) return kExitFailure;
  EngineContext engine = session->Context();
  if (const LoadResult loaded = LoadRosterConditions(engine); loaded.start_day < 0) {
    if (loaded.refusal) ShowNotice(*ctx.host, *loaded.refusal);
    return kExitFailure;
  }
  ConditionModel& model = engine.model;
  ReadRosterBack(engine, 1, model.DayCount, /*quiet=*/true);
  // Without the past totals, so that 勤務日数に達した is judged on the whole month.
  RecountMonth(model);

  const auto day_of_month = ParseWholeNumberText(args.day);
  const int day = day_of_month ? RosterColumnOfDay(model, *day_of_month) : 0;
  if (day == 0) return Refuse(ctx, layout::Format(kNoSuchRosterDay, {args.day}));
  int first = 1;
  int last = model.TypeCount;
  if (args.duty) {
    const int t = AbbrevToType(model, *args.duty);
    if (t < 1 || t > model.TypeCount) return Refuse(ctx, layout::Format(kNoSuchDuty, {*args.duty}));
    first = last = t;
  }
  for (int t = first; t <= last; ++t) ctx.out << ExplainDayDuty(model, day, t);
  // Loading the conditions may have touched the sheet; nothing of it is kept.
  if (session->IsOpen() && session->Close(false) != ShutdownResult::kClosed) return kExitFailure;
  return kExitOk;
}

}  // namespace

void AddExplainCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("explain", std::string(kExplainHelp));
  auto args = std::make_shared<ExplainArgs>();
  sub->add_option("--day", args->day, std::string(kRosterDayHelp))
      ->type_name("D")
      ->required()
      ->check(WholeNumberIn(1, 31));
  sub->add_option("--duty", args->duty, std::string(kDutyHelp))->type_name("ABBREV");
  OnRun(sub, ctx, [&ctx, args] { return RunExplain(ctx, *args); });
}

}  // namespace tsumiki::cli
