#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/cli_texts.h"
#include "cli/command_session.h"
#include "cli/commands.h"
#include "cli/value_checks.h"
#include "conditions/layout.h"
#include "conditions/load_lookups.h"
#include "creation/start_conditions_check.h"
#include "cli/terminal_host.h"
#include "present/readjustment.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kReadjustHelp =
    "シフト表の一つの勤務を、勤務の入れ替えで休みに変更します（再調整）";
constexpr std::string_view kMemberHelp = "職員番号";
constexpr std::string_view kYesHelp = "確認の質問にすべて OK で答えます";

constexpr std::string_view kCommandTitle = "再調整";
constexpr std::string_view kApplied = "次のように勤務を入れ替えました：";
constexpr std::string_view kArrow = " ⇔ ";

struct ReadjustArgs {
  std::string member;
  std::string day;
  bool yes = false;
};

int Refuse(CliContext& ctx, const std::string& message) {
  return RefuseCommand(ctx, message, kCommandTitle);
}

// A question of the readjustment: asked, or with --yes shown with the answer the
// flag gives.
bool Agreed(CliContext& ctx, const ReadjustReply& question, bool yes) {
  if (!yes) {
    return ctx.host->MessageBox(question.text, question.title, MsgButtons::kOkCancel) ==
           MsgResult::kOk;
  }
  if (ctx.terminal != nullptr) {
    ctx.terminal->ShowAnswered(question.text, question.title, MsgResult::kOk);
  } else {
    ctx.host->MessageBox(question.text, question.title, MsgButtons::kOk);
  }
  return true;
}

// The search for the cell and, when the planner agrees, its exchanges. True when
// they were made.
bool ReadjustCell(CliContext& ctx, Readjustment& readjustment, const ReadjustSelection& cell,
                  bool yes) {
  const ReadjustReply question = readjustment.Confirm(cell);
  if (question.outcome != ReadjustOutcome::kConfirm) {
    ctx.host->MessageBox(question.text, question.title, MsgButtons::kOk);
    return false;
  }
  if (!Agreed(ctx, question, yes)) return false;
  const ReadjustReply proposal = readjustment.Propose(cell);
  for (int k = 0; k < proposal.surprises; ++k) {
    ctx.host->MessageBox(kReadjustImpossibleMessage, "", MsgButtons::kOk);
  }
  if (proposal.outcome != ReadjustOutcome::kProposed) {
    if (!proposal.text.empty()) ctx.host->MessageBox(proposal.text, proposal.title, MsgButtons::kOk);
    return false;
  }
  if (!Agreed(ctx, proposal, yes)) {
    readjustment.Decline();
    return false;
  }
  readjustment.Apply();
  return true;
}

int RunReadjust(CliContext& ctx, const ReadjustArgs& args) {
  auto session = OpenCommandSession(ctx);
  if (!session) return kExitFailure;
  const EngineContext engine = session->Context();
  Readjustment readjustment(engine);
  if (!readjustment.Prepare()) return kExitFailure;

  const auto number = ParseWholeNumberText(args.member);
  const int member = number ? MemberRowOfNumber(engine.model, *number) : 0;
  if (member == 0) return Refuse(ctx, layout::Format(kNoSuchMember, {args.member}));
  const auto day_of_month = ParseWholeNumberText(args.day);
  const int day = day_of_month ? RosterColumnOfDay(engine.model, *day_of_month) : 0;
  if (day == 0) return Refuse(ctx, layout::Format(kNoSuchRosterDay, {args.day}));

  if (!ReadjustCell(ctx, readjustment, readjustment.CellAt(member, day), args.yes)) {
    return kExitFailure;
  }

  ctx.out << kApplied << '\n';
  const ConditionModel& model = engine.model;
  const auto base = BaseDate(model.CreateYear, model.CreateMonth, model.BaseStartDay);
  for (const Exchange& e : readjustment.Exchanges()) {
    ctx.out << "  " << (base ? DateWithWeekday(DayDate(*base, e.day)) : std::to_string(e.day))
            << "  <" << model.MemberInfo(e.a, 1) << ' ' << model.MemberInfo(e.a, 2) << ">" << kArrow
            << "<" << model.MemberInfo(e.b, 1) << ' ' << model.MemberInfo(e.b, 2) << ">\n";
  }
  return CloseCommandSession(ctx, *session, kExitOk);
}

}  // namespace

void AddReadjustCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("readjust", std::string(kReadjustHelp));
  auto args = std::make_shared<ReadjustArgs>();
  sub->add_option("--member", args->member, std::string(kMemberHelp))
      ->type_name("NUMBER")
      ->required();
  sub->add_option("--day", args->day, std::string(kRosterDayHelp))
      ->type_name("N")
      ->required()
      ->check(WholeNumberIn(1, 31));
  sub->add_flag("--yes", args->yes, std::string(kYesHelp));
  OnRun(sub, ctx, [&ctx, args] { return RunReadjust(ctx, *args); });
}

}  // namespace tsumiki::cli
