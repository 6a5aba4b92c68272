#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "gui/roster_judge.h"
#include "gui/rule_marks.h"

namespace tsumiki::gui {

// The per-member totals beside the roster: row i stands beside row first_row + i
// (0-based) of the roster sheet's table, so that each member's numbers share the
// member's row; the rows of other sheet rows stay empty. Columns: each duty type,
// then work days, target, days off, 単勤 and 単休, then the wishes granted and
// missed where the workbook sets wishes.
class MemberTotalsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  MemberTotalsModel(const JudgedMonth& month, const QAbstractItemModel& sheet, int first_row,
                    QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The month was judged again.
  void Refresh(const RuleMarks& marks);
  // The member shown on a row, 0 for none.
  int MemberOfRow(int row) const;

 private:
  const JudgedMonth& month_;
  const QAbstractItemModel& sheet_;
  int first_row_;
  int columns_ = 0;  // as last laid out: the duty types may change in number
  std::map<int, QString> notes_;
};

// The staff of each duty type on each day against the need, below the roster:
// column j stands below column first_column + j of the roster sheet's table, row t
// is duty type t + 1; then, where the workbook sets a desired staffing, one row per
// duty that has one: the staff against it.
class DayTotalsModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  DayTotalsModel(const JudgedMonth& month, const QAbstractItemModel& sheet, int first_column,
                 QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  void Refresh(const RuleMarks& marks);
  // The roster day shown in a column, 0 for none.
  int DayOfColumn(int column) const;
  // The duty type a row stands for.
  int TypeOfRow(int row) const;

 private:
  const JudgedMonth& month_;
  const QAbstractItemModel& sheet_;
  int first_column_;
  int rows_ = 0;
  std::vector<int> desired_types_;  // the duty of each row after the staffing's
  std::map<std::pair<int, int>, QString> notes_;
};

}  // namespace tsumiki::gui
