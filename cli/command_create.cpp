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

#include "app/main_commands.h"
#include "app/session.h"
#include "cli/command_session.h"
#include "cli/commands.h"
#include "cli/start_condition_flags.h"
#include "cli/terminal_host.h"
#include "conditions/layout_view.h"
#include "creation/driver.h"
#include "creation/driver_texts.h"
#include "creation/start_conditions.h"
#include "creation/start_conditions_apply.h"
#include "present/notices.h"
#include "optimise/score_text.h"

namespace tsumiki::cli {

namespace {

inline constexpr std::string_view kCreateHelp =
    "シフト表を作成します（開始条件を指定すると Main シートに記録してから作成します）";
inline constexpr std::string_view kRetryHelp =
    "休みが多すぎる人が出たとき、尋ねずに作り直します（省略時は結果を残します）";
inline constexpr std::string_view kTotalsHeading = "【単勤単休総数】";
inline constexpr std::string_view kScoreBeforeLabel = "改善前のスコア: ";
inline constexpr std::string_view kScoreAfterLabel = "改善後のスコア: ";

// Exit status beyond the common ones: a run stopped by the time limit.
inline constexpr int kExitTimeLimit = 4;

inline constexpr std::string_view kNearestHelp =
    "勤務表が存在しないとき、不足のセルを空けて印を付けた最も近い勤務表を書き込みます"
    "（終了状態は 1 のまま、--save で保存します）";
inline constexpr std::string_view kNoExactHelp =
    "厳密解法を使わず、探索だけで作成します（比較用）";

struct CreateArgs {
  StartConditionFlags conditions;
  bool retry = false;
  bool nearest = false;
  bool no_exact = false;
};

// Flags given on the command line, over the stored values, checked and stored as
// the start-condition dialog does. False after a refusal, which has been shown.
bool StoreFlags(const EngineContext& context, Host& host, const StartConditionFlags& flags) {
  StartConditionsRequest request =
      StartConditionsRequest::From(ReadStoredStartConditions(context));
  request.texts = flags.Over(request.texts);
  const StartConditionsApplied applied = ApplyStartConditions(context, request);
  if (applied.refusal) ShowNotice(host, *applied.refusal);
  return applied.stored;
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
    case CreateOutcome::kNoMonthExists:
    case CreateOutcome::kBrokenMonth:
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
  // --retry answers the question itself; the terminal still shows it with the answer.
  CreationDriver::RetryQuestion retry;
  if (args.retry) {
    retry = [&ctx] {
      if (ctx.terminal != nullptr) {
        ctx.terminal->ShowAnswered(kRetryQuestion, kRetryQuestionTitle, MsgResult::kYes);
      }
      return true;
    };
  }

  std::unique_ptr<Session> session = OpenCommandSession(ctx);
  if (!session) return kExitFailure;
  EngineContext context = session->Context();
  session->Values().WriteNearestMonth = args.nearest;
  session->Values().UseExactModel = !args.no_exact;
  if (args.conditions.Any() && !StoreFlags(context, host, args.conditions)) {
    return CloseCommandSession(ctx, *session, kExitFailure);
  }

  // Ctrl-C while the workbook loaded: no run is started.
  if (ctx.interrupted) return CloseCommandSession(ctx, *session, kExitAborted);

  // The desktop's create button: the roster sheet in front, then the whole run.
  const CreateResult result = MainCommands(*session).CreateRoster(std::move(retry));
  if (ctx.progress != nullptr) ctx.progress->ClearProgressLine();
  if (result.outcome == CreateOutcome::kCreated) {
    ctx.out << layout::RosterText(session->Book(), WantsColour(ctx));
    ctx.out << '\n' << kTotalsHeading << '\n' << result.totals;
    if (result.improvement) {
      ctx.out << kScoreBeforeLabel << FormatScore(result.improvement->before, 2) << '\n'
              << kScoreAfterLabel << FormatScore(result.improvement->after, 2) << '\n';
    }
  }
  // The nearest month is the planner's to finish: it is kept (saved as --save
  // says) though the command still reports that no month exists.
  if (result.nearest_written) {
    ctx.out << layout::RosterText(session->Book(), WantsColour(ctx));
    const int closed = CloseCommandSession(ctx, *session, kExitOk);
    return closed == kExitOk ? ExitStatusOf(result.outcome) : closed;
  }
  // Only a run that created a month has anything to save (CloseCommandSession
  // saves nothing after a non-zero status); otherwise the save question, or its
  // answer from --save / --no-save.
  return CloseCommandSession(ctx, *session, ExitStatusOf(result.outcome));
}

}  // namespace

void AddCreateCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("create", std::string(kCreateHelp));
  auto args = std::make_shared<CreateArgs>();
  AddStartConditionFlags(*sub, args->conditions);
  sub->add_flag("--retry", args->retry, std::string(kRetryHelp));
  sub->add_flag("--nearest", args->nearest, std::string(kNearestHelp));
  sub->add_flag("--no-exact", args->no_exact, std::string(kNoExactHelp));
  OnRun(sub, ctx, [&ctx, args] { return RunCreate(ctx, *args); });
}

}  // namespace tsumiki::cli
