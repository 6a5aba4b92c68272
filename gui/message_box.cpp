#include "gui/message_box.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "gui/gui_texts.h"
#include "gui/placement.h"

namespace tsumiki::gui {

namespace {
const QString kOkText = QStringLiteral("OK");
const QString kCancelText = QStringLiteral("キャンセル");
const QString kYesText = QStringLiteral("はい(&Y)");
const QString kNoText = QStringLiteral("いいえ(&N)");

// A line of about this many full-width characters reads without the eyes
// travelling; wider boxes only on screens too small for it.
constexpr int kReadableChars = 34;
// Part of the screen a box may take at most.
constexpr double kScreenShare = 0.8;
// Room the title bar needs beside its caption: the frame's buttons and icon.
constexpr int kTitleBarExtra = 120;
constexpr int kIconSize = 32;

QStyle::StandardPixmap IconPixmap(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::kInformation:
      return QStyle::SP_MessageBoxInformation;
    case MsgIcon::kQuestion:
      return QStyle::SP_MessageBoxQuestion;
    case MsgIcon::kExclamation:
      return QStyle::SP_MessageBoxWarning;
    case MsgIcon::kCritical:
      return QStyle::SP_MessageBoxCritical;
    case MsgIcon::kNone:
      break;
  }
  return QStyle::SP_CustomBase;
}

QRect ScreenOf(const QWidget* anchor) {
  const QScreen* screen = anchor != nullptr ? anchor->screen() : nullptr;
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
}
}  // namespace

MessageDialog::MessageDialog(QWidget* parent, const QString& text, const QString& title,
                             MsgIcon icon)
    : QDialog(parent),
      text_(text),
      text_area_(new QTextEdit(this)),
      button_row_(new QWidget(this)) {
  setObjectName(QStringLiteral("MsgBox"));
  setWindowTitle(title.isEmpty() ? kProgramName : title);
  setWindowFlag(Qt::WindowStaysOnTopHint, true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setModal(true);

  text_area_->setObjectName(QStringLiteral("MsgText"));
  text_area_->setReadOnly(true);
  text_area_->setFrameShape(QFrame::NoFrame);
  text_area_->setLineWrapMode(QTextEdit::WidgetWidth);
  text_area_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  text_area_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  text_area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  text_area_->viewport()->setAutoFillBackground(false);
  text_area_->setAutoFillBackground(false);
  text_area_->setFocusPolicy(Qt::ClickFocus);
  text_area_->setPlainText(text);

  auto* body = new QHBoxLayout;
  body->setSpacing(12);
  if (icon != MsgIcon::kNone) {
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("MsgIcon"));
    picture->setPixmap(style()->standardIcon(IconPixmap(icon)).pixmap(kIconSize, kIconSize));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    body->addWidget(picture, 0, Qt::AlignTop);
  }
  body->addWidget(text_area_, 1);

  auto* row = new QHBoxLayout(button_row_);
  row->setContentsMargins(0, 0, 0, 0);
  row->addStretch(1);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(16, 14, 16, 12);
  outer->setSpacing(12);
  outer->addLayout(body, 1);
  outer->addWidget(button_row_);
  outer->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* MessageDialog::AddButton(const QString& caption) {
  auto* button = new QPushButton(caption, button_row_);
  button->setMinimumWidth(88);
  button_row_->layout()->addWidget(button);
  buttons_.push_back(button);
  connect(button, &QPushButton::clicked, this, [this, button] {
    clicked_ = button;
    accept();
  });
  if (default_ == nullptr) SetDefaultButton(button);
  return button;
}

void MessageDialog::SetDefaultButton(QPushButton* button) {
  for (QPushButton* each : buttons_) each->setDefault(each == button);
  default_ = button;
}

void MessageDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The frame is known now; a box placed by its estimate stays wholly on screen.
  KeepOnScreen(this);
}

void MessageDialog::reject() {
  clicked_ = escape_;
  QDialog::reject();
}

void MessageDialog::keyPressEvent(QKeyEvent* event) {
  // As message boxes of the desktop do: Ctrl+C takes the whole text.
  if (event->matches(QKeySequence::Copy)) {
    if (text_area_->textCursor().hasSelection()) {
      text_area_->copy();
    } else {
      QGuiApplication::clipboard()->setText(text_);
    }
    return;
  }
  QDialog::keyPressEvent(event);
}

