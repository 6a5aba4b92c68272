#include "optimise/readjust_search.h"

#include "roster/month_objective.h"
#include "roster/patterns.h"
#include "roster/roster_change.h"
#include "roster/swap.h"
#include "roster/work_day_rules.h"

namespace tsumiki {

ReadjustSearch::Trial ReadjustSearch::TrySwap(int a, int b, int d) {
  if (a == b) return Trial::kRefused;
  ++tried_;
  const int last = model_.DayCount;
  SwapDuties(model_, a, b, d);
  const int ca = model_.Roster(a, d);
  const int cb = model_.Roster(b, d);
  if (CanAddDuty(model_, a, d, ca, last) != kRuleAccept || !SequencesHold(a, d)) {
    SwapDuties(model_, a, b, d);
    return Trial::kRefused;
  }
  if (CanAddDuty(model_, b, d, cb, last) != kRuleAccept) return Trial::kPartnerStuck;
  if (!SequencesHold(b, d)) {
    SwapDuties(model_, a, b, d);
    return Trial::kRefused;
  }
  // The readjustment frees a day, so the work-day target is not held against it.
  if (SwapCheck(model_, a, b, d, SwapRule::kWithoutWorkDayTarget) == kRuleAccept) {
    return Trial::kAccepted;
  }
  SwapDuties(model_, a, b, d);
  return Trial::kRefused;
}

int ReadjustSearch::FindDirectSwap(int d, int x) {
  // With wishes set, every partner is tried and the one whose wish on d the
  // exchange serves best is taken (the first of them on a tie); x's own cell
  // becomes a rest day whoever takes the duty.
  const bool weigh_wishes = model_.Extra.HasSoft;
  const int duty = model_.Roster(x, d);
  int chosen = 0;
  int least_missed = 0;
  for (int i = 1; i <= model_.MemberCount; ++i) {
    if (model_.Roster(i, d) != 0 || i == x) continue;
    if (OverBudget()) break;
    const Trial r = TrySwap(x, i, d);
    if (r == Trial::kRefused) continue;
    SwapDuties(model_, x, i, d);
    if (r != Trial::kAccepted) continue;
    const int missed = MissedWeight(model_.Extra, i, d, duty) - MissedWeight(model_.Extra, i, d, 0);
    if (chosen == 0 || missed < least_missed) {
      chosen = i;
      least_missed = missed;
    }
    if (!weigh_wishes) break;
  }
  if (chosen != 0) RecordExchange(d, x, chosen);
  return chosen;
}

int ReadjustSearch::SearchChain(int d, int x) {
  const int n = model_.MemberCount;
  if (d >= model_.DayCount) return 0;
  // A member already off on d has nothing to free; swapping two rest days would
  // only look like a find.
  if (model_.Roster(x, d) < 1) return 0;

  const int direct = FindDirectSwap(d, x);
  if (direct >= 1) return direct;

  // Two exchanges on the same day: a free member c first takes i's duty, which
  // frees i, and then x's duty can go to someone directly.
  for (int c = 1; c <= n; ++c) {
    for (int i = 1; i <= n; ++i) {
      if (model_.Roster(c, d) != 0 || model_.Roster(i, d) < 1 || c == x || i == x) continue;
      if (OverBudget()) return 0;
      const Trial r = TrySwap(c, i, d);
      if (r == Trial::kPartnerStuck) SwapDuties(model_, c, i, d);
      if (r != Trial::kAccepted) continue;
      RecordExchange(d, c, i);
      const int t = FindDirectSwap(d, x);
      SwapDuties(model_, c, i, d);
      if (t != 0) return t;
      RecordExchange(-1, 0, 0);
    }
  }

  // A chain into the next day: x gives its duty to a member i who is off on d but
  // cannot take it as things stand; i must first be freed on the following day.
  // Only members off on d qualify: handing x another member's duty would leave x
  // at work, and freeing x's day is the point of the readjustment.
  for (int i = 1; i <= n; ++i) {
    if (i == x || model_.Roster(i, d) != 0) continue;
    if (OverBudget()) return 0;
    const Trial r = TrySwap(x, i, d);
    if (r == Trial::kAccepted) {
      ++surprises_;
      SwapDuties(model_, x, i, d);
    } else if (r == Trial::kPartnerStuck) {
      const std::size_t mark = exchanges_.size();
      RecordExchange(d, x, i);
      const int s = SearchChain(d + 1, i);
      const bool holds = s > 0 && ChainStepHolds(mark);
      SwapDuties(model_, x, i, d);
      if (holds) return s;
      exchanges_.resize(mark);
    }
  }
  return 0;
}

bool ReadjustSearch::ChainStepHolds(std::size_t mark) {
  // The chain step itself was taken before i's next day was freed, so its rules
  // were never checked in full (reservations, combinations, rest limits). Check
  // them now, with the rest of the chain applied. The step is in place; the
  // exchanges after it are applied here and undone again.
  const Exchange step = exchanges_[mark];
  for (std::size_t k = mark + 1; k < exchanges_.size(); ++k) {
    SwapDuties(model_, exchanges_[k].a, exchanges_[k].b, exchanges_[k].day);
  }
  const int d = step.day;
  const bool holds =
      CanAddDuty(model_, step.b, d, model_.Roster(step.b, d), model_.DayCount) == kRuleAccept &&
      SequencesHold(step.a, d) && SequencesHold(step.b, d) &&
      SwapCheck(model_, step.a, step.b, d, SwapRule::kWithoutWorkDayTarget) == kRuleAccept;
  for (std::size_t k = exchanges_.size(); k-- > mark + 1;) {
    SwapDuties(model_, exchanges_[k].a, exchanges_[k].b, exchanges_[k].day);
  }
  return holds;
}

void ReadjustSearch::RecordExchange(int day, int a, int b) {
  if (day == -1) {
    if (!exchanges_.empty()) exchanges_.pop_back();
  } else if (day == 0) {
    exchanges_.clear();
  } else {
    exchanges_.push_back(Exchange{day, a, b});
  }
}

bool ReadjustSearch::SequencesHold(int m, int d) const {
  // The swaps of the optimisation run while the day filling's marks still fix the
  // duties a required sequence laid; a roster read back from the sheet has lost
  // those marks, so the sequences are checked here: the duty of the day before
  // may demand this day's duty, and this day's duty may demand tomorrow's.
  const int before = model_.Roster(m, d - 1);
  if (before >= 1) {
    const int follower = RequiredFollower(model_, before);
    if (follower > 0 && model_.Roster(m, d) != follower) return false;
  }
  const int today = model_.Roster(m, d);
  if (today >= 1 && d < model_.DayCount) {
    const int follower = RequiredFollower(model_, today);
    if (follower > 0 && model_.Roster(m, d + 1) != follower) return false;
  }
  return true;
}

}  // namespace tsumiki
