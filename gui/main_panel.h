#pragma once

#include <QMainWindow>
#include <array>

class QAction;
class QLabel;
class QPushButton;

namespace tsumiki::gui {

// frm勤務管理: the small always-on-top panel with the program's commands. It only
// lays out the controls and reports clicks; the application wires them to the
// session's commands.
class MainPanel : public QMainWindow {
  Q_OBJECT
 public:
  explicit MainPanel(QWidget* parent = nullptr);

  QPushButton* Button(const QString& object_name) const;
  // mnu単勤単休最少化 (index 0..2).
  QAction* ModeItem(int index) const { return mode_items_.at(static_cast<std::size_t>(index)); }
  void SetModeTick(int mode);
  void SetTopmost(bool topmost);
  // While a run is under way only the help stays live; closing the panel then
  // first asks whether to stop the run.
  void SetBusy(bool busy);
  bool IsBusy() const { return busy_; }

  // Closing by the title bar only hides the panel (the sheet window stays);
  // cmd閉じる ends the program through the session instead.
  void CloseQuietly();

 Q_SIGNALS:
  // A button by its object name ("cmd勤務表作成" …).
  void CommandClicked(const QString& object_name);
  void ModeChosen(int index);
  void TotalsChosen();
  void PictureDoubleClicked();
  // The planner chose to stop the run while closing the panel.
  void StopRunRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QPushButton* AddButton(const QString& name, const QString& caption, const QString& tip);

  QLabel* picture_;
  std::array<QAction*, 3> mode_items_{};
  bool busy_ = false;
};

}  // namespace tsumiki::gui
