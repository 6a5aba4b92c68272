#include "gui/progress_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "gui/bar_window.h"
#include "gui/gui_texts.h"
#include "gui/window_drag.h"
#include "present/progress_window.h"
#include "ui/window_place.h"

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
  remaining_->setText(QString::fromStdString(view.remaining_text));
  PresentBarWindow(*this, *bar_, view, twips_per_pixel_x, twips_per_pixel_y);
}

}  // namespace tsumiki::gui
