#pragma once

#include <QMainWindow>
#include <QRect>
#include <map>
#include <vector>

#include "workbook/workbook.h"

class QTabWidget;
class QTableView;
class QTimer;

namespace tsumiki::gui {

class SheetModel;

// The window that stands where the spreadsheet application stood: every sheet of
// the workbook as a tab with its grid. Edits go into the store; the store's
// writes, its active sheet and its selection come back into the view, so a
// creation run fills the roster visibly day by day.
class SheetWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit SheetWindow(workbook::Workbook& book, QWidget* parent = nullptr);
  ~SheetWindow() override;

  QTabWidget* Tabs() const { return tabs_; }
  QTableView* ViewOfSheet(int sheet) const;
  SheetModel* ModelOfSheet(int sheet) const;

  // FocusSpreadsheetWindow: shows the window and brings it to the front.
  void BringToFront();
  // Closing asks nothing from now on (the session has already saved or discarded).
  void CloseWithoutQuestion();
  // Applies the store's writes, active sheet and selection to the view now.
  void SyncFromStore();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnStoreChanged(int sheet, int row, int column);
  void OnCurrentCellChanged(int sheet, const QModelIndex& current);
  void OnTabChanged(int tab);
  // Asks whether to save unsaved changes; false when the planner cancelled.
  bool ConfirmDiscardOrSave();

  workbook::Workbook& book_;
  QTabWidget* tabs_;
  std::vector<QTableView*> views_;
  std::vector<SheetModel*> models_;
  std::map<int, QRect> pending_;  // per sheet: the cells written since the last sync
  QTimer* flush_;
  QTimer* poll_;
  bool syncing_ = false;
  bool ask_on_close_ = true;
};

}  // namespace tsumiki::gui
