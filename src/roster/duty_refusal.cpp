#include "roster/duty_refusal.h"

#include "conditions/derived_calendar.h"
#include "conditions/layout.h"
#include "roster/combos.h"
#include "roster/duty_mask.h"
#include "roster/extra_rules.h"
#include "roster/patterns.h"
#include "roster/refusal_texts.h"
#include "roster/run_lengths.h"

namespace tsumiki {
namespace {

namespace txt = refusal_text;

int NextDayBanAfter(const ConditionModel& model, int duty) {
  return (duty >= 1 && duty <= model.TypeCount) ? model.NextDayBan(duty) : 0;
}

bool RequiredSequenceBlocked(const ConditionModel& model, int m, int d, int t) {
  if (RequiredFollower(model, t) == 0) return false;
  return RequiredPatternConflict(model, m, d, t);
}

}  // namespace

DutyRefusal CellOrRequestRefusal(const ConditionModel& model, int m, int d, int t) {
  const int held = model.Roster(m, d);
  if (held == t) return DutyRefusal::kOnThisDuty;
  if (held != 0) return DutyRefusal::kOnOtherDuty;
  const int ban = model.DutyBanMask(m, d);
  if ((ban & kAnyType) == kAnyType) return DutyRefusal::kDayOffRequest;
  if (MaskHasDuty(ban, t)) return DutyRefusal::kDutyBan;
  return DutyRefusal::kNone;
}

DutyRefusal FirstRefusal(const ConditionModel& model, int m, int d, int t) {
  if (const DutyRefusal first = CellOrRequestRefusal(model, m, d, t); first != DutyRefusal::kNone) {
    return first;
  }
  if (MaskHasDuty(NextDayBanAfter(model, model.Roster(m, d - 1)), t)) {
    return DutyRefusal::kNextDayBan;
  }
  if (ForbiddenPatternHit(model, m, d, t)) return DutyRefusal::kForbiddenPattern;
  if (d != model.DayCount) {
    const int reserved = model.Fixed(m, d + 1);
    if (reserved > 0 && MaskHasDuty(NextDayBanAfter(model, t), reserved)) {
      return DutyRefusal::kNextDayReservation;
    }
  }
  if (ForbiddenComboHit(model, m, d, t)) return DutyRefusal::kForbiddenCombo;
  if (RunAroundPastLongest(model, m, d)) {
    return model.Extra.WorkRunMost(m) == kNoLimit ? DutyRefusal::kConsecutiveLimit
                                                  : DutyRefusal::kOwnLongestRun;
  }
  if (!ExtraLimitsAllowDuty(model, m, d, t)) return DutyRefusal::kExtraLimit;
  if (model.WorkDays(m) >= model.WorkDayTarget(m)) return DutyRefusal::kTargetReached;
  if (RequiredSequenceBlocked(model, m, d, t)) return DutyRefusal::kRequiredPattern;
  return DutyRefusal::kNone;
}

std::string RefusalText(DutyRefusal refusal, std::string_view held) {
  switch (refusal) {
    case DutyRefusal::kNone:
      return std::string(txt::kCanTake);
    case DutyRefusal::kOnThisDuty:
      return std::string(txt::kOnThisDuty);
    case DutyRefusal::kOnOtherDuty:
      return layout::Format(txt::kOnOtherDuty, {held});
    case DutyRefusal::kDayOffRequest:
      return std::string(txt::kDayOffRequest);
    case DutyRefusal::kDutyBan:
      return std::string(txt::kDutyBan);
    case DutyRefusal::kNextDayBan:
      return std::string(txt::kNextDayBan);
    case DutyRefusal::kForbiddenPattern:
      return std::string(txt::kForbiddenPattern);
    case DutyRefusal::kNextDayReservation:
      return std::string(txt::kNextDayReservation);
    case DutyRefusal::kForbiddenCombo:
      return std::string(txt::kForbiddenCombo);
    case DutyRefusal::kConsecutiveLimit:
      return std::string(txt::kConsecutiveLimit);
    case DutyRefusal::kOwnLongestRun:
      return std::string(txt::kOwnLongestRun);
    case DutyRefusal::kExtraLimit:
      return std::string(txt::kExtraLimit);
    case DutyRefusal::kTargetReached:
      return std::string(txt::kTargetReached);
    case DutyRefusal::kRequiredPattern:
      return std::string(txt::kRequiredPattern);
  }
  return {};
}

std::string RosterDayText(const ConditionModel& model, int d) {
  return layout::PeriodDayText(model.CreateYear, model.CreateMonth, model.BaseStartDay, d);
}

std::string ExplainDayDuty(const ConditionModel& model, int d, int t) {
  std::string text = layout::Format(
      txt::kExplainHeading,
      {RosterDayText(model, d), model.TypeAbbrev(t), std::to_string(model.NeedTable(t, d))});
  text += '\n';
  for (int m = 1; m <= model.MemberCount; ++m) {
    const int held = model.Roster(m, d);
    const std::string held_name = held >= 1 && held <= model.TypeCount ? model.TypeAbbrev(held) : "";
    text += layout::Format(txt::kMemberLine, {model.MemberInfo(m, 1), model.MemberInfo(m, 2),
                                              RefusalText(FirstRefusal(model, m, d, t), held_name)});
    text += '\n';
  }
  return text;
}

}  // namespace tsumiki
