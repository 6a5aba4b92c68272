// tsumiki create: start-up on the workbook, optional start conditions, the whole
// creation run with a live progress line, the roster at the end, and the save.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "app/session.h"
#include "cli/command_session.h"
#include "cli/commands.h"
#include "conditions/layout_view.h"
#include "creation/driver.h"
#include "creation/driver_texts.h"
#include "creation/start_conditions.h"
#include "creation/start_conditions_check.h"
#include "optimise/optimise_window.h"

namespace tsumiki::cli {

namespace {

inline constexpr std::string_view kCreateHelp =
    "シフト表を作成します（開始条件を指定すると Main シートに記録してから作成します）";
inline constexpr std::string_view kYearHelp = "作成する年";
inline constexpr std::string_view kMonthHelp = "作成する月";
inline constexpr std::string_view kDayHelp = "作成を始める日";
inline constexpr std::string_view kBaseDayHelp = "基準開始日（シフト表の左端の日）";
inline constexpr std::string_view kAttemptsHelp = "1日分の試行回数";
inline constexpr std::string_view kTimeLimitHelp = "制限時間（分）";
inline constexpr std::string_view kRetryHelp =
    "休みが多すぎる人が出たとき、尋ねずに作り直します（省略時は結果を残します）";
inline constexpr std::string_view kTotalsHeading = "【単勤単休総数】";
inline constexpr std::string_view kImproveHelp = "改善時間（秒、0 で改善しません）";
inline constexpr std::string_view kScoreBeforeLabel = "改善前のスコア: ";
inline constexpr std::string_view kScoreAfterLabel = "改善後のスコア: ";

// Exit statuses beyond the common ones: a run stopped by hand or by the time limit.
inline constexpr int kExitAborted = 3;
inline constexpr int kExitTimeLimit = 4;

struct CreateArgs {
  std::optional<std::string> year;
  std::optional<std::string> month;
  std::optional<std::string> day;
  std::optional<std::string> base_day;
  std::optional<std::string> attempts;
  std::optional<std::string> time_limit;
  std::optional<std::string> improve;
  bool retry = false;
};

bool AnyStartCondition(const CreateArgs& args) {
  return args.year || args.month || args.day || args.base_day || args.attempts || args.time_limit ||
         args.improve;
}

// Flags given on the command line, checked like the start-condition dialog checks
// its fields and stored in the workbook as the dialog stores them. False after a
// refusal, which has been shown.
bool ApplyStartConditions(const EngineContext& context, Host& host, const CreateArgs& args) {
  StoredStartConditions stored = ReadStoredStartConditions(context);
  StartConditionTexts texts = stored.texts;
  if (args.year) texts.year = *args.year;
  if (args.month) texts.month = *args.month;
  if (args.day) texts.day = *args.day;
  if (args.base_day) texts.base_day = *args.base_day;
  if (args.attempts) texts.attempts = *args.attempts;
  if (args.time_limit) texts.time_limit = *args.time_limit;
  if (args.improve) texts.improve_seconds = *args.improve;
  const StartConditionCheck check = CheckStartConditions(texts);
  if (!check.ok()) {
    host.MessageBox(check.refusal->message, check.refusal->title, MsgButtons::kOk);
    return false;
  }
  StoreStartConditions(context, check.values, stored.weights);
  return true;
}

int ExitStatusOf(CreateOutcome outcome) {
  switch (outcome) {
    case CreateOutcome::kCreated:
      return kExitOk;
    case CreateOutcome::kAborted:
      return kExitAborted;
    case CreateOutcome::kTimeLimit:
      return kExitTimeLimit;
    case CreateOutcome::kLoadFailed:
    case CreateOutcome::kFailed:
    case CreateOutcome::kCannotStaff:
      break;
  }
  return kExitFailure;
}

// Colours only for a person at a terminal, as `show` does.
bool WantsColour(const CliContext& ctx) {
  return &ctx.out == &std::cout && ::isatty(STDOUT_FILENO) == 1 &&
         std::getenv("NO_COLOR") == nullptr;
}

int RunCreate(CliContext& ctx, const CreateArgs& args) {
  Host& host = *ctx.host;
  if (args.retry) ctx.PresetAnswer(kRetryQuestionTitle, MsgResult::kYes);

  std::unique_ptr<Session> session = OpenCommandSession(ctx);
  if (!session) return kExitFailure;
  EngineContext context = session->Context();
  if (AnyStartCondition(args) && !ApplyStartConditions(context, host, args)) {
    return CloseCommandSession(ctx, *session, kExitFailure);
  }

  CreationDriver driver(context);
  const CreateResult result = driver.StartAction();
  if (ctx.progress != nullptr) ctx.progress->ClearProgressLine();
  if (result.outcome == CreateOutcome::kCreated) {
    ctx.out << layout::RosterText(session->Book(), WantsColour(ctx));
    ctx.out << '\n' << kTotalsHeading << '\n' << 単勤単休総数情報(context);
    if (result.improvement) {
      ctx.out << kScoreBeforeLabel << FormatScore(result.improvement->before, 2) << '\n'
              << kScoreAfterLabel << FormatScore(result.improvement->after, 2) << '\n';
    }
  }
  // Only a run that created a month has anything to save: any other leaves the
  // workbook file as it was, whatever --save says.
  if (result.outcome != CreateOutcome::kCreated) {
    if (session->IsOpen()) session->Close(false);
    return ExitStatusOf(result.outcome);
  }
  // The save question, or its answer from --save / --no-save.
  return CloseCommandSession(ctx, *session, ExitStatusOf(result.outcome));
}

}  // namespace

void AddCreateCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("create", std::string(kCreateHelp));
  auto args = std::make_shared<CreateArgs>();
  sub->add_option("--year", args->year, std::string(kYearHelp))->type_name("Y");
  sub->add_option("--month", args->month, std::string(kMonthHelp))->type_name("M");
  sub->add_option("--day", args->day, std::string(kDayHelp))->type_name("D");
  sub->add_option("--base-day", args->base_day, std::string(kBaseDayHelp))->type_name("B");
  sub->add_option("--attempts", args->attempts, std::string(kAttemptsHelp))->type_name("N");
  sub->add_option("--time-limit", args->time_limit, std::string(kTimeLimitHelp))->type_name("MIN");
  sub->add_option("--improve-seconds", args->improve, std::string(kImproveHelp))->type_name("S");
  sub->add_flag("--retry", args->retry, std::string(kRetryHelp));
  OnRun(sub, ctx, [&ctx, args] { return RunCreate(ctx, *args); });
}

}  // namespace tsumiki::cli
