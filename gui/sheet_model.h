#pragma once

#include <QAbstractTableModel>

#include "gui/rule_marks.h"
#include "workbook/workbook.h"

namespace tsumiki::gui {

// One sheet of the open workbook as a table: displayed texts, fills, the cells the
// store derives shown read-only. Row and column i of the model is sheet row and
// column i + 1.
class SheetModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // Roles beyond Qt's for the border delegate: the ColorIndex of an edge.
  enum Role {
    kLeftBorderRole = Qt::UserRole + 1,
    kTopBorderRole,
    kRightBorderRole,
    kBottomBorderRole,
    kDerivedRole,
    kRuleNoteRole,  // the reasons of the rules the cell breaks, empty when none
    kMarkedRole     // true on a cell the readjustment marks for an exchange
  };

  SheetModel(workbook::Workbook& book, int sheet, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  int Sheet() const { return sheet_; }
  // Writes what the planner typed into an input cell; false with the store's
  // message when the cell refused it. No box: the caller reports.
  bool WriteInput(int row, int column, const QString& text, QString* error);
  // Repaints cells after the store changed them; grows the grid when a write
  // landed beyond it.
  void CellsChanged(int top, int left, int bottom, int right);
  // The reasons of broken rules to show on cells (as tooltips and marks).
  void SetRuleNotes(CellNotes notes);
  // Cells filled with this ColorIndex are marked (the readjustment's proposal):
  // they show their duty's own colour under a thick frame, so that the duty stays
  // readable while the mark stands out.
  void SetMarkInterior(int color_index) { mark_interior_ = color_index; }
  // The message of the last refused edit, for the window to show.
  const QString& LastError() const { return last_error_; }

  // Column letters of a 1-based column number ("A", "AA").
  static QString ColumnName(int column);
  // What the planner typed, as the cell value it stands for: empty, a number when
  // the whole text reads as one, otherwise the text.
  static workbook::CellValue ParseInput(const QString& text);

 Q_SIGNALS:
  void EditRefused(const QString& message);

 private:
  workbook::Workbook& book_;
  int sheet_;
  int rows_;
  int columns_;
  QString last_error_;
  CellNotes notes_;
  int mark_interior_ = -2;  // no ColorIndex is this
};

}  // namespace tsumiki::gui
