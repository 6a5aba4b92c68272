#include "gui/sheet_model.h"

#include <QBrush>
#include <QFont>
#include <algorithm>
#include <cmath>

#include "conditions/macro_roster.h"
#include "gui/colours.h"
#include "gui/sheet_extent.h"
#include "workbook/workbook_error.h"

namespace tsumiki::gui {

namespace {
// A few empty rows and columns beyond the used area, so the planner can type
// past it as in a spreadsheet.
constexpr int kSpareRows = 20;
constexpr int kSpareColumns = 8;
constexpr int kMinRows = 40;
constexpr int kMinColumns = 20;

const QString kDerivedTip = QStringLiteral("計算で求められるセルです（編集できません）");
const QColor kDerivedBackground(0xEE, 0xEE, 0xEE);
const QColor kDerivedText(0x55, 0x55, 0x55);
// A marked cell without a duty colour of its own (a rest day).
const QColor kMarkedBackground(0xDD, 0xE8, 0xFF);

workbook::Edge EdgeOfRole(int role) {
  switch (role) {
    case SheetModel::kLeftBorderRole:
      return workbook::Edge::kLeft;
    case SheetModel::kTopBorderRole:
      return workbook::Edge::kTop;
    case SheetModel::kRightBorderRole:
      return workbook::Edge::kRight;
    default:
      return workbook::Edge::kBottom;
  }
}
}  // namespace

SheetModel::SheetModel(workbook::Workbook& book, int sheet, QObject* parent)
    : QAbstractTableModel(parent), book_(book), sheet_(sheet) {
  const SheetExtent extent = UsedExtent(book_, sheet_);
  rows_ = std::max(kMinRows, extent.rows + kSpareRows);
  columns_ = std::max(kMinColumns, extent.columns + kSpareColumns);
}

int SheetModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int SheetModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns_;
}

QVariant SheetModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row() + 1;
  const int column = index.column() + 1;
  try {
    switch (role) {
      case Qt::DisplayRole:
        return QString::fromStdString(book_.DisplayText(sheet_, row, column));
      case Qt::EditRole: {
        // The stored value, not its formatted face: editing a date or a rounded
        // figure must not turn it into the text it shows.
        const workbook::CellValue value = book_.Value(sheet_, row, column);
        if (value.IsText()) return QString::fromStdString(value.Text());
        if (value.IsNumber()) return QString::number(value.Number(), 'g', 15);
        return QString::fromStdString(book_.DisplayText(sheet_, row, column));
      }
      case Qt::BackgroundRole: {
        const int interior = book_.InteriorColorIndex(sheet_, row, column);
        if (interior == mark_interior_) {
          const QColor duty = FromColorIndex(layout::FillOfDuty(
              layout::ReadDutyFills(book_), book_.DisplayText(sheet_, row, column)));
          return QBrush(duty.isValid() ? duty : kMarkedBackground);
        }
        const QColor fill = FromColorIndex(interior);
        if (fill.isValid()) return QBrush(fill);
        if (book_.IsDerived(sheet_, row, column)) return QBrush(kDerivedBackground);
        return {};
      }
      case Qt::ForegroundRole: {
        if (book_.IsDerived(sheet_, row, column)) return QBrush(kDerivedText);
        // Black text is unreadable on a dark fill.
        const int interior = book_.InteriorColorIndex(sheet_, row, column);
        if (interior == mark_interior_) return {};
        const QColor fill = FromColorIndex(interior);
        if (fill.isValid() && fill.lightnessF() < 0.45) return QBrush(Qt::white);
        return {};
      }
      case Qt::ToolTipRole:
        if (const auto note = notes_.find({index.row(), index.column()}); note != notes_.end()) {
          return note->second;
        }
        if (book_.IsDerived(sheet_, row, column)) return kDerivedTip;
        return {};
      case Qt::TextAlignmentRole: {
        const workbook::CellValue value = book_.Value(sheet_, row, column);
        return QVariant::fromValue(Qt::AlignVCenter |
                                   (value.IsNumber() ? Qt::AlignRight : Qt::AlignLeft));
      }
      case kRuleNoteRole: {
        const auto note = notes_.find({index.row(), index.column()});
        return note != notes_.end() ? note->second : QString();
      }
      case kMarkedRole:
        return book_.InteriorColorIndex(sheet_, row, column) == mark_interior_;
      case kDerivedRole:
        return book_.IsDerived(sheet_, row, column);
      case kLeftBorderRole:
      case kTopBorderRole:
      case kRightBorderRole:
      case kBottomBorderRole:
        return book_.BorderColorIndex(sheet_, row, column, EdgeOfRole(role));
      default:
        return {};
    }
  } catch (const workbook::WorkbookError&) {
    return {};
  }
}

workbook::CellValue SheetModel::ParseInput(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return {};
  bool is_number = false;
  const double number = trimmed.toDouble(&is_number);
  if (is_number && std::isfinite(number)) return number;
  return text.toStdString();
}

bool SheetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  if (!(flags(index) & Qt::ItemIsEditable)) return false;
  // An editor closed without a change leaves the cell (and the workbook) as it was.
  if (value.toString() == data(index, Qt::EditRole).toString()) return true;
  if (!WriteInput(index.row(), index.column(), value.toString(), &last_error_)) {
    Q_EMIT EditRefused(last_error_);
    return false;
  }
  return true;
}

bool SheetModel::WriteInput(int row, int column, const QString& text, QString* error) {
  const QModelIndex cell = index(row, column);
  if (!(flags(cell) & Qt::ItemIsEditable)) {
    if (error != nullptr) *error = kDerivedTip;
    return false;
  }
  try {
    book_.SetValue(sheet_, row + 1, column + 1, ParseInput(text));
    // A duty typed or pasted into the roster wears its colour at once, as after
    // a creation run (and a cleared one loses it).
    layout::ColourRosterCell(book_, sheet_, row + 1, column + 1);
  } catch (const workbook::WorkbookError& failure) {
    if (error != nullptr) *error = QString::fromStdString(failure.JapaneseMessage());
    return false;
  }
  Q_EMIT dataChanged(cell, cell);
  return true;
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (!book_.IsDerived(sheet_, index.row() + 1, index.column() + 1)) {
    result |= Qt::ItemIsEditable;
  }
  return result;
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return ColumnName(section + 1);
  return section + 1;
}

QString SheetModel::ColumnName(int column) {
  QString name;
  while (column > 0) {
    const int rest = (column - 1) % 26;
    name.prepend(QChar('A' + rest));
    column = (column - 1) / 26;
  }
  return name;
}

void SheetModel::SetRuleNotes(CellNotes notes) {
  notes_.swap(notes);
  // Repaint the cells that lost their mark and those that gained one.
  for (const CellNotes* side : {&notes, &notes_}) {
    for (const auto& [cell, text] : *side) {
      const QModelIndex changed = index(cell.first, cell.second);
      if (changed.isValid()) Q_EMIT dataChanged(changed, changed, {kRuleNoteRole, Qt::ToolTipRole});
    }
  }
}

void SheetModel::CellsChanged(int top, int left, int bottom, int right) {
  if (bottom > rows_) {
    beginInsertRows({}, rows_, bottom - 1);
    rows_ = bottom;
    endInsertRows();
  }
  if (right > columns_) {
    beginInsertColumns({}, columns_, right - 1);
    columns_ = right;
    endInsertColumns();
  }
  Q_EMIT dataChanged(index(std::max(0, top - 1), std::max(0, left - 1)),
                     index(bottom - 1, right - 1));
}

}  // namespace tsumiki::gui
