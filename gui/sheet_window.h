#pragma once

#include <QMainWindow>
#include <QRect>
#include <map>
#include <vector>

#include "workbook/workbook.h"

class QAction;
class QGridLayout;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;
class QTimer;

namespace tsumiki::gui {

class SheetModel;
class SheetView;
class UndoHistory;

// The window that stands where the spreadsheet application stood: every sheet of
// the workbook as a tab with its grid, a formula bar and an edit menu. Edits go
// into the store; the store's writes, its active sheet and its selection come
// back into the view, so a creation run fills the roster visibly day by day.
// Every change to the workbook can be undone, one command at a time.
class SheetWindow : public QMainWindow {
  Q_OBJECT
 public:
  explicit SheetWindow(workbook::Workbook& book, QWidget* parent = nullptr);
  ~SheetWindow() override;

  QTabWidget* Tabs() const { return tabs_; }
  QTableView* ViewOfSheet(int sheet) const;
  // The layout of a sheet's tab: its grid at row 0, column 0; room around it for
  // panes that belong to the sheet.
  QGridLayout* PageOfSheet(int sheet) const;
  SheetModel* ModelOfSheet(int sheet) const;
  QLineEdit* FormulaBar() const { return formula_; }
  UndoHistory& History() { return *history_; }
  QAction* UndoAction() const { return undo_; }
  QAction* RedoAction() const { return redo_; }

  // FocusSpreadsheetWindow: shows the window and brings it to the front.
  void BringToFront();
  // Closing asks nothing from now on (the session has already saved or discarded).
  void CloseWithoutQuestion();
  // Applies the store's writes, active sheet and selection to the view now.
  void SyncFromStore();
  // Stops and restarts following the store. The session may close (and destroy)
  // the workbook only while the window does not follow it; a window that never
  // follows again is deleted without touching the store.
  void StopFollowingStore();
  void FollowStore();
  // Keeps the rows above and the columns left of (row, column) in view on a sheet.
  void FreezePanes(int sheet, int row, int column);
  // A read-only session: closing says that changes cannot be kept instead of
  // offering to save them.
  void SetReadOnly(bool read_only) { read_only_ = read_only; }
  // 上書き保存 (Ctrl+S): writes the workbook to its file; a failure is shown.
  void SaveWorkbook();
  QAction* SaveAction() const { return save_; }
  // While a run changes the workbook, undo, redo, paste and clearing wait.
  void SetEditingAllowed(bool allowed);

  // The edit commands on the current sheet's selection.
  void ClearSelection();
  void CopySelection();
  void PasteAtSelection();

 Q_SIGNALS:
  // An undo or redo has put cells back: whatever was read from them is stale.
  void WorkbookRestored();
  // The store changed these cells (1-based rows and columns, x the column) and the
  // view shows them now.
  void CellsChanged(int sheet, const QRect& area);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  void BuildFormulaBar();
  SheetView* CurrentView() const;
  void OnStoreChanged(int sheet, int row, int column);
  void OnCurrentCellChanged(int sheet, const QModelIndex& current);
  void OnTabChanged(int tab);
  void ShowInFormulaBar(const QModelIndex& current);
  void CommitFormulaBar();
  void GoToTypedCell();
  void UpdateUndoActions();
  // Asks whether to save unsaved changes; false when the planner cancelled.
  bool ConfirmDiscardOrSave();

  workbook::Workbook& book_;
  QTabWidget* tabs_;
  QLineEdit* address_ = nullptr;  // the name box
  QLineEdit* formula_ = nullptr;
  QAction* save_ = nullptr;
  QAction* undo_ = nullptr;
  QAction* redo_ = nullptr;
  QAction* paste_ = nullptr;
  QAction* clear_ = nullptr;
  UndoHistory* history_;
  std::vector<SheetView*> views_;
  std::vector<SheetModel*> models_;
  std::vector<QGridLayout*> pages_;
  std::map<int, QRect> pending_;  // per sheet: the cells written since the last sync
  QTimer* flush_;
  QTimer* poll_;
  bool syncing_ = false;
  bool ask_on_close_ = true;
  bool following_ = false;
  bool editing_allowed_ = true;
  bool read_only_ = false;
};

}  // namespace tsumiki::gui
