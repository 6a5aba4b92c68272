#include "gui/time_limit_box.h"

#include <QLineEdit>
#include <algorithm>
#include <cmath>

namespace tsumiki::gui {

TimeLimitBox::TimeLimitBox(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), minimum_(minimum), maximum_(maximum) {
  setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
  setKeyboardTracking(true);
  setAccelerated(true);
}

QString TimeLimitBox::Text() const {
  return lineEdit()->text();
}

void TimeLimitBox::SetText(const QString& text) {
  lineEdit()->setText(text);
}

QValidator::State TimeLimitBox::validate(QString&, int&) const {
  // Any text: the start conditions refuse what is no number with their message.
  return QValidator::Acceptable;
}

void TimeLimitBox::stepBy(int steps) {
  bool ok = false;
  const double now = Text().trimmed().toDouble(&ok);
  const int whole = ok ? static_cast<int>(std::floor(now)) : minimum_ - steps;
  SetText(QString::number(std::clamp(whole + steps, minimum_, maximum_)));
}

QAbstractSpinBox::StepEnabled TimeLimitBox::stepEnabled() const {
  return StepUpEnabled | StepDownEnabled;
}

}  // namespace tsumiki::gui
