// tsumiki check: every rule the roster breaks as it stands on the sheet, hand
// edits included, each with the member, the day and the reason.
#include <CLI/CLI.hpp>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "check/roster_export.h"
#include "check/rule_check.h"
#include "cli/commands.h"
#include "cli/month_reading.h"
#include "cli/value_checks.h"
#include "conditions/layout.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kCheckHelp =
    "シフト表が守っていない条件を、職員・日・理由とともにすべて表示します（違反があれば終了状態 "
    "1）";
constexpr std::string_view kFormatHelp = "出力形式（text または json）";
constexpr std::string_view kNoFindings = "条件違反はありません。\n";
// {0}: the number of findings.
constexpr std::string_view kFindingsHead = "条件違反が {0} 件あります。\n";
constexpr std::string_view kWholeMonth = "月全体";

struct CheckArgs {
  std::string format = "text";
};

std::string FindingLine(const ConditionModel& model, const MonthLabels& labels, const Finding& f) {
  std::string line;
  if (f.day >= 1) {
    const std::string weekday = labels.WeekdayText(f.day);
    line += labels.DateText(f.day) + (weekday.empty() ? "" : "(" + weekday + ")");
  } else {
    line += kWholeMonth;
  }
  if (f.member >= 1)
    line += "  " + model.MemberInfo(f.member, 1) + " " + model.MemberInfo(f.member, 2);
  return line + "  " + std::string(RuleName(f.rule)) + "：" + f.reason + "\n";
}

int RunCheck(CliContext& ctx, const CheckArgs& args) {
  auto month = OpenReadMonth(ctx);
  if (!month) return kExitFailure;
  const ConditionModel& model = month->Model();
  const std::vector<Finding>& findings = month->judgement.findings;
  if (args.format == "json") {
    ctx.out << FindingsJson(model, month->judgement.labels, findings);
  } else if (findings.empty()) {
    ctx.out << kNoFindings;
  } else {
    ctx.out << layout::Format(kFindingsHead, {std::to_string(findings.size())});
    for (const Finding& f : findings) ctx.out << FindingLine(model, month->judgement.labels, f);
  }
  return CloseReadMonth(*month, findings.empty() ? kExitOk : kExitFailure);
}

}  // namespace

void AddCheckCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("check", std::string(kCheckHelp));
  auto args = std::make_shared<CheckArgs>();
  sub->add_option("--format", args->format, std::string(kFormatHelp))
      ->check(OneOf({"text", "json"}));
  OnRun(sub, ctx, [&ctx, args] { return RunCheck(ctx, *args); });
}

}  // namespace tsumiki::cli
