#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "conditions/condition_model.h"
#include "gui/rule_marks.h"
#include "ui/host.h"
#include "workbook/workbook.h"

class QAction;
class QTableView;

namespace tsumiki::gui {

class RosterJudge;
class SheetWindow;
class TotalsPanes;

// The roster sheet as the planner judges and shares it: the totals panes around
// it, the marks of broken rules on its cells, 印刷 and PDF 保存 in the sheet
// window's ファイル menu. All of it follows every change of the workbook.
class RosterReview : public QObject {
  Q_OBJECT
 public:
  // `start` holds the month and start days of the session; `host` asks for files.
  RosterReview(SheetWindow& window, workbook::Workbook& book, const ConditionModel& start,
               Host& host);

  RosterJudge& Judge() const { return *judge_; }
  // Null when the workbook has no roster area.
  TotalsPanes* Panes() const { return panes_; }
  QAction* PrintAction() const { return print_; }
  QAction* PdfAction(bool a3) const { return a3 ? pdf_a3_ : pdf_a4_; }
  QAction* CalendarAction() const { return calendars_; }
  QAction* PageAction() const { return page_; }
  // Selects the next marked cell and shows its reason in the status bar: the
  // roster sheet's cells row by row after the current one, then the marked totals
  // of the member pane and of the day pane, then from the top again. Every finding
  // the verdict counts is reached.
  QAction* NextFindingAction() const { return next_finding_; }

 private:
  void BuildMenu();
  void ShowJudgement();
  void Print();
  void SavePdf(bool a3);
  void ExportCalendars();
  void ExportPage();
  // The month as last judged, judged afresh; false (after a message under `title`)
  // when it cannot be read.
  bool JudgedReadable(const QString& title);
  void GoToNextFinding();
  // A marked cell of the grid or of a totals pane.
  struct Stop {
    QTableView* view = nullptr;
    int row = -1;
    int column = -1;
    QString reason;
  };
  std::vector<Stop> Stops() const;

  SheetWindow& window_;
  workbook::Workbook& book_;
  Host& host_;
  RosterJudge* judge_;
  TotalsPanes* panes_ = nullptr;
  int roster_sheet_ = -1;
  QAction* print_ = nullptr;
  QAction* pdf_a4_ = nullptr;
  QAction* pdf_a3_ = nullptr;
  QAction* calendars_ = nullptr;
  QAction* page_ = nullptr;
  QAction* next_finding_ = nullptr;
  CellNotes notes_;  // the marks on the roster sheet, as last judged
  Stop last_stop_;   // where F8 went last
};

}  // namespace tsumiki::gui
