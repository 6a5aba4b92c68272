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
  // The core's wish (off during a run); the panel stays on top only while the
  // planner's menu toggle allows it too.
  void SetTopmost(bool topmost);
  void AllowTopmost(bool allowed);
  bool TopmostAllowed() const { return topmost_allowed_; }
  // While a run is under way only the help stays live; closing the panel then
  // first asks whether to stop the run.
  void SetBusy(bool busy);
  bool IsBusy() const { return busy_; }

 Q_SIGNALS:
  // A button by its object name ("cmd勤務表作成" …).
  void CommandClicked(const QString& object_name);
  void ModeChosen(int index);
  void TotalsChosen();
  void PictureDoubleClicked();
  // The planner chose to stop the run while closing the panel.
  void StopRunRequested();
  // The title bar's close button: the program ends as by cmd閉じる (the panel
  // itself is never just hidden, since nothing else could bring it back).
  void CloseRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QPushButton* AddButton(const QString& name, const QString& caption, const QString& tip);

  QLabel* picture_;
  std::array<QAction*, 3> mode_items_{};
  bool busy_ = false;
  bool topmost_wanted_ = true;
  bool topmost_allowed_ = true;
};

}  // namespace tsumiki::gui
