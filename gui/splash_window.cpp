#include "gui/splash_window.h"

#include <algorithm>

#include <QFontDatabase>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/colours.h"
#include "gui/gui_texts.h"
#include "gui/window_drag.h"

namespace tsumiki::gui {

namespace {
// The height when the core gives none: one line of the 36-point face.
constexpr int kHeightPixels = 84;
}  // namespace

QFont SplashWindow::StatusFont() {
  // Rounded faces first (the one the workbook users know, then free ones), then any
  // Japanese face, so kana and kanji never fall back to boxes.
  static const QStringList kPreferred = {
      QStringLiteral("HG丸ｺﾞｼｯｸM-PRO"),  QStringLiteral("M PLUS Rounded 1c"),
      QStringLiteral("Rounded M+ 1c"),   QStringLiteral("Kosugi Maru"),
      QStringLiteral("Zen Maru Gothic"), QStringLiteral("Noto Sans CJK JP"),
      QStringLiteral("IPAexGothic"),     QStringLiteral("IPAGothic"),
      QStringLiteral("VL Gothic"),       QStringLiteral("TakaoGothic")};
  const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
  QStringList families;
  for (const QString& name : kPreferred) {
    if (installed.contains(name)) families << name;
  }
  families << installed;
  QFont font;
  font.setFamilies(families);
  font.setPointSize(36);
  font.setBold(true);
  return font;
}

SplashWindow::SplashWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), label_(new QLabel(this)) {
  setObjectName(QStringLiteral("frmSplash"));
  setWindowTitle(kProgramName);
  label_->setObjectName(QStringLiteral("lblMsg"));
  label_->setFont(StatusFont());
  label_->setAlignment(Qt::AlignCenter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label_);
  setAutoFillBackground(true);
  new WindowDragger(this, {label_});
  Present(StatusView{}, 15, 15);
  hide();
}

void SplashWindow::Present(const StatusView& view, int twips_per_pixel_x, int twips_per_pixel_y) {
  const bool on_top = view.topmost;
  if (on_top != windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
    setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
  }
  QPalette colours = palette();
  colours.setColor(QPalette::Window, FromBgr(view.back_colour));
  colours.setColor(QPalette::WindowText, FromBgr(view.text_colour));
  setPalette(colours);
  label_->setPalette(colours);
  label_->setText(QString::fromStdString(view.text));
  const int width = std::max(1, view.width_twips / std::max(1, twips_per_pixel_x));
  const int height =
      view.height_twips > 0 ? view.height_twips / std::max(1, twips_per_pixel_y) : kHeightPixels;
  setFixedSize(width, std::max(height, label_->sizeHint().height()));
  if (!view.keep_position) {
    move(view.left_twips / std::max(1, twips_per_pixel_x),
         view.top_twips / std::max(1, twips_per_pixel_y));
  }
}

}  // namespace tsumiki::gui
