#include "gui/placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tsumiki::gui {

namespace {
constexpr int kGap = 8;
// Before a window is shown its frame is unknown; a title bar of about this height.
constexpr int kTitleBarEstimate = 30;
}  // namespace

QPoint BesideRect(const QRect& anchor, const QSize& size, const QRect& screen) {
  int left = anchor.left() - kGap - size.width();
  if (left < screen.left()) left = anchor.right() + 1 + kGap;
  // A window as wide as the screen has no side free: the middle of it then.
  if (left + size.width() > screen.right() + 1) left = anchor.center().x() - size.width() / 2;
  const int top = anchor.bottom() + 1 - size.height();
  left =
      std::clamp(left, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
  return QPoint(left, std::clamp(top, screen.top(),
                                 std::max(screen.top(), screen.bottom() + 1 - size.height())));
}

void PlaceBeside(QWidget* window, const QWidget* anchor) {
  if (window == nullptr || anchor == nullptr || !anchor->isVisible()) return;
  const QScreen* screen = anchor->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QSize size = window->isVisible() ? window->frameGeometry().size() : window->sizeHint();
  if (!window->isVisible()) {
    size = size.expandedTo(window->size()).grownBy(QMargins(0, kTitleBarEstimate, 0, 0));
  }
  window->move(BesideRect(anchor->frameGeometry(), size, screen->availableGeometry()));
}

}  // namespace tsumiki::gui
