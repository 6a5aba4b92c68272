#include "box_answerer_helper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace tsumiki::gui::testing {

BoxAnswerer::BoxAnswerer(Decide decide) : decide_(std::move(decide)) {
  // Checked on every pass of the event loop, also inside a box's own loop.
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::Poll);
  timer_.start();
}

void BoxAnswerer::Poll() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible() || box->property("answered").toBool()) return;
  box->setProperty("answered", true);
  seen_.push_back(Seen{box->windowTitle(), box->text()});
  const QString caption = decide_ ? decide_(box->windowTitle(), box->text()) : QString();
  QAbstractButton* target = box->defaultButton();
  if (!caption.isEmpty()) {
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == caption) target = button;
    }
  }
  if (target == nullptr && !box->buttons().isEmpty()) target = box->buttons().first();
  // Clicked from the event loop, not from inside this timer slot.
  QMetaObject::invokeMethod(target, &QAbstractButton::click, Qt::QueuedConnection);
}

bool BoxAnswerer::SawTitle(const QString& title) const {
  for (const Seen& box : seen_) {
    if (box.title == title) return true;
  }
  return false;
}

QString BoxAnswerer::TextOf(const QString& title) const {
  for (auto it = seen_.rbegin(); it != seen_.rend(); ++it) {
    if (it->title == title) return it->text;
  }
  return {};
}

}  // namespace tsumiki::gui::testing
