#include "check/created_month_check.h"

#include <vector>

#include "check/rule_check.h"
#include "conditions/layout.h"

namespace tsumiki {
namespace {

constexpr std::size_t kFindingsShown = 5;

// {0}: the number of broken rules.
constexpr std::string_view kBrokenRulesLead =
    "作成した勤務表が条件を {0} 件守っていないため、作成に失敗したものとして扱います"
    "（保存しません）。条件の矛盾を直してから作成し直してください。";
// {0}: the day, {1}: the member row, {2}: the rule's name, {3}: the reason.
constexpr std::string_view kBrokenRuleLine = "・{0}日目 {1}：{2}：{3}";

}  // namespace

std::optional<std::string> CreatedMonthRefusal(const ConditionModel& model) {
  std::vector<Finding> hard;
  for (Finding& finding : CheckRosterRules(model)) {
    // The days before the start day are the planner's as they stood, not the run's.
    const bool given = finding.day >= 1 && finding.day < model.StartDay;
    if (finding.rule != RuleKind::kWorkDayTarget && !given) hard.push_back(std::move(finding));
  }
  if (hard.empty()) return std::nullopt;
  std::string text = layout::Format(kBrokenRulesLead, {std::to_string(hard.size())});
  for (std::size_t i = 0; i < hard.size() && i < kFindingsShown; ++i) {
    const Finding& f = hard[i];
    const std::string who =
        f.member >= 1 ? model.MemberInfo(f.member, 1) + " " + model.MemberInfo(f.member, 2) : "";
    text += "\n" + layout::Format(kBrokenRuleLine,
                                  {std::to_string(f.day), who, RuleName(f.rule), f.reason});
  }
  return text;
}

}  // namespace tsumiki
