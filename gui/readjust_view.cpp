#include "gui/readjust_view.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace tsumiki::gui {

namespace {
QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* Box(const QString& name, int width, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setReadOnly(true);
  box->setFixedWidth(width);
  return box;
}

QLabel* Label(const QString& name, std::string_view text, QWidget* parent) {
  auto* label = new QLabel(Q(text), parent);
  label->setObjectName(name);
  return label;
}
}  // namespace

ReadjustView::ReadjustView(const EngineContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      logic_(context),
      target_(Box(QStringLiteral("txtTarget"), 56, this)),
      id_(Box(QStringLiteral("txtID"), 56, this)),
      name_(Box(QStringLiteral("txt氏名"), 120, this)),
      duty_(Box(QStringLiteral("txt勤務名"), 120, this)),
      day_(Box(QStringLiteral("txtTargetDay"), 120, this)),
      readjust_(new QPushButton(Q(kReadjustButton), this)),
      undo_(new QPushButton(Q(kUndoButton), this)),
      repaint_(new QTimer(this)) {
  setObjectName(Q(kReadjustForm));
  setWindowTitle(Q(kReadjustCaption));
  readjust_->setObjectName(QStringLiteral("cmd再調整"));
  undo_->setObjectName(QStringLiteral("cmd戻す"));
  undo_->setEnabled(false);
  auto* close = new QPushButton(Q(kCloseButton), this);
  close->setObjectName(QStringLiteral("cmd閉じる"));
  for (QPushButton* button : {readjust_, undo_, close}) button->setAutoDefault(false);

  auto* grid = new QGridLayout(this);
  grid->addWidget(Label(QStringLiteral("Label5"), kReadjustLabelSelect, this), 0, 0, 1, 4);
  grid->addWidget(Label(QStringLiteral("Label4"), kReadjustLabelPress, this), 1, 0, 1, 4);
  grid->addWidget(target_, 2, 0);
  grid->addWidget(id_, 2, 1);
  grid->addWidget(day_, 2, 2, 1, 2);
  grid->addWidget(Label(QStringLiteral("Label2"), kReadjustLabelName, this), 3, 0);
  grid->addWidget(name_, 3, 1, 1, 2);
  grid->addWidget(Label(QStringLiteral("Label3"), kReadjustLabelDuty, this), 4, 0);
  grid->addWidget(duty_, 4, 1, 1, 2);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(readjust_);
  buttons->addWidget(undo_);
  buttons->addStretch();
  buttons->addWidget(close);
  grid->addLayout(buttons, 5, 0, 1, 4);

  connect(readjust_, &QPushButton::clicked, this, [this] {
    Q_EMIT CommandStarted();
    logic_.OnReadjustClicked();
    Q_EMIT CommandEnded();
    Refresh();
  });
  connect(undo_, &QPushButton::clicked, this, [this] {
    Q_EMIT CommandStarted();
    logic_.OnUndoClicked();
    Q_EMIT CommandEnded();
    Refresh();
  });
  connect(close, &QPushButton::clicked, this, [this] { logic_.OnCloseClicked(); });
  // The logic reads the selection on its own timer; the boxes follow at the same pace.
  repaint_->setInterval(ReadjustWindow::kTimerIntervalMs);
  connect(repaint_, &QTimer::timeout, this, &ReadjustView::Refresh);
}

bool ReadjustView::Load() {
  if (!logic_.Load()) return false;
  Refresh();
  repaint_->start();
  return true;
}

void ReadjustView::Refresh() {
  const ReadjustSelection& selection = logic_.Selection();
  const auto set = [](QLineEdit* box, const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (box->text() != value) box->setText(value);
  };
  set(target_, selection.target);
  set(id_, selection.member_number);
  set(name_, selection.member_name);
  set(duty_, selection.duty_name);
  set(day_, selection.date_text);
  undo_->setEnabled(logic_.UndoEnabled());
}

void ReadjustView::closeEvent(QCloseEvent* event) {
  repaint_->stop();
  if (logic_.IsOpen() && !closing_) {
    closing_ = true;
    logic_.OnCloseClicked();
    closing_ = false;
  }
  event->accept();
}

}  // namespace tsumiki::gui
