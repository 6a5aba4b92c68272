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
      const int values[kMemberSumColumns + kWishColumns] = {
          sum.work_days,   sum.target,         sum.days_off,     sum.single_work,
          sum.single_rest, sum.wishes_granted, sum.wishes_missed};
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
  const int sum = section - types;
  const bool wish = sum >= kMemberSumColumns;
  if (role == Qt::DisplayRole) {
    if (duty) return Q(month_.model.TypeAbbrev(section + 1));
    return wish ? kWishHeads[static_cast<std::size_t>(sum - kMemberSumColumns)]
                : kMemberSumHeads[static_cast<std::size_t>(sum)];
  }
  if (role == Qt::ToolTipRole) {
    if (duty) {
      return kDutyDaysTip.arg(Q(month_.labels.duty_names[static_cast<std::size_t>(section)]));
    }
    return wish ? kWishTips[static_cast<std::size_t>(sum - kMemberSumColumns)]
                : kMemberSumTips[static_cast<std::size_t>(sum)];
  }
  return {};
}

void MemberTotalsModel::Refresh(const RuleMarks& marks) {
  notes_ = marks.member_month;
  const int columns = month_.readable ? month_.model.TypeCount + kMemberSumColumns +
                                            (month_.totals.has_wishes ? kWishColumns : 0)
                                      : 0;
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
  const int type = TypeOfRow(index.row());
  const auto t = static_cast<std::size_t>(type - 1);
  const bool desired = index.row() >= month_.model.TypeCount;
  const int wanted = desired ? totals.desired[t] : totals.need[t];
  const auto note = desired ? notes_.end() : notes_.find({day, type});
  if (desired && wanted <= 0 && role != Qt::TextAlignmentRole) return {};
  switch (role) {
    case Qt::DisplayRole:
      return QStringLiteral("%1/%2").arg(totals.staff[t]).arg(wanted);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
      // Above the desired staffing is no excess: only a day below it is marked.
      return desired ? Fill(std::min(totals.staff[t], wanted), wanted)
                     : Fill(totals.staff[t], totals.need[t]);
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
  const int type = TypeOfRow(section);
  const QString name = Q(month_.labels.duty_names[static_cast<std::size_t>(type - 1)]);
  if (section >= month_.model.TypeCount) {
    const auto t = static_cast<std::size_t>(type - 1);
    if (role == Qt::DisplayRole) return kDesiredRowHead.arg(name);
    if (role == Qt::ToolTipRole) {
      return kDesiredRowTip.arg(name)
          .arg(month_.totals.desired_reached[t])
          .arg(month_.totals.desired_days[t]);
    }
    return {};
  }
  if (role == Qt::DisplayRole) return kStaffRowHead.arg(name);
  if (role == Qt::ToolTipRole) return kStaffRowTip.arg(name);
  return {};
}

int DayTotalsModel::TypeOfRow(int row) const {
  const int types = month_.model.TypeCount;
  return row < types ? row + 1 : desired_types_[static_cast<std::size_t>(row - types)];
}

void DayTotalsModel::Refresh(const RuleMarks& marks) {
  notes_ = marks.day_duty;
  std::vector<int> desired_types;
  for (int t = 1; month_.readable && t <= month_.model.TypeCount; ++t) {
    if (month_.totals.desired_days[static_cast<std::size_t>(t - 1)] > 0) desired_types.push_back(t);
  }
  const int rows =
      month_.readable ? month_.model.TypeCount + static_cast<int>(desired_types.size()) : 0;
  if (rows != rows_) {
    beginResetModel();
    rows_ = rows;
    desired_types_ = std::move(desired_types);
    endResetModel();
  } else if (rows_ > 0 && columnCount() > 0) {
    desired_types_ = std::move(desired_types);
    Q_EMIT dataChanged(index(0, 0), index(rows_ - 1, columnCount() - 1));
    Q_EMIT headerDataChanged(Qt::Vertical, 0, rows_ - 1);
  }
}

}  // namespace tsumiki::gui
