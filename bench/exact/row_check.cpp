#include "row_check.h"

#include <cmath>

namespace tsumiki::bench {

int BrokenBounds(const exact::LinearModel& lp, const std::vector<double>& values) {
  const std::vector<exact::Column>& columns = lp.Columns();
  if (values.size() != columns.size()) return static_cast<int>(columns.size() + lp.Rows().size());
  // Whole numbers: the sums below are then exact in double arithmetic.
  std::vector<double> whole(values.size());
  int broken = 0;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    whole[c] = std::round(values[c]);
    if (std::fabs(values[c] - whole[c]) > 1e-6 || whole[c] < columns[c].lower ||
        whole[c] > columns[c].upper) {
      ++broken;
    }
  }
  for (const exact::Row& row : lp.Rows()) {
    double sum = 0;
    for (const auto& [column, coefficient] : row.terms) {
      sum += coefficient * whole[static_cast<std::size_t>(column)];
    }
    if (sum < row.lower || sum > row.upper) ++broken;
  }
  return broken;
}

}  // namespace tsumiki::bench
