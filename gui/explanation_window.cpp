#include "gui/explanation_window.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tsumiki::gui {

ExplanationWindow::ExplanationWindow(const QString& title, const QString& text, QWidget* parent)
    : QWidget(parent, Qt::Window), text_(new QPlainTextEdit(this)), action_(new QPushButton(this)) {
  setObjectName(QStringLiteral("ExplanationWindow"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(title);
  text_->setObjectName(QStringLiteral("ExplanationText"));
  text_->setReadOnly(true);
  text_->setPlainText(text);
  action_->setObjectName(QStringLiteral("ExplanationAction"));
  action_->hide();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(action_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_, 1);
  layout->addLayout(buttons);
  connect(action_, &QPushButton::clicked, this, [this] {
    if (run_ && run_()) WithdrawAction();
  });
  resize(520, 420);
}

void ExplanationWindow::OfferAction(const QString& caption, std::function<bool()> action) {
  run_ = std::move(action);
  action_->setText(caption);
  action_->setEnabled(true);
  action_->show();
}

void ExplanationWindow::WithdrawAction() {
  run_ = nullptr;
  action_->setEnabled(false);
}

}  // namespace tsumiki::gui
