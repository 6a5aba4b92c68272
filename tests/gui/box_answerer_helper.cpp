#include "box_answerer_helper.h"

#include "gui/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>

namespace tsumiki::gui::testing {

BoxAnswerer::BoxAnswerer(Decide decide) : decide_(std::move(decide)) {
  // Checked on every pass of the event loop, also inside a box's own loop.
  timer_.setInterval(0);
  connect(&timer_, &QTimer::timeout, this, &BoxAnswerer::Poll);
  timer_.start();
}

void BoxAnswerer::Poll() {
  auto* box = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible() || box->property("answered").toBool()) return;
  box->setProperty("answered", true);
  seen_.push_back(Seen{box->windowTitle(), box->Text(), box->frameGeometry(), box->parentWidget()});
  if (inspect_) inspect_(*box);
  const QString caption = decide_ ? decide_(box->windowTitle(), box->Text()) : QString();
  QAbstractButton* target = box->DefaultButton();
  if (!caption.isEmpty()) {
    for (QAbstractButton* button : box->Buttons()) {
      if (button->text() == caption) target = button;
    }
  }
  if (target == nullptr && !box->Buttons().empty()) target = box->Buttons().front();
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
