#include "gui/progress_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "creation/progress_window.h"
#include "gui/gui_texts.h"
#include "gui/window_drag.h"

namespace tsumiki::gui {

ProgressWindow::ProgressWindow(std::function<void()> on_abort, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      on_abort_(std::move(on_abort)),
      bar_(new QProgressBar(this)),
      remaining_(new QLineEdit(this)),
      abort_(new QPushButton(
          QString::fromUtf8(kAbortCaption.data(), static_cast<qsizetype>(kAbortCaption.size())),
          this)) {
  setObjectName(QStringLiteral("frm処理中"));
  setWindowTitle(kProgressTitle);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(0xFF, 0xF4, 0xE0));
  setPalette(colours);
  bar_->setObjectName(QStringLiteral("PBar"));
  bar_->setTextVisible(false);
  remaining_->setObjectName(QStringLiteral("txt残分"));
  remaining_->setReadOnly(true);
  remaining_->setAlignment(Qt::AlignCenter);
  remaining_->setFixedWidth(64);
  auto* label = new QLabel(
      QString::fromUtf8(kRemainingLabel.data(), static_cast<qsizetype>(kRemainingLabel.size())),
      this);
  label->setObjectName(QStringLiteral("Label3"));
  abort_->setObjectName(QStringLiteral("cmd中止"));
  abort_->setAutoDefault(false);
  connect(abort_, &QPushButton::clicked, this, [this] {
    if (on_abort_) on_abort_();
  });
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(10, 8, 10, 8);
  layout->addWidget(bar_, 0, 0, 1, 4);
  layout->addWidget(label, 1, 0);
  layout->addWidget(remaining_, 1, 1);
  layout->setColumnStretch(2, 1);
  layout->addWidget(abort_, 1, 3);
  // The bar is the largest surface: dragging it moves the window.
  new WindowDragger(this, {bar_, label});
}

void ProgressWindow::Present(const ProgressView& view, int twips_per_pixel_x,
                             int twips_per_pixel_y) {
  const int tx = std::max(1, twips_per_pixel_x);
  const int ty = std::max(1, twips_per_pixel_y);
  if (view.width_twips > 0 && view.height_twips > 0) {
    resize(std::max(view.width_twips / tx, minimumSizeHint().width()),
           std::max(view.height_twips / ty, minimumSizeHint().height()));
  }
  bar_->setRange(view.bar_min, std::max(view.bar_min, view.bar_max));
  bar_->setValue(std::clamp(view.bar_value, view.bar_min, std::max(view.bar_min, view.bar_max)));
  remaining_->setText(QString::fromStdString(view.remaining_text));
  if (!view.keep_position) move(view.left_twips / tx, view.top_twips / ty);
  if (!isVisible()) show();
}

}  // namespace tsumiki::gui
