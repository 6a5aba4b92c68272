#include "gui/optimise_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "gui/bar_window.h"
#include "gui/gui_texts.h"
#include "gui/window_drag.h"

namespace tsumiki::gui {

OptimiseWindow::OptimiseWindow(std::function<void()> on_abort, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      on_abort_(std::move(on_abort)),
      message_(new QLabel(this)),
      caption_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      score_(new QLineEdit(this)),
      abort_(new QPushButton(this)) {
  setObjectName(QStringLiteral("frm最適化"));
  setWindowTitle(kOptimiseTitle);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(0xE8, 0xF4, 0xFF));
  setPalette(colours);
  message_->setObjectName(QStringLiteral("lblMsg"));
  QFont bold = message_->font();
  bold.setBold(true);
  message_->setFont(bold);
  caption_->setObjectName(QStringLiteral("lblHensati"));
  bar_->setObjectName(QStringLiteral("Prg"));
  bar_->setTextVisible(false);
  score_->setObjectName(QStringLiteral("標準偏差"));
  score_->setReadOnly(true);
  score_->setAlignment(Qt::AlignRight);
  score_->setFixedWidth(80);
  abort_->setObjectName(QStringLiteral("cmd中止"));
  abort_->setAutoDefault(false);
  connect(abort_, &QPushButton::clicked, this, [this] {
    if (on_abort_) on_abort_();
  });
  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(10, 8, 10, 8);
  layout->addWidget(message_, 0, 0, 1, 4);
  layout->addWidget(bar_, 1, 0, 1, 4);
  layout->addWidget(caption_, 2, 0);
  layout->addWidget(score_, 2, 1);
  layout->setColumnStretch(2, 1);
  layout->addWidget(abort_, 2, 3);
  new WindowDragger(this, {bar_, message_, caption_});
}

void OptimiseWindow::Present(const OptimiseView& view, int twips_per_pixel_x,
                             int twips_per_pixel_y) {
  message_->setText(QString::fromStdString(view.message));
  caption_->setText(QString::fromStdString(view.score_caption));
  abort_->setText(QString::fromStdString(view.abort_caption));
  score_->setText(QString::fromStdString(view.score_text));
  bar_->setVisible(view.bar_visible);
  PresentBarWindow(*this, *bar_, view, twips_per_pixel_x, twips_per_pixel_y);
}

}  // namespace tsumiki::gui
