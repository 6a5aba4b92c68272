#include "gui/window_drag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace tsumiki::gui {

WindowDragger::WindowDragger(QWidget* window, std::initializer_list<QWidget*> handles)
    : QObject(window), window_(window) {
  window_->installEventFilter(this);
  for (QWidget* handle : handles) AddHandle(handle);
}

void WindowDragger::AddHandle(QWidget* handle) {
  if (handle != nullptr) handle->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) break;
      // Hand the move to the window manager where there is one; without it (a bare
      // X server) follow the mouse ourselves.
      QWindow* handle = window_->windowHandle();
      if (handle != nullptr && handle->startSystemMove()) return false;
      dragging_ = true;
      grab_offset_ = mouse->globalPosition().toPoint() - window_->frameGeometry().topLeft();
      break;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (dragging_ && (mouse->buttons() & Qt::LeftButton)) {
        window_->move(mouse->globalPosition().toPoint() - grab_offset_);
      }
      break;
    }
    case QEvent::MouseButtonRelease:
      dragging_ = false;
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tsumiki::gui
