#include <CLI/CLI.hpp>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_session.h"
#include "cli/commands.h"
#include "cli/start_condition_flags.h"
#include "conditions/layout.h"
#include "creation/start_conditions.h"
#include "creation/start_conditions_apply.h"

namespace tsumiki::cli {
namespace {

constexpr std::string_view kSettingsHelp =
    "開始条件と最適化比重を表示します（オプションを付けると変更します）";
constexpr std::string_view kWeightHelp =
    "最適化比重（略称または番号=値、休みは 休み=値）。複数指定できます";

constexpr std::string_view kConditionsHeading = "開始条件";
constexpr std::string_view kWeightsHeading = "最適化比重";
constexpr std::string_view kYearLabel = "年";
constexpr std::string_view kMonthLabel = "月";
constexpr std::string_view kDayLabel = "作成開始日";
constexpr std::string_view kBaseDayLabel = "基準開始日";
constexpr std::string_view kAttemptsLabel = "試行回数";
constexpr std::string_view kTimeLimitLabel = "制限時間（分）";
constexpr std::string_view kImproveLabel = "改善時間（秒）";
constexpr std::string_view kSeparator = "：";
constexpr std::string_view kUnset = "（未設定）";


struct SettingsArgs {
  StartConditionFlags conditions;
  std::vector<std::string> weights;
  bool Changes() const { return conditions.Any() || !weights.empty(); }
};

void Line(std::ostream& out, std::string_view label, const std::string& value) {
  out << "  " << label << kSeparator << (value.empty() ? std::string(kUnset) : value) << '\n';
}

void Print(std::ostream& out, const StoredStartConditions& s) {
  out << kConditionsHeading << '\n';
  Line(out, kYearLabel, s.texts.year);
  Line(out, kMonthLabel, s.texts.month);
  Line(out, kDayLabel, s.texts.day);
  Line(out, kBaseDayLabel, s.texts.base_day);
  Line(out, kAttemptsLabel, s.texts.attempts);
  Line(out, kTimeLimitLabel, s.texts.time_limit);
  Line(out, kImproveLabel, s.texts.improve_seconds);
  out << kWeightsHeading << '\n';
  for (std::size_t t = 1; t < s.type_labels.size(); ++t) {
    Line(out, std::to_string(t) + " " + s.type_labels[t], s.weights[t]);
  }
  Line(out, std::to_string(kRestWeightRow) + " " + std::string(kRestWeightLabel),
       s.weights[kRestWeightRow]);
}

int RunSettings(CliContext& ctx, const SettingsArgs& args) {
  auto session = OpenCommandSession(ctx);
  if (!session) return kExitFailure;
  const EngineContext engine = session->Context();
  const StoredStartConditions stored = ReadStoredStartConditions(engine);
  if (!args.Changes()) {
    Print(ctx.out, stored);
    return CloseCommandSession(ctx, *session, kExitOk);
  }

  StartConditionsRequest request = StartConditionsRequest::From(stored);
  request.texts = args.conditions.Over(stored.texts);
  // Unlike the dialog's boxes, a flag's weight is checked.
  request.weight_settings = args.weights;
  const StartConditionsApplied applied = ApplyStartConditions(engine, request);
  if (applied.refusal) {
    return RefuseCommand(ctx, applied.refusal->text, applied.refusal->title);
  }
  Print(ctx.out, ReadStoredStartConditions(engine));
  return CloseCommandSession(ctx, *session, kExitOk);
}

}  // namespace

void AddSettingsCommand(CLI::App& app, CliContext& ctx) {
  CLI::App* sub = app.add_subcommand("settings", std::string(kSettingsHelp));
  auto args = std::make_shared<SettingsArgs>();
  AddStartConditionFlags(*sub, args->conditions);
  sub->add_option("--weight", args->weights, std::string(kWeightHelp))->type_name("TYPE=VALUE");
  OnRun(sub, ctx, [&ctx, args] { return RunSettings(ctx, *args); });
}

}  // namespace tsumiki::cli
