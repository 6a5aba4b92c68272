#pragma once

#include <QWidget>
#include <functional>

#include "ui/host.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tsumiki::gui {

// frm最適化: the borderless window shown while the optimisation runs: progress over
// the passes and days, the best score so far and the abort button. The core's
// optimisation computes the view (captions included); "中止" reports to `on_abort`.
class OptimiseWindow : public QWidget {
  Q_OBJECT
 public:
  explicit OptimiseWindow(std::function<void()> on_abort, QWidget* parent = nullptr);
  void Present(const OptimiseView& view, int twips_per_pixel_x, int twips_per_pixel_y);

 private:
  std::function<void()> on_abort_;
  QLabel* message_;
  QLabel* caption_;
  QProgressBar* bar_;
  QLineEdit* score_;
  QPushButton* abort_;
};

}  // namespace tsumiki::gui
