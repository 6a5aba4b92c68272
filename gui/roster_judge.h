#pragma once

#include <QObject>
#include <QRect>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "check/roster_reading.h"
#include "check/roster_totals.h"
#include "check/rule_check.h"
#include "conditions/condition_model.h"
#include "workbook/workbook.h"

class QTimer;

namespace tsumiki::gui {

// The month as the sheet holds it, judged: what the totals panes, the rule marks
// and the printed page show.
struct JudgedMonth {
  bool readable = false;
  std::string problem;  // why the conditions could not be read, when not readable
  ConditionModel model;
  MonthLabels labels;
  RosterTotals totals;
  std::vector<Finding> findings;
  workbook::CellRange roster;  // Time_Table on the workbook
};

// Judges the open workbook after its changes. The conditions are read from a
// private copy of the workbook, because reading them writes the reservations into
// the roster sheet: the planner's workbook, its undo history and its modified flag
// stay untouched. The copy is brought up to date cell by cell from the areas the
// sheet window reports as changed.
class RosterJudge : public QObject {
  Q_OBJECT
 public:
  // `start` supplies the month and the start days as the session holds them.
  RosterJudge(workbook::Workbook& book, const ConditionModel& start, QObject* parent = nullptr);
  ~RosterJudge() override;

  const JudgedMonth& Month() const { return month_; }
  // Cells of the workbook changed: they are copied and the month judged again
  // shortly, once for a burst of changes (a creation run writes day by day).
  void CellsChanged(int sheet, const QRect& area);
  // Judges now, with every pending change.
  void JudgeNow();

 Q_SIGNALS:
  void Judged();

 private:
  bool OpenCopy();
  void CopyPendingCells();

  workbook::Workbook& book_;
  const ConditionModel& start_;
  std::unique_ptr<workbook::Workbook> copy_;
  std::map<int, QRect> pending_;  // per sheet: cells that may differ in the copy
  JudgedMonth month_;
  QTimer* delay_;
};

}  // namespace tsumiki::gui
