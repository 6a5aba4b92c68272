#include "exact/linear_model.h"

#include <cmath>

#include <map>

namespace tsumiki::exact {

LinearExpr& LinearExpr::Add(const LinearExpr& other, double factor) {
  for (const auto& [column, coefficient] : other.terms) terms.emplace_back(column, coefficient * factor);
  constant += other.constant * factor;
  return *this;
}

int LinearModel::AddColumn(double lower, double upper, double cost) {
  columns_.push_back(Column{lower, upper, cost});
  return static_cast<int>(columns_.size()) - 1;
}

void LinearModel::AddRow(const LinearExpr& expr, double lower, double upper) {
  // A member listed twice in a combination enters twice: merge repeated columns,
  // which the solver's matrix does not accept.
  std::map<int, double> merged;
  for (const auto& [column, coefficient] : expr.terms) merged[column] += coefficient;
  Row row;
  for (const auto& [column, coefficient] : merged) {
    if (coefficient != 0) row.terms.emplace_back(column, coefficient);
  }
  row.lower = lower - expr.constant;
  row.upper = upper - expr.constant;
  if (row.terms.empty() && row.lower <= 0 && row.upper >= 0) return;
  rows_.push_back(std::move(row));
}

void LinearModel::FixColumn(int column, double value) {
  Column& c = columns_[static_cast<std::size_t>(column)];
  c.lower = value;
  c.upper = value;
}

void LinearModel::SetRowBounds(int row, double lower, double upper) {
  Row& r = rows_[static_cast<std::size_t>(row)];
  r.lower = lower;
  r.upper = upper;
}

LinearModel LinearModel::WithoutCosts() const {
  LinearModel copy = *this;
  for (Column& column : copy.columns_) column.cost = 0;
  return copy;
}

double LinearModel::CostOf(const std::vector<double>& values) const {
  double cost = 0;
  for (std::size_t c = 0; c < columns_.size() && c < values.size(); ++c) cost += columns_[c].cost * values[c];
  return cost;
}

bool LinearModel::Holds(const std::vector<double>& values) const {
  constexpr double kTolerance = 1e-6;
  if (values.size() != columns_.size()) return false;
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    const double value = values[c];
    if (value < columns_[c].lower - kTolerance || value > columns_[c].upper + kTolerance ||
        std::abs(value - std::round(value)) > kTolerance)
      return false;
  }
  for (const Row& row : rows_) {
    double sum = 0;
    for (const auto& [column, coefficient] : row.terms) sum += coefficient * values[static_cast<std::size_t>(column)];
    if (sum < row.lower - kTolerance || sum > row.upper + kTolerance) return false;
  }
  return true;
}

LinearModel WithoutFixedColumns(const LinearModel& lp, std::vector<int>& kept) {
  constexpr double kTolerance = 1e-9;
  const std::vector<Column>& columns = lp.Columns();
  std::vector<int> index(columns.size(), -1);
  std::vector<Column> free;
  kept.clear();
  for (std::size_t c = 0; c < columns.size(); ++c) {
    if (columns[c].lower == columns[c].upper) continue;
    index[c] = static_cast<int>(free.size());
    kept.push_back(static_cast<int>(c));
    free.push_back(columns[c]);
  }
  std::vector<Row> rows;
  for (const Row& row : lp.Rows()) {
    Row reduced;
    double constant = 0;
    for (const auto& [column, coefficient] : row.terms) {
      const int to = index[static_cast<std::size_t>(column)];
      if (to < 0) {
        constant += coefficient * columns[static_cast<std::size_t>(column)].lower;
      } else {
        reduced.terms.emplace_back(to, coefficient);
      }
    }
    reduced.lower = row.lower - constant;
    reduced.upper = row.upper - constant;
    const bool holds = reduced.lower <= kTolerance && reduced.upper >= -kTolerance;
    if (reduced.terms.empty() && holds) continue;
    rows.push_back(std::move(reduced));
  }
  return LinearModel(std::move(free), std::move(rows));
}

std::vector<double> WithFixedColumns(const LinearModel& lp, const std::vector<int>& kept,
                                     const std::vector<double>& values) {
  std::vector<double> all;
  all.reserve(lp.Columns().size());
  for (const Column& column : lp.Columns()) all.push_back(column.lower);
  for (std::size_t i = 0; i < kept.size() && i < values.size(); ++i) {
    all[static_cast<std::size_t>(kept[i])] = values[i];
  }
  return all;
}

}  // namespace tsumiki::exact
