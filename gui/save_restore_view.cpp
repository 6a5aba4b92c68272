#include "gui/save_restore_view.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace tsumiki::gui {

namespace {
QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
}  // namespace

SaveRestoreView::SaveRestoreView(Session& session, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint), logic_(session) {
  setObjectName(Q(kSaveRestoreForm));
  setWindowTitle(Q(kSaveRestoreCaption));
  auto* save = new QPushButton(Q(kSaveConditionsButton), this);
  save->setObjectName(QStringLiteral("cmd保存"));
  auto* restore = new QPushButton(Q(kRestoreConditionsButton), this);
  restore->setObjectName(QStringLiteral("cmd復元"));
  auto* close = new QPushButton(Q(kSaveRestoreCloseButton), this);
  close->setObjectName(QStringLiteral("cmd閉じる"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 12, 16, 12);
  for (QPushButton* button : {save, restore, close}) {
    button->setAutoDefault(false);
    button->setMinimumHeight(32);
    layout->addWidget(button);
  }
  setMinimumWidth(260);
  adjustSize();
  connect(save, &QPushButton::clicked, this, [this] {
    if (logic_.OnSaveClicked() == SaveRestoreOutcome::kSaved) Q_EMIT ConditionsSaved();
  });
  connect(restore, &QPushButton::clicked, this, [this] {
    Q_EMIT CommandStarted();
    const SaveRestoreOutcome outcome = logic_.OnRestoreClicked();
    Q_EMIT CommandEnded();
    if (outcome == SaveRestoreOutcome::kRestored) Q_EMIT ConditionsRestored();
  });
  connect(close, &QPushButton::clicked, this, [this] { logic_.OnCloseClicked(); });
}

void SaveRestoreView::closeEvent(QCloseEvent* event) {
  if (logic_.IsOpen() && !closing_) {
    closing_ = true;
    logic_.OnCloseClicked();
    closing_ = false;
  }
  event->accept();
}

}  // namespace tsumiki::gui
