#pragma once

#include <QWidget>
#include <functional>

#include "ui/host.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace tsumiki::gui {

// frm処理中: the borderless progress window of a creation run: the day being
// built, the minutes left of the time limit and the abort button. The core's
// progress logic computes the view; "中止" reports to `on_abort`.
class ProgressWindow : public QWidget {
  Q_OBJECT
 public:
  ProgressWindow(std::function<void()> on_abort, QWidget* parent = nullptr);
  void Present(const ProgressView& view, int twips_per_pixel_x, int twips_per_pixel_y);

 private:
  std::function<void()> on_abort_;
  QProgressBar* bar_;
  QLineEdit* remaining_;
  QPushButton* abort_;
};

}  // namespace tsumiki::gui
