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

QSize FramedSize(const QWidget* window) {
  if (window->isVisible()) return window->frameGeometry().size();
  return window->sizeHint()
      .expandedTo(window->size())
      .grownBy(QMargins(0, kTitleBarEstimate, 0, 0));
}

void PlaceBeside(QWidget* window, const QWidget* anchor) {
  if (window == nullptr || anchor == nullptr || !anchor->isVisible()) return;
  const QScreen* screen = anchor->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  window->move(
      BesideRect(anchor->frameGeometry(), FramedSize(window), screen->availableGeometry()));
}

void KeepOnScreen(QWidget* window) {
  if (window == nullptr) return;
  const QScreen* screen = window->screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QSize size = FramedSize(window);
  const QRect frame(window->isVisible() ? window->frameGeometry().topLeft() : window->pos(), size);
  const int left =
      std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - size.width()));
  const int top =
      std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
  if (left != frame.left() || top != frame.top()) window->move(left, top);
}

QPoint AwayFrom(const QRect& keep_clear, const QSize& size, const QRect& screen) {
  const auto within = [&](QPoint p) {
    return QPoint(std::clamp(p.x(), screen.left(),
                             std::max(screen.left(), screen.right() + 1 - size.width())),
                  std::clamp(p.y(), screen.top(),
                             std::max(screen.top(), screen.bottom() + 1 - size.height())));
  };
  const QPoint middle = keep_clear.center() - QPoint(size.width() / 2, size.height() / 2);
  const QPoint sides[] = {
      QPoint(keep_clear.right() + 1 + kGap, middle.y()),
      QPoint(keep_clear.left() - kGap - size.width(), middle.y()),
      QPoint(middle.x(), keep_clear.bottom() + 1 + kGap),
      QPoint(middle.x(), keep_clear.top() - kGap - size.height()),
  };
  QPoint best = within(sides[0]);
  qint64 least = -1;
  for (const QPoint& side : sides) {
    const QPoint place = within(side);
    const QRect covered = QRect(place, size).intersected(keep_clear);
    const qint64 area = covered.isEmpty() ? 0 : qint64(covered.width()) * covered.height();
    if (area == 0) return place;
    if (least < 0 || area < least) {
      least = area;
      best = place;
    }
  }
  return best;
}

QPoint OverRect(const QRect& anchor, const QSize& size, const QRect& screen) {
  const QPoint centred = anchor.center() - QPoint(size.width() / 2, size.height() / 2);
  return QPoint(std::clamp(centred.x(), screen.left(),
                           std::max(screen.left(), screen.right() + 1 - size.width())),
                std::clamp(centred.y(), screen.top(),
                           std::max(screen.top(), screen.bottom() + 1 - size.height())));
}

}  // namespace tsumiki::gui
