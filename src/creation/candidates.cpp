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

void SortCandidates(CandidateTable& table, int columns, int key, int first, int count) {
  if (count <= 1) return;
  columns = std::min(columns, kCandColumns);
  std::vector<std::array<int, kCandColumns + 1>> rows(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    for (int c = 1; c <= columns; ++c) {
      rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(c)] = table(first + i, c);
    }
  }
  std::stable_sort(rows.begin(), rows.end(), [key](const auto& a, const auto& b) {
    return a[static_cast<std::size_t>(key)] > b[static_cast<std::size_t>(key)];
  });
  for (int i = 0; i < count; ++i) {
    for (int c = 1; c <= columns; ++c) {
      table(first + i, c) = rows[static_cast<std::size_t>(i)][static_cast<std::size_t>(c)];
    }
  }
}

}  // namespace tsumiki
