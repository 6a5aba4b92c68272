#pragma once

#include <QObject>

#include "conditions/condition_model.h"
#include "ui/host.h"
#include "workbook/workbook.h"

class QAction;

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

 private:
  void BuildMenu();
  void ShowJudgement();
  void Print();
  void SavePdf(bool a3);

  SheetWindow& window_;
  workbook::Workbook& book_;
  Host& host_;
  RosterJudge* judge_;
  TotalsPanes* panes_ = nullptr;
  int roster_sheet_ = -1;
  QAction* print_ = nullptr;
  QAction* pdf_a4_ = nullptr;
  QAction* pdf_a3_ = nullptr;
};

}  // namespace tsumiki::gui
