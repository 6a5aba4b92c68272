#pragma once

#include <QObject>

#include "gui/roster_judge.h"
#include "gui/rule_marks.h"

class QGridLayout;
class QLabel;
class QTableView;
class QWidget;

namespace tsumiki::gui {

class DayTotalsModel;
class MemberTotalsModel;
class SheetView;

// The panes around the roster sheet's grid: the per-member totals to its right,
// row by row beside the members; the staff of each day below it, column by column
// under the days; the legend of the duty colours in the corner between them. The
// panes scroll with the grid and keep their rows and columns on the grid's.
class TotalsPanes : public QObject {
  Q_OBJECT
 public:
  // `page` holds `sheet` at row 0, column 0; the panes take the cells beside it.
  // The grid's frozen rows and columns are those above and left of the roster.
  TotalsPanes(SheetView& sheet, QGridLayout& page, const JudgedMonth& month,
              QObject* parent = nullptr);

  // The month was judged again.
  void Refresh(const RuleMarks& marks);
  // Shows or hides the panes; the grid takes the room they leave.
  void SetShown(bool shown);

  QTableView* MemberTable() const { return members_; }
  QTableView* DayTable() const { return days_; }
  QLabel* Caption() const { return caption_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMemberPane(QGridLayout& page);
  void BuildDayPane(QGridLayout& page);
  void FillLegend();
  void Align();

  SheetView& sheet_;
  const JudgedMonth& month_;
  MemberTotalsModel* member_model_;
  DayTotalsModel* day_model_;
  QLabel* caption_ = nullptr;
  QWidget* member_pane_ = nullptr;
  QTableView* members_ = nullptr;
  QTableView* days_ = nullptr;
  QWidget* legend_ = nullptr;
};

}  // namespace tsumiki::gui
