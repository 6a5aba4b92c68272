#include "creation/candidates.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "roster/run_lengths.h"

namespace tsumiki {

CandidateTable MakeCandidateTable(int rows) {
  return CandidateTable(0, rows, 0, kCandColumns);
}

void RankCandidates(const ConditionModel& model, CandidateTable& table, int n, int d, int t) {
  if (n <= 0) return;
  double work_sum = 0;
  double duty_sum = 0;
  for (int r = 1; r <= n; ++r) {
    const int m = table(r, kCandMember);
    work_sum += model.TypeTally(m, kTallyTotal);
    duty_sum += model.TypeTally(m, t);
  }
  const double work_mean = work_sum / n;
  const double duty_mean = duty_sum / n;

  for (int r = 1; r <= n; ++r) {
    const int m = table(r, kCandMember);
    const int work_run = WorkRunBefore(model, m, d) - 1;
    const int off_run = OffRunBefore(model, m, d) - 1;
    table(r, kCandWorkRun) = work_run;
    table(r, kCandOffRun) = off_run;
    const double spread =
        2.0 * (model.TypeTally(m, kTallyTotal) - work_mean) + (model.TypeTally(m, t) - duty_mean);
    const int balance = static_cast<int>(std::nearbyint(-500.0 * spread));
    table(r, kCandBalance) = balance;

    int bonus = 0;
    if (work_run == 1) bonus += 1000;  // working today closes a lone work day
    if (off_run == 1) bonus -= 1000;   // working today would leave a lone day off
    for (int ahead = 1; ahead <= 4; ++ahead) {
      const int day = d + ahead;
      if (day > model.DayCount || model.DutyBanMask(m, day) != kAnyType) break;
      bonus += 100;
    }
    table(r, kCandRanked) = balance + bonus;
  }
}

namespace {

using CandidateRow = std::array<int, kCandColumns + 1>;

// Sorts rows first..first+count-1 stably by `before`, moving columns 1..columns
// of a row together.
template <typename Before>
void SortRows(CandidateTable& table, int columns, int first, int count, Before before) {
  if (count <= 1) return;
  columns = std::min(columns, kCandColumns);
  std::vector<CandidateRow> rows(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    for (int c = 1; c <= columns; ++c) {
      rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(c)] = table(first + i, c);
    }
  }
  std::stable_sort(rows.begin(), rows.end(), before);
  for (int i = 0; i < count; ++i) {
    for (int c = 1; c <= columns; ++c) {
      table(first + i, c) = rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(c)];
    }
  }
}

}  // namespace

void SortCandidates(CandidateTable& table, int columns, int key, int first, int count) {
  SortRows(table, columns, first, count, [key](const CandidateRow& a, const CandidateRow& b) {
    return a[static_cast<std::size_t>(key)] > b[static_cast<std::size_t>(key)];
  });
}

void PreferWishes(const ConditionModel& model, CandidateTable& table, int n, int d, int t,
                  int key) {
  if (!model.Extra.HasSoft) return;
  // Column kCandWorkRun is not read after the ranking: it carries the wish here.
  for (int i = 1; i <= n; ++i) {
    const int m = table(i, kCandMember);
    const int wished = model.Extra.WishWeight(m, d) > 0 ? model.Extra.WishDuty(m, d) : -1;
    table(i, kCandWorkRun) = wished == t ? 1 : (wished == kRestDay ? -1 : 0);
  }
  SortRows(table, kCandColumns, 1, n, [key](const CandidateRow& a, const CandidateRow& b) {
    const auto k = static_cast<std::size_t>(key);
    if (a[k] != b[k]) return a[k] > b[k];
    const auto wish = static_cast<std::size_t>(kCandWorkRun);
    return a[wish] > b[wish];
  });
}

}  // namespace tsumiki
