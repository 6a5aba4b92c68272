#pragma once

#include <QDialog>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

#include "ui/host.h"

class QPushButton;
class QTextEdit;

namespace tsumiki::gui {

// The program's one message box. Its text wraps at a readable width (anywhere in
// a word too long for a line, such as a path), the box grows in height to show all
// of it, and the whole text can be selected and copied (Ctrl+C copies all of it
// when nothing is selected). It opens over the window it belongs to, within the
// screen, and stays above the always-on-top panel.
class MessageDialog : public QDialog {
  Q_OBJECT
 public:
  MessageDialog(QWidget* parent, const QString& text, const QString& title, MsgIcon icon);

  // Buttons in the order added; the first is the default unless set otherwise.
  QPushButton* AddButton(const QString& caption);
  void SetDefaultButton(QPushButton* button);
  // The button that Esc and the title bar's close button answer.
  void SetEscapeButton(QPushButton* button) { escape_ = button; }

  QString Text() const { return text_; }
  QTextEdit* TextArea() const { return text_area_; }
  const std::vector<QPushButton*>& Buttons() const { return buttons_; }
  QPushButton* DefaultButton() const { return default_; }
  QPushButton* EscapeButton() const { return escape_; }
  // The button pressed, or the escape button when the box was closed otherwise.
  QPushButton* ClickedButton() const { return clicked_; }

  // Sizes the box for its text within `anchor`'s screen, places it over `anchor`
  // (the screen's middle without one) and runs it. A valid `keep_clear` (screen
  // coordinates: the cells the text speaks about) is never covered.
  void Run(QWidget* anchor, const QRect& keep_clear = {});

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void reject() override;

 private:
  void FitToText(const QRect& screen);

  QString text_;
  QTextEdit* text_area_;
  QWidget* button_row_;
  std::vector<QPushButton*> buttons_;
  QPushButton* default_ = nullptr;
  QPushButton* escape_ = nullptr;
  QPushButton* clicked_ = nullptr;
};

// A box with Japanese button captions; closing it by the window manager gives the
// box's safe answer (Cancel, else No, else OK).
MsgResult ShowMessageBox(QWidget* parent, const QString& text, const QString& title,
                         MsgButtons buttons, MsgIcon icon = MsgIcon::kNone,
                         const QRect& keep_clear = {});

// The same box with buttons of its own captions; returns the index of the one
// pressed. The first is the default; closing the box answers the last.
int ShowChoiceBox(QWidget* parent, const QString& text, const QString& title,
                  const QStringList& choices, MsgIcon icon);

}  // namespace tsumiki::gui
