#include "gui/message_box.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <vector>

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

void Prepare(QMessageBox& box, const QString& text, const QString& title, MsgIcon icon) {
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
}

// Beside the window that asks (not over it, and never off the screen).
void Run(QMessageBox& box, QWidget* parent) {
  if (parent != nullptr && parent->isVisible()) PlaceBeside(&box, parent->window());
  box.exec();
}
}  // namespace

MsgResult ShowMessageBox(QWidget* parent, const QString& text, const QString& title,
                         MsgButtons buttons, MsgIcon icon) {
  QMessageBox box(parent);
  Prepare(box, text, title, icon);
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
  Run(box, parent);
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

int ShowChoiceBox(QWidget* parent, const QString& text, const QString& title,
                  const QStringList& choices, MsgIcon icon) {
  QMessageBox box(parent);
  Prepare(box, text, title, icon);
  std::vector<QPushButton*> buttons;
  for (const QString& choice : choices) {
    buttons.push_back(box.addButton(choice, QMessageBox::ActionRole));
  }
  if (buttons.empty()) return -1;
  box.setDefaultButton(buttons.front());
  box.setEscapeButton(buttons.back());
  Run(box, parent);
  const auto pressed = std::find(buttons.begin(), buttons.end(), box.clickedButton());
  if (pressed == buttons.end()) return static_cast<int>(buttons.size()) - 1;
  return static_cast<int>(pressed - buttons.begin());
}

}  // namespace tsumiki::gui
