#include "creation/day_filling.h"

#include <algorithm>
#include <utility>

#include "conditions/load_lookups.h"
#include "conditions/roster_writer.h"
#include "creation/candidates.h"
#include "roster/combos.h"
#include "roster/duty_rules.h"
#include "roster/patterns.h"
#include "roster/roster_score.h"

namespace tsumiki {

// A cell of the day being drafted, uncounted until the day stands; `fixed` marks
// it too. The one writer of the drafted cells, declared only as RosterWriter's
// friend, so that nothing outside this file drafts a cell.
void DraftCell(ConditionModel& model, int m, int d, int type, bool fixed) {
  if (fixed) {
    RosterWriter::WriteFixedUncounted(model, m, d, type);
  } else {
    RosterWriter::WriteUncounted(model, m, d, type);
  }
}

namespace {

constexpr int kTypeOrderAttempts = 10;
constexpr int kTypeOrderSwaps = 5;

bool IsDutyType(const ConditionModel& model, int t) {
  return t >= 1 && t <= model.TypeCount;
}

// Writes a duty the rules allowed into the day being drafted. A duty that begins a
// required sequence is fixed as well, so that the later swaps keep the sequence
// whole.
void TakeDuty(ConditionModel& model, int m, int d, int t) {
  DraftCell(model, m, d, t, RequiredFollower(model, t) != 0);
}

// Yesterday's duty that begins a required sequence puts its follower on today.
// A reservation of another duty today is left as the planner entered it.
void ApplyRequiredPatterns(ConditionModel& model, int d) {
  if (d <= 1 && !model.UsePrevMonth) return;
  for (int m = 1; m <= model.MemberCount; ++m) {
    const int yesterday = model.Roster(m, d - 1);
    if (yesterday <= 0) continue;
    const int follower = RequiredFollower(model, yesterday);
    if (follower == 0) continue;
    const int reserved = model.Fixed(m, d);
    if (reserved > 0 && reserved != follower && reserved == model.Roster(m, d)) continue;
    DraftCell(model, m, d, follower, /*fixed=*/true);
  }
}

// Puts listed members of the required combinations on their duty. False when a
// combination lacks members that none of the listed can fill.
bool ApplyRequiredCombos(ConditionModel& model, int d) {
  const int records = std::min(model.RequiredComboCount, model.RequiredCombos.Hi());
  for (int r = 1; r <= records; ++r) {
    const int b = model.RequiredCombos(r).TypeIndex;
    if (!IsDutyType(model, b)) continue;
    while (StaffOnDuty(model, d, b) < model.NeedTable(b, d)) {
      const ForcedPick forced = ForcedChoice(model, d, b);
      if (forced.kind == ForcedPick::Kind::kNoneAllowed) return false;
      if (forced.kind == ForcedPick::Kind::kNoneNeeded) break;
      TakeDuty(model, forced.member, d, b);
    }
  }
  return true;
}

// Draws the random type order of one attempt at a day.
void DrawTypeOrder(DayFillContext& ctx, IndexArray<int>& order) {
  ConditionModel& model = ctx.model;
  for (int j = 1; j <= model.TypeCount; ++j) order(j) = j;
  for (int s = 1; s <= kTypeOrderSwaps; ++s) {
    const int a = static_cast<int>(ctx.random.RandomValue() * model.TypeCount) + 1;
    const int b = static_cast<int>(ctx.random.RandomValue() * model.TypeCount) + 1;
    if (a <= model.TypeCount && b <= model.TypeCount) std::swap(order(a), order(b));
  }
}

}  // namespace

void RestoreDayColumn(ConditionModel& model, int d, const DayColumn& saved) {
  RosterWriter::RestoreDay(model, d, saved);
}

DayResult TryDay(DayFillContext& ctx, int d) {
  ConditionModel& model = ctx.model;
  const DayColumn on_entry = SaveDayColumn(model, d);

  ApplyRequiredPatterns(model, d);
  if (!ApplyRequiredCombos(model, d)) {
    RestoreDayColumn(model, d, on_entry);
    return DayResult::kFailed;
  }

  ShuffleOrder(model.MemberOrder, model.MemberCount, ctx.random, ctx.host);
  const DayColumn prepared = SaveDayColumn(model, d);

  IndexArray<int> order(0, model.TypeCount + 1);
  for (int attempt = 1; attempt <= kTypeOrderAttempts; ++attempt) {
    DrawTypeOrder(ctx, order);
    RestoreDayColumn(model, d, prepared);
    if (FillDayInOrder(ctx, order, d)) return DayResult::kFilled;
  }
  RestoreDayColumn(model, d, on_entry);
  return DayResult::kFailed;
}

namespace {

// Fills the remaining need of day d type by type in `order`. At a place nobody
// can take, `nobody(t, left)` (the duty and the places of it still open, that one
// included) says whether to go on with the next type (true) or stop (false).
template <typename Nobody>
bool FillTypesInOrder(DayFillContext& ctx, const IndexArray<int>& order, int d, Nobody nobody) {
  ConditionModel& model = ctx.model;
  ShuffleOrder(model.MemberOrder, model.MemberCount, ctx.random, ctx.host);
  for (int j = 1; j <= model.TypeCount; ++j) {
    const int t = order(j);
    const int missing = model.NeedTable(t, d) - StaffOnDuty(model, d, t);
    for (int place = 1; place <= missing; ++place) {
      const int m = PickMember(ctx, d, t);
      if (m == 0) {
        if (!nobody(t, missing - place + 1)) return false;
        break;  // nobody else can take t either
      }
      TakeDuty(model, m, d, t);
    }
  }
  return true;
}

// As FillDayInOrder, but a place nobody can take stays open: returns their number.
int FillInOrderLeavingOpen(DayFillContext& ctx, const IndexArray<int>& order, int d) {
  int open = 0;
  FillTypesInOrder(ctx, order, d, [&open](int /*t*/, int left) {
    open += left;
    return true;
  });
  return open;
}

}  // namespace

int FillDayLeavingOpen(DayFillContext& ctx, int d) {
  ConditionModel& model = ctx.model;
  ApplyRequiredPatterns(model, d);
  // What the combinations cannot place is left to the filling below, which leaves
  // it open when nobody may take it.
  ApplyRequiredCombos(model, d);
  ShuffleOrder(model.MemberOrder, model.MemberCount, ctx.random, ctx.host);
  const DayColumn prepared = SaveDayColumn(model, d);
  DayColumn best = prepared;
  int fewest = -1;
  IndexArray<int> order(0, model.TypeCount + 1);
  for (int attempt = 1; attempt <= kTypeOrderAttempts && fewest != 0; ++attempt) {
    DrawTypeOrder(ctx, order);
    RestoreDayColumn(model, d, prepared);
    const int open = FillInOrderLeavingOpen(ctx, order, d);
    if (fewest < 0 || open < fewest) {
      fewest = open;
      best = SaveDayColumn(model, d);
    }
  }
  RestoreDayColumn(model, d, best);
  return std::max(fewest, 0);
}

bool FillDayInOrder(DayFillContext& ctx, const IndexArray<int>& order, int d) {
  return FillTypesInOrder(ctx, order, d, [&ctx, d](int t, int /*left*/) {
    const ConditionModel& model = ctx.model;
    ctx.run.FailedSlot = DaySlot{d, t};
    ctx.run.FailedColumn.assign(static_cast<std::size_t>(model.MemberCount) + 1, 0);
    for (int r = 1; r <= model.MemberCount; ++r) {
      ctx.run.FailedColumn[static_cast<std::size_t>(r)] = model.Roster(r, d);
    }
    return false;
  });
}

int PickMember(DayFillContext& ctx, int d, int t) {
  ConditionModel& model = ctx.model;
  // While a required combination of t lacks members, its forced member has been
  // tested already: take that member as proposed instead of testing again.
  const ForcedPick forced = ForcedChoice(model, d, t);
  if (forced.kind == ForcedPick::Kind::kNoneAllowed) return 0;
  if (forced.kind == ForcedPick::Kind::kMember) return forced.member;

  const int n = model.MemberCount;
  CandidateTable table = MakeCandidateTable(n);
  for (int i = 1; i <= n; ++i) table(i, kCandMember) = model.MemberOrder(i);
  RankCandidates(model, table, n, d, t);
  const int key = model.WorkFocus ? kCandRanked : kCandBalance;
  SortCandidates(table, kCandColumns, key, 1, n);
  PreferWishes(model, table, n, d, t, key);
  for (int i = 1; i <= n; ++i) {
    const int m = table(i, kCandMember);
    if (CanTakeDuty(model, m, d, t)) return m;
  }
  return 0;
}

ForcedPick ForcedChoice(const ConditionModel& model, int d, int t) {
  if (RequiredShortfall(model, d, t) == 0) return ForcedPick{};
  const ComboRule& rule = model.RequiredCombos(FirstRequiredCombo(model, t));
  CandidateTable table = MakeCandidateTable(kComboMembers);
  int n = 0;
  for (int k = 1; k <= kComboMembers; ++k) {
    const int number = rule.Members[static_cast<std::size_t>(k)];
    if (number < 1) continue;
    const int row = MemberRowOfNumber(model, number);
    if (row >= 1) table(++n, kCandMember) = row;
  }
  RankCandidates(model, table, n, d, t);
  if (model.WorkFocus) SortCandidates(table, kCandColumns, kCandRanked, 1, n);
  for (int i = 1; i <= n; ++i) {
    const int m = table(i, kCandMember);
    if (CanTakeDuty(model, m, d, t)) return ForcedPick{ForcedPick::Kind::kMember, m};
  }
  return ForcedPick{ForcedPick::Kind::kNoneAllowed, 0};
}

}  // namespace tsumiki
