#include "gui/message_box.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "gui/gui_texts.h"
#include "gui/placement.h"

namespace tsumiki::gui {

namespace {
const QString kOkText = QStringLiteral("OK");
const QString kCancelText = QStringLiteral("キャンセル");
const QString kYesText = QStringLiteral("はい(&Y)");
const QString kNoText = QStringLiteral("いいえ(&N)");

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::kInformation:
      return QMessageBox::Information;
    case MsgIcon::kQuestion:
      return QMessageBox::Question;
    case MsgIcon::kExclamation:
      return QMessageBox::Warning;
    case MsgIcon::kCritical:
      return QMessageBox::Critical;
    case MsgIcon::kNone:
      break;
  }
  return QMessageBox::NoIcon;
}
}  // namespace

MsgResult ShowMessageBox(QWidget* parent, const QString& text, const QString& title,
                         MsgButtons buttons, MsgIcon icon) {
  QMessageBox box(parent);
  box.setObjectName(QStringLiteral("MsgBox"));
  box.setWindowTitle(title.isEmpty() ? kProgramName : title);
  box.setText(text);
  // The title bar takes its width from the text: a short text would cut a long
  // title, so the text is given room for the title and the frame's buttons.
  if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
    const int title_width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + 120;
    label->setMinimumWidth(std::min(title_width, 480));
  }
  box.setIcon(ToQtIcon(icon));
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
  QPushButton* yes = nullptr;
  QPushButton* no = nullptr;
  switch (buttons) {
    case MsgButtons::kOk:
      ok = box.addButton(kOkText, QMessageBox::AcceptRole);
      box.setEscapeButton(ok);
      break;
    case MsgButtons::kOkCancel:
      ok = box.addButton(kOkText, QMessageBox::AcceptRole);
      cancel = box.addButton(kCancelText, QMessageBox::RejectRole);
      box.setEscapeButton(cancel);
      break;
    case MsgButtons::kYesNo:
      yes = box.addButton(kYesText, QMessageBox::YesRole);
      no = box.addButton(kNoText, QMessageBox::NoRole);
      box.setEscapeButton(no);
      break;
    case MsgButtons::kYesNoCancel:
      yes = box.addButton(kYesText, QMessageBox::YesRole);
      no = box.addButton(kNoText, QMessageBox::NoRole);
      cancel = box.addButton(kCancelText, QMessageBox::RejectRole);
      box.setEscapeButton(cancel);
      break;
  }
  box.setDefaultButton(ok != nullptr ? ok : yes);
  // Beside the window that asks (not over it, and never off the screen).
  if (parent != nullptr && parent->isVisible()) PlaceBeside(&box, parent->window());
  box.exec();
  const QAbstractButton* clicked = box.clickedButton();
  if (clicked != nullptr) {
    if (clicked == yes) return MsgResult::kYes;
    if (clicked == no) return MsgResult::kNo;
    if (clicked == ok) return MsgResult::kOk;
  }
  if (cancel != nullptr) return MsgResult::kCancel;
  if (no != nullptr) return MsgResult::kNo;
  return MsgResult::kOk;
}

}  // namespace tsumiki::gui
