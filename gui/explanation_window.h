#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace tsumiki::gui {

// Why a run found no month, as read-only text that stays open beside the sheet
// while the planner changes the conditions; each failed run opens its own. The
// run's front end may offer one action on it (writing the nearest month).
class ExplanationWindow : public QWidget {
  Q_OBJECT
 public:
  ExplanationWindow(const QString& title, const QString& text, QWidget* parent = nullptr);

  // Shows a button with `caption` that runs `action`; once it returns true (it
  // ran) the button goes grey.
  void OfferAction(const QString& caption, std::function<bool()> action);
  // The offer no longer holds (another run has replaced what it would write).
  void WithdrawAction();
  QPushButton* ActionButton() const { return action_; }

 private:
  QPlainTextEdit* text_;
  QPushButton* action_;
  std::function<bool()> run_;
};

}  // namespace tsumiki::gui
