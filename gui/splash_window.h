#pragma once

#include <QWidget>

#include "ui/host.h"

class QLabel;

namespace tsumiki::gui {

// frmSplash: the status window. Borderless, one label filling its width; the
// core decides text, colours, width and place (StatusView), this class paints them.
class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  explicit SplashWindow(QWidget* parent = nullptr);

  // Shows the view; `twips_per_pixel_x/y` convert the core's twips to pixels.
  void Present(const StatusView& view, int twips_per_pixel_x, int twips_per_pixel_y);
  QLabel* MessageLabel() const { return label_; }

  // The rounded Japanese face the status text is drawn in, or the nearest one
  // installed here.
  static QFont StatusFont();

 private:
  QLabel* label_;
};

}  // namespace tsumiki::gui