void MessageDialog::FitToText(const QRect& screen) {
  // A full-width character is about one em; a font without Japanese glyphs would
  // measure its replacement glyph instead.
  const QFontMetrics metrics(text_area_->font());
  const int em = std::max(metrics.horizontalAdvance(QChar(0x3042)), metrics.height() * 4 / 5);
  const int readable = em * kReadableChars;
  const int most_width = static_cast<int>(screen.width() * kScreenShare) - 120;
  const int most_height = static_cast<int>(screen.height() * kScreenShare) - 120;
  QTextDocument* document = text_area_->document();
  // The widest line unwrapped, with the document's margins.
  int natural = 0;
  for (const QString& line : text_.split(QLatin1Char('\n'))) {
    natural = std::max(natural, metrics.horizontalAdvance(line));
  }
  natural += static_cast<int>(std::ceil(2 * document->documentMargin())) + 2;
  const int title = QFontMetrics(font()).horizontalAdvance(windowTitle()) + kTitleBarExtra;
  const int width = std::clamp(std::max(natural, std::min(title, readable)), 120,
                               std::max(120, std::min(readable, most_width)));
  // Measured on a copy: the edit's own document follows the edit's width.
  QTextDocument probe;
  probe.setDefaultFont(text_area_->font());
  probe.setDocumentMargin(document->documentMargin());
  QTextOption wrap = probe.defaultTextOption();
  wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  probe.setDefaultTextOption(wrap);
  probe.setPlainText(text_);
  probe.setTextWidth(width);
  const int height = static_cast<int>(std::ceil(probe.size().height()));
  // Only a text taller than the screen scrolls; a bar that came and went while
  // the box was laid out would narrow the text and cut its last line.
  const bool scrolls = height > most_height;
  text_area_->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  const int bar = scrolls ? text_area_->verticalScrollBar()->sizeHint().width() : 0;
  text_area_->setFixedSize(width + bar, std::min(height, std::max(60, most_height)));
}

void MessageDialog::Run(QWidget* anchor, const QRect& keep_clear) {
  QWidget* over = anchor != nullptr && anchor->isVisible() ? anchor->window() : nullptr;
  const QRect screen = ScreenOf(over);
  ensurePolished();
  FitToText(screen);
  if (default_ != nullptr) default_->setFocus();
  layout()->activate();
  adjustSize();
  const QSize size = FramedSize(this);
  move(keep_clear.isValid()
           ? AwayFrom(keep_clear, size, screen)
           : OverRect(over != nullptr ? over->frameGeometry() : screen, size, screen));
  exec();
}

MsgResult ShowMessageBox(QWidget* parent, const QString& text, const QString& title,
                         MsgButtons buttons, MsgIcon icon, const QRect& keep_clear) {
  MessageDialog box(parent, text, title, icon);
  QPushButton* ok = nullptr;
  QPushButton* cancel = nullptr;
  QPushButton* yes = nullptr;
  QPushButton* no = nullptr;
  switch (buttons) {
    case MsgButtons::kOk:
      ok = box.AddButton(kOkText);
      box.SetEscapeButton(ok);
      break;
    case MsgButtons::kOkCancel:
      ok = box.AddButton(kOkText);
      cancel = box.AddButton(kCancelText);
      box.SetEscapeButton(cancel);
      break;
    case MsgButtons::kYesNo:
      yes = box.AddButton(kYesText);
      no = box.AddButton(kNoText);
      box.SetEscapeButton(no);
      break;
    case MsgButtons::kYesNoCancel:
      yes = box.AddButton(kYesText);
      no = box.AddButton(kNoText);
      cancel = box.AddButton(kCancelText);
      box.SetEscapeButton(cancel);
      break;
  }
  box.Run(parent, keep_clear);
  const QPushButton* clicked = box.ClickedButton();
  if (clicked != nullptr) {
    if (clicked == yes) return MsgResult::kYes;
    if (clicked == no) return MsgResult::kNo;
    if (clicked == ok) return MsgResult::kOk;
  }
  if (cancel != nullptr) return MsgResult::kCancel;
  if (no != nullptr) return MsgResult::kNo;
  return MsgResult::kOk;
}

int ShowChoiceBox(QWidget* parent, const QString& text, const QString& title,
                  const QStringList& choices, MsgIcon icon) {
  if (choices.empty()) return -1;
  MessageDialog box(parent, text, title, icon);
  std::vector<QPushButton*> buttons;
  for (const QString& choice : choices) buttons.push_back(box.AddButton(choice));
  box.SetEscapeButton(buttons.back());
  box.Run(parent);
  const auto pressed = std::find(buttons.begin(), buttons.end(), box.ClickedButton());
  if (pressed == buttons.end()) return static_cast<int>(buttons.size()) - 1;
  return static_cast<int>(pressed - buttons.begin());
}

}  // namespace tsumiki::gui
