#include "gui/totals_models.h"

#include <QBrush>
#include <QColor>
#include <algorithm>

#include "gui/sheet_model.h"
#include "gui/totals_texts.h"

namespace tsumiki::gui {

namespace {
const QColor kShortFill(0xF8, 0xC8, 0xC8);
const QColor kOverFill(0xCC, 0xE0, 0xF8);

// Light red below what is wanted, light blue above it, nothing when it is met.
QVariant Fill(int value, int wanted) {
  if (value < wanted) return QBrush(kShortFill);
  if (value > wanted) return QBrush(kOverFill);
  return {};
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}
}  // namespace

MemberTotalsModel::MemberTotalsModel(const JudgedMonth& month, const QAbstractItemModel& sheet,
                                     int first_row, QObject* parent)
    : QAbstractTableModel(parent), month_(month), sheet_(sheet), first_row_(first_row) {
  // The sheet grows when something is written beyond it; the rows stay beside it.
  connect(&sheet_, &QAbstractItemModel::rowsInserted, this, [this] {
    beginResetModel();
    endResetModel();
  });
}

int MemberTotalsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, sheet_.rowCount() - first_row_);
}

int MemberTotalsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

int MemberTotalsModel::MemberOfRow(int row) const {
  if (!month_.readable) return 0;
  const int member = first_row_ + row - (month_.roster.top - 2);
  return member >= 1 && member <= month_.model.MemberCount ? member : 0;
}

QVariant MemberTotalsModel::data(const QModelIndex& index, int role) const {
  const int member = index.isValid() ? MemberOfRow(index.row()) : 0;
  if (member == 0) return {};
  const MemberTotals& sum = month_.totals.members[static_cast<std::size_t>(member - 1)];
  const int types = month_.model.TypeCount;
  const int column = index.column();
  const bool work_column = column == types;
  const auto note = notes_.find(member);
  switch (role) {
    case Qt::DisplayRole: {
      if (column < types) return sum.duties[static_cast<std::size_t>(column)];
      const int values[kMemberSumColumns] = {sum.work_days, sum.target, sum.days_off,
                                             sum.single_work, sum.single_rest};
      return values[column - types];
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
      return work_column ? Fill(sum.work_days, sum.target) : QVariant();
    case Qt::ToolTipRole:
    case SheetModel::kRuleNoteRole:
      if (work_column && note != notes_.end()) return note->second;
      return role == Qt::ToolTipRole ? QVariant() : QVariant(QString());
    default:
      return {};
  }
}

QVariant MemberTotalsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section >= columns_) return {};
  const int types = month_.model.TypeCount;
  const bool duty = section < types;
  if (role == Qt::DisplayRole) {
    if (duty) return Q(month_.model.TypeAbbrev(section + 1));
    return kMemberSumHeads[section - types];
  }
  if (role == Qt::ToolTipRole) {
    if (duty) {
      return kDutyDaysTip.arg(Q(month_.labels.duty_names[static_cast<std::size_t>(section)]));
    }
    if (!duty) return kMemberSumTips[section - types];
  }
  return {};
}

void MemberTotalsModel::Refresh(const RuleMarks& marks) {
  notes_ = marks.member_month;
  const int columns = month_.readable ? month_.model.TypeCount + kMemberSumColumns : 0;
  if (columns != columns_) {
    beginResetModel();
    columns_ = columns;
    endResetModel();
  } else if (columns_ > 0 && rowCount() > 0) {
    Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columns_ - 1));
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
  }
}

DayTotalsModel::DayTotalsModel(const JudgedMonth& month, const QAbstractItemModel& sheet,
                               int first_column, QObject* parent)
    : QAbstractTableModel(parent), month_(month), sheet_(sheet), first_column_(first_column) {
  connect(&sheet_, &QAbstractItemModel::columnsInserted, this, [this] {
    beginResetModel();
    endResetModel();
  });
}

int DayTotalsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int DayTotalsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, sheet_.columnCount() - first_column_);
}

int DayTotalsModel::DayOfColumn(int column) const {
  if (!month_.readable) return 0;
  const int day = first_column_ + column - (month_.roster.left - 2);
  return day >= 1 && day <= month_.model.DayCount ? day : 0;
}

QVariant DayTotalsModel::data(const QModelIndex& index, int role) const {
  const int day = index.isValid() ? DayOfColumn(index.column()) : 0;
  if (day == 0) return {};
  const DayTotals& totals = month_.totals.days[static_cast<std::size_t>(day - 1)];
  const auto t = static_cast<std::size_t>(index.row());
  const auto note = notes_.find({day, index.row() + 1});
  switch (role) {
    case Qt::DisplayRole:
      return QStringLiteral("%1/%2").arg(totals.staff[t]).arg(totals.need[t]);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
      return Fill(totals.staff[t], totals.need[t]);
    case Qt::ToolTipRole:
    case SheetModel::kRuleNoteRole:
      if (note != notes_.end()) return note->second;
      return role == Qt::ToolTipRole ? QVariant() : QVariant(QString());
    default:
      return {};
  }
}

QVariant DayTotalsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Vertical || section >= rows_) {
    return {};
  }
  const QString name = Q(month_.labels.duty_names[static_cast<std::size_t>(section)]);
  if (role == Qt::DisplayRole) return kStaffRowHead.arg(name);
  if (role == Qt::ToolTipRole) return kStaffRowTip.arg(name);
  return {};
}

void DayTotalsModel::Refresh(const RuleMarks& marks) {
  notes_ = marks.day_duty;
  const int rows = month_.readable ? month_.model.TypeCount : 0;
  if (rows != rows_) {
    beginResetModel();
    rows_ = rows;
    endResetModel();
  } else if (rows_ > 0 && columnCount() > 0) {
    Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
    Q_EMIT headerDataChanged(Qt::Vertical, 0, rows_ - 1);
  }
}

}  // namespace tsumiki::gui
