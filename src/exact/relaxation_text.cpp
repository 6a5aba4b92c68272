#include <optional>

#include "conditions/derived_calendar.h"
#include "conditions/layout.h"
#include "exact/exact_texts.h"
#include "exact/relaxation.h"
#include "roster/duty_refusal.h"

namespace tsumiki::exact {

namespace {

// "10月7日(木)": the roster's own day text with the weekday, where the period has
// a calendar date.
std::string DayWithWeekday(const ConditionModel& model, int d) {
  std::string text = RosterDayText(model, d);
  const std::optional<layout::CivilDate> start =
      layout::PeriodStart(model.CreateYear, model.CreateMonth, model.BaseStartDay);
  if (start) {
    text += "(";
    text += layout::WeekdayName(layout::Weekday(layout::AddDays(*start, d - 1)));
    text += ")";
  }
  return text;
}

std::string TypeName(const ConditionModel& model, int t) {
  return t >= 1 && t <= model.TypeCount ? model.TypeAbbrev(t) : std::to_string(t);
}

std::string_view ExtraLimitPattern(Shortfall::Kind kind) {
  switch (kind) {
    case Shortfall::Kind::kWeekendsOver:
      return text::kWeekendsOver;
    case Shortfall::Kind::kRestRunShorter:
      return text::kRestRunShorter;
    default:
      return text::kWorkRunShorter;
  }
}

std::string Line(const ConditionModel& model, const Shortfall& item) {
  const std::string amount = std::to_string(item.amount);
  switch (item.kind) {
    case Shortfall::Kind::kStaffShort:
      return layout::Format(text::kStaffShort,
                            {DayWithWeekday(model, item.day), TypeName(model, item.type), amount});
    case Shortfall::Kind::kFewerWorkDays:
    case Shortfall::Kind::kMoreWorkDays:
      return layout::Format(item.kind == Shortfall::Kind::kFewerWorkDays ? text::kFewerWorkDays
                                                                         : text::kMoreWorkDays,
                            {model.MemberInfo(item.member, 1), model.MemberInfo(item.member, 2),
                             amount});
    case Shortfall::Kind::kDutyLeastShort:
    case Shortfall::Kind::kDutyMostOver:
      return layout::Format(item.kind == Shortfall::Kind::kDutyLeastShort ? text::kDutyLeastShort
                                                                          : text::kDutyMostOver,
                            {model.MemberInfo(item.member, 1), model.MemberInfo(item.member, 2),
                             TypeName(model, item.type), amount});
    case Shortfall::Kind::kWeekendsOver:
    case Shortfall::Kind::kRestRunShorter:
    case Shortfall::Kind::kWorkRunShorter:
      return layout::Format(
          ExtraLimitPattern(item.kind),
          {model.MemberInfo(item.member, 1), model.MemberInfo(item.member, 2), amount});
    case Shortfall::Kind::kComboShort:
      return layout::Format(text::kComboShort,
                            {DayWithWeekday(model, item.day), std::to_string(item.rule),
                             TypeName(model, item.type), amount});
  }
  return {};
}

}  // namespace

std::vector<std::string> RelaxationLines(const ConditionModel& model, const Relaxation& relaxation) {
  std::vector<std::string> lines;
  for (const Shortfall& item : relaxation.items) lines.push_back(Line(model, item));
  return lines;
}

std::string RelaxationText(const ConditionModel& model, const Relaxation& relaxation) {
  std::string joined;
  for (const std::string& line : RelaxationLines(model, relaxation)) joined += line + "\n";
  return joined;
}

}  // namespace tsumiki::exact
