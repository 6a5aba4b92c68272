#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace tsumiki::gui {

// Lets a window be moved by pressing the left button on its body (or on any
// widget the filter is installed on) and moving the mouse, as the borderless
// windows of the program have no caption to grab.
class WindowDragger : public QObject {
  Q_OBJECT
 public:
  // Installs itself on `window` and on each of `handles`.
  explicit WindowDragger(QWidget* window, std::initializer_list<QWidget*> handles = {});
  void AddHandle(QWidget* handle);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  bool dragging_ = false;
  QPoint grab_offset_;
};

}  // namespace tsumiki::gui
