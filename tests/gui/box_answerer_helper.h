#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

namespace tsumiki::gui {
class MessageDialog;
}

namespace tsumiki::gui::testing {

// Answers the program's message boxes as a planner would click them, and keeps
// what each box said. The decision gets the title and text and returns the
// caption of the button to press ("OK", "キャンセル", "はい(&Y)", "いいえ(&N)");
// an empty caption presses the box's default button.
class BoxAnswerer : public QObject {
  Q_OBJECT
 public:
  struct Seen {
    QString title;
    QString text;
    QRect frame;               // where the box stood
    QPointer<QWidget> parent;  // the window it was given
  };
  using Decide = std::function<QString(const QString& title, const QString& text)>;

  explicit BoxAnswerer(Decide decide = {});
  void SetDecide(Decide decide) { decide_ = std::move(decide); }
  // Runs on each box as it stands, before it is answered.
  void SetInspect(std::function<void(MessageDialog&)> inspect) { inspect_ = std::move(inspect); }

  const std::vector<Seen>& Boxes() const { return seen_; }
  bool SawTitle(const QString& title) const;
  // The text of the last box with this title, or a null string.
  QString TextOf(const QString& title) const;
  void Clear() { seen_.clear(); }

 private:
  void Poll();

  Decide decide_;
  std::function<void(MessageDialog&)> inspect_;
  QTimer timer_;
  std::vector<Seen> seen_;
};

}  // namespace tsumiki::gui::testing
