#include "exact/linear_model.h"

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

}  // namespace tsumiki::exact
