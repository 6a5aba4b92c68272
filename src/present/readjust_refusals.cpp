#include "present/readjust_refusals.h"

#include "conditions/layout.h"
#include "present/readjust_text.h"
#include "roster/combos.h"
#include "roster/duty_mask.h"
#include "roster/duty_refusal.h"
#include "roster/patterns.h"
#include "roster/refusal_texts.h"
#include "roster/roster_change.h"
#include "roster/roster_score.h"

namespace tsumiki {
namespace {

namespace txt = refusal_text;

// `freed` is the model with x's cell already cleared. The rules of the member who
// would take t come first (the target is not held against a readjustment), then
// those of x's new rest day and of the day as a whole after the exchange.
std::string DirectRefusal(const ConditionModel& model, ConditionModel& freed, int d, int x, int i,
                          int t) {
  if (model.Fixed(x, d) >= 1) return std::string(txt::kExchangeReserved);
  const int target = freed.WorkDayTarget(i);
  freed.WorkDayTarget(i) = model.DayCount + 1;
  const DutyRefusal first = FirstRefusal(freed, i, d, t);
  freed.WorkDayTarget(i) = target;
  if (first != DutyRefusal::kNone) return RefusalText(first);

  const int before = model.Roster(x, d - 1);
  if (before >= 1 && RequiredFollower(model, before) == t) {
    return std::string(txt::kExchangeRestBreaksPattern);
  }
  if (d < model.DayCount) {
    const int next = model.Roster(i, d + 1);
    if (next >= 1 && MaskHasDuty(model.NextDayBan(t), next)) {
      return layout::Format(txt::kExchangeNextDayDuty, {model.TypeAbbrev(next)});
    }
    const int follower = RequiredFollower(model, t);
    if (follower > 0 && next != follower) return RefusalText(DutyRefusal::kRequiredPattern);
  }
  if (model.MaxConsecRest > 0 && OffRunAround(freed, x, d) > model.MaxConsecRest) {
    return std::string(txt::kExchangeRestRunLimit);
  }
  ConditionModel swapped = model;
  SwapDuties(swapped, x, i, d);
  if (RequiredShortfall(swapped, d, t) != 0) return std::string(txt::kExchangeRequiredCombo);
  return std::string(txt::kExchangeOtherRule);
}

}  // namespace

std::string ReadjustFailureText(const ConditionModel& model, int d, int x) {
  std::string text(kReadjustFailedMessage);
  // The last day is never searched: nothing was tried there.
  if (x < 1 || x > model.MemberCount || d < 1 || d >= model.DayCount) return text;
  const int t = model.Roster(x, d);
  if (t < 1 || t > model.TypeCount) return text;
  text += "\n" +
          layout::Format(kDirectRefusalsHeading, {RosterDayText(model, d), model.TypeAbbrev(t),
                                                  model.MemberInfo(x, 1), model.MemberInfo(x, 2)});
  ConditionModel freed = model;
  RemoveDuty(freed, x, d);
  bool anyone_off = false;
  for (int i = 1; i <= model.MemberCount; ++i) {
    if (i == x || model.Roster(i, d) != 0) continue;
    anyone_off = true;
    text += "\n" + layout::Format(txt::kMemberLine, {model.MemberInfo(i, 1), model.MemberInfo(i, 2),
                                                     DirectRefusal(model, freed, d, x, i, t)});
  }
  if (!anyone_off) text += "\n" + std::string(kNobodyOffThatDay);
  return text;
}

}  // namespace tsumiki
