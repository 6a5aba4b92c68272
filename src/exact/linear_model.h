#pragma once

#include <cstddef>
#include <limits>
#include <utility>
#include <vector>

namespace tsumiki::exact {

inline constexpr double kUnbounded = std::numeric_limits<double>::infinity();

// A linear expression over the model's columns plus a constant: a cell of a day
// that is given (before the start day, the previous month) enters as a constant,
// so the rules are written once for given and open days alike.
struct LinearExpr {
  std::vector<std::pair<int, double>> terms;  // (column, coefficient)
  double constant = 0;

  LinearExpr& Add(const LinearExpr& other, double factor = 1);
  bool IsConstant() const { return terms.empty(); }
};

// One column: bounds and cost; integer always (the cells are 0/1, the slacks whole
// people-days).
struct Column {
  double lower = 0;
  double upper = 1;
  double cost = 0;
};

// lower <= sum(coefficient * column) <= upper.
struct Row {
  std::vector<std::pair<int, double>> terms;
  double lower = -kUnbounded;
  double upper = kUnbounded;
};

// A mixed-integer program as plain data, independent of the solver that reads it.
class LinearModel {
 public:
  LinearModel() = default;
  // A model read back as it was written (columns and rows already merged).
  LinearModel(std::vector<Column> columns, std::vector<Row> rows)
      : columns_(std::move(columns)), rows_(std::move(rows)) {}

  int AddColumn(double lower, double upper, double cost);
  // lower <= expr <= upper. A constant expression that holds adds nothing; one that
  // cannot hold adds an empty row with its bounds, so the model is infeasible as the
  // rules say it is.
  void AddRow(const LinearExpr& expr, double lower, double upper);
  // Fixes a column's bounds (a reservation, a duty the previous day forces).
  void FixColumn(int column, double value);
  void SetRowBounds(int row, double lower, double upper);
  // Adds `cost` to a column's cost (terms of the objective that share a column).
  void AddCost(int column, double cost) { columns_[static_cast<std::size_t>(column)].cost += cost; }

  // The same model with every cost 0: its first solution ends a solve.
  LinearModel WithoutCosts() const;
  // The objective of a solution's column values.
  double CostOf(const std::vector<double>& values) const;
  // Whether `values` (one per column) are whole numbers within the columns'
  // bounds that keep every row.
  bool Holds(const std::vector<double>& values) const;

  const std::vector<Column>& Columns() const { return columns_; }
  const std::vector<Row>& Rows() const { return rows_; }

 private:
  std::vector<Column> columns_;
  std::vector<Row> rows_;
};

// `lp` over its free columns only: a column whose bounds fix it enters its rows
// as a constant, and a row left with no column is dropped where it holds (kept
// empty where it cannot, so the model stays infeasible). A model with most
// columns held is this much smaller to send and to presolve. `kept` receives
// the column of `lp` of each column of the result.
LinearModel WithoutFixedColumns(const LinearModel& lp, std::vector<int>& kept);
// The values of every column of `lp` from a solution of WithoutFixedColumns.
std::vector<double> WithFixedColumns(const LinearModel& lp, const std::vector<int>& kept,
                                     const std::vector<double>& values);

}  // namespace tsumiki::exact
