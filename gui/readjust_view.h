#pragma once

#include <QWidget>

#include "conditions/engine_context.h"
#include "present/readjust_window.h"

class QLineEdit;
class QPushButton;
class QTimer;

namespace tsumiki::gui {

// frm再調整 on screen: the selected roster cell with member, duty and date, and
// the buttons to turn it into a holiday and to undo. The core's window logic
// follows the selection on its 100 ms timer; this view repaints from it.
class ReadjustView : public QWidget {
  Q_OBJECT
 public:
  explicit ReadjustView(const EngineContext& context, QWidget* parent = nullptr);

  // The window's load; false when the conditions were refused.
  bool Load();
  ReadjustWindow& Logic() { return logic_; }
  // Shows the logic's selection and button states.
  void Refresh();

 Q_SIGNALS:
  // Around each command that may change the workbook, so that the application can
  // hold other commands back and record the change as one step.
  void CommandStarted();
  void CommandEnded();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  ReadjustWindow logic_;
  QLineEdit* target_;
  QLineEdit* id_;
  QLineEdit* name_;
  QLineEdit* duty_;
  QLineEdit* day_;
  QPushButton* readjust_;
  QPushButton* undo_;
  QTimer* repaint_;
  bool closing_ = false;
};

}  // namespace tsumiki::gui
