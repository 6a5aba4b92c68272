#pragma once

#include <QWidget>

#include "app/save_restore.h"

namespace tsumiki::gui {

// frm保存読込 on screen: save the creation conditions to a CSV file or read them
// back, through the platform's file dialogs. The core's window logic does both.
class SaveRestoreView : public QWidget {
  Q_OBJECT
 public:
  explicit SaveRestoreView(Session& session, QWidget* parent = nullptr);

  void Load() { logic_.Load(); }
  SaveRestoreWindow& Logic() { return logic_; }

 Q_SIGNALS:
  // Around each command that may change the workbook, so that the application can
  // hold other commands back and record the change as one step.
  void CommandStarted();
  void CommandEnded();
  // The conditions file was written or read.
  void ConditionsSaved();
  void ConditionsRestored();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  SaveRestoreWindow logic_;
  bool closing_ = false;
};

}  // namespace tsumiki::gui
