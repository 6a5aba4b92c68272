#pragma once

#include <QAbstractSpinBox>

class QLineEdit;

namespace tsumiki::gui {

// The time limit in minutes: typed freely (the start conditions check the text as
// the planner left it, fractions included) or stepped a whole minute at a time by
// the arrows, the arrow keys and the wheel, within the window's range.
class TimeLimitBox : public QAbstractSpinBox {
  Q_OBJECT
 public:
  TimeLimitBox(int minimum, int maximum, QWidget* parent = nullptr);

  // The field itself, named for the window's logic and tests.
  QLineEdit* Field() const { return lineEdit(); }
  QString Text() const;
  void SetText(const QString& text);

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& position) const override;

 protected:
  StepEnabled stepEnabled() const override;

 private:
  int minimum_;
  int maximum_;
};

}  // namespace tsumiki::gui
