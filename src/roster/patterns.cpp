#include "roster/patterns.h"

#include <algorithm>
#include <array>

#include "roster/duty_mask.h"
#include "roster/roster_change.h"
#include "roster/run_lengths.h"

namespace tsumiki {
namespace {

constexpr int kWindowSlots = 10;  // nine days around d, and a last slot that stays 0

// Compares one forbidden sequence against the window from slot `start` on.
bool MatchesAt(const ConditionModel& model, int p, const std::array<int, kWindowSlots + 1>& slot,
               int start) {
  const int length = model.ForbiddenPatterns(p, 0);
  for (int j = 1; j <= length; ++j) {
    const int element = model.ForbiddenPatterns(p, j);
    const int value = slot[static_cast<std::size_t>(j + start - 1)];
    if (element == 0) return true;
    if (element == kAnyType) {
      if (value >= 1) return true;
      if (j == length) return false;
      continue;
    }
    if (element != value) return false;
  }
  return true;
}

bool IsDutyType(const ConditionModel& model, int t) {
  return t >= 1 && t <= model.TypeCount;
}

}  // namespace

bool ForbiddenPatternHit(const ConditionModel& model, int m, int d, int t) {
  // The swap checks ask this for every candidate exchange; most workplaces have
  // few sequences or none, and then the window need not be read.
  if (model.ForbiddenPatternCount <= 0) return false;
  std::array<int, kWindowSlots + 1> slot{};
  // Slot k holds day d - 5 + k.
  for (int k = 1; k <= 9; ++k) {
    const int day = d - 5 + k;
    if (day >= 1 && day <= model.DayCount) {
      slot[static_cast<std::size_t>(k)] = model.Roster(m, day);
    } else if (day < 1 && model.UsePrevMonth && 1 - day <= kPrevMonthDays) {
      slot[static_cast<std::size_t>(k)] = model.PrevMonthTail(m, 1 - day);
    }
  }
  slot[5] = t;
  const int patterns = std::min(model.ForbiddenPatternCount, model.ForbiddenPatterns.RowHi());
  for (int p = 1; p <= patterns; ++p) {
    if (model.ForbiddenPatterns(p, 1) <= 0) continue;
    for (int start = 1; start <= 5; ++start) {
      if (MatchesAt(model, p, slot, start)) return true;
    }
  }
  return false;
}

int RequiredFollower(const ConditionModel& model, int first) {
  const int pairs = std::min(model.RequiredPatternCount, model.RequiredPatterns.RowHi());
  for (int p = 1; p <= pairs; ++p) {
    if (model.RequiredPatterns(p, 1) == first && IsDutyType(model, model.RequiredPatterns(p, 2))) {
      return model.RequiredPatterns(p, 2);
    }
  }
  return 0;
}

bool RequiredPatternConflict(const ConditionModel& model, int m, int d, int t) {
  if (RequiredFollower(model, t) == 0) return false;

  const int pairs = std::min(model.RequiredPatternCount, model.RequiredPatterns.RowHi());
  std::array<int, kMaxChainLength + 1> chain{};
  int length = 1;
  chain[1] = t;
  int current = t;
  bool grew = true;
  while (grew && length < kMaxChainLength) {
    grew = false;
    for (int p = 1; p <= pairs && length < kMaxChainLength; ++p) {
      const int follower = model.RequiredPatterns(p, 2);
      if (model.RequiredPatterns(p, 1) == current && IsDutyType(model, follower)) {
        chain[static_cast<std::size_t>(++length)] = follower;
        current = follower;
        grew = true;
      }
    }
  }

  bool conflict = false;
  for (int k = 1; k < length && d + k <= model.DayCount; ++k) {
    const int due = chain[static_cast<std::size_t>(k + 1)];
    const int fixed = model.Fixed(m, d + k);
    if (fixed != 0 && fixed != due) conflict = true;
    const int ban = model.DutyBanMask(m, d + k);
    if (ban != 0 && MaskHasDuty(ban, due)) conflict = true;
  }
  // The days after the sequence are laid without the rules of CanTakeDuty, so a
  // duty already fixed on the day after its last entry must be allowed after it.
  const int after = d + length;
  if (after <= model.DayCount) {
    const int last = chain[static_cast<std::size_t>(length)];
    const int fixed = model.Fixed(m, after);
    if (fixed > 0 && MaskHasDuty(model.NextDayBan(last), fixed)) conflict = true;
  }
  // The run the sequence makes: the work days before d, the chain from day d on
  // (WorkRunBefore counts day d itself, which the chain already holds), and the
  // work days already in the roster right after it, with their own followers.
  if (LongestWorkRun(model, m) != 0) {
    const int run = WorkRunBefore(model, m, d) - 1 + length + WorkRunFrom(model, m, after);
    if (RunPastLongest(model, m, run)) conflict = true;
  }
  return conflict;
}

void FixRequiredSequences(ConditionModel& model) {
  for (int m = 1; m <= model.MemberCount; ++m) {
    for (int d = std::max(1, model.StartDay); d <= model.DayCount; ++d) {
      const int duty = model.Roster(m, d);
      if (duty < 1) continue;
      const int before = model.Roster(m, d - 1);
      const bool follows = before >= 1 && before <= model.TypeCount &&
                           (d > 1 || model.UsePrevMonth) && RequiredFollower(model, before) == duty;
      if (follows || RequiredFollower(model, duty) != 0) SetFixedMark(model, m, d, duty);
    }
  }
}

}  // namespace tsumiki
