#include "gui/main_panel.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include "app/main_commands.h"
#include "creation/driver.h"
#include "gui/gui_texts.h"
#include "gui/main_panel_texts.h"
#include "gui/message_box.h"
#include "gui/window_drag.h"

namespace tsumiki::gui {

namespace {
QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The tip (or caption) of a help button, as the core lists the help pages.
QString HelpTip(std::string_view control) {
  for (const HelpPage& page : HelpPages()) {
    if (page.control == control) return Q(page.tip);
  }
  return {};
}

// Image1: a few stacked building blocks (積み木), drawn rather than shipped.
QPixmap BlocksPicture() {
  QPixmap pixmap(56, 56);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const struct {
    QRect rect;
    QColor colour;
  } blocks[] = {
      {QRect(4, 36, 16, 16), QColor(0xE5, 0x39, 0x35)},
      {QRect(20, 36, 16, 16), QColor(0x1E, 0x88, 0xE5)},
      {QRect(36, 36, 16, 16), QColor(0x43, 0xA0, 0x47)},
      {QRect(12, 20, 16, 16), QColor(0xFD, 0xD8, 0x35)},
      {QRect(28, 20, 16, 16), QColor(0x8E, 0x24, 0xAA)},
      {QRect(20, 4, 16, 16), QColor(0xFB, 0x8C, 0x00)},
  };
  for (const auto& block : blocks) {
    painter.setBrush(block.colour);
    painter.setPen(QPen(block.colour.darker(140), 1));
    painter.drawRoundedRect(block.rect.adjusted(1, 1, -1, -1), 3, 3);
  }
  return pixmap;
}
}  // namespace

MainPanel::MainPanel(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowStaysOnTopHint), picture_(new QLabel) {
  setObjectName(QStringLiteral("frm勤務管理"));
  setAttribute(Qt::WA_QuitOnClose, true);

  QMenu* settings = menuBar()->addMenu(Q(kModeMenu));
  settings->setObjectName(QStringLiteral("mnu設定"));
  auto* group = new QActionGroup(this);
  group->setExclusive(true);
  for (int i = 0; i < 3; ++i) {
    const std::string_view caption = CreationModeCaption(i);
    QAction* item = settings->addAction(
        QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    item->setObjectName(QStringLiteral("mnu単勤単休最少化"));
    item->setProperty("Index", i);
    item->setCheckable(true);
    group->addAction(item);
    connect(item, &QAction::triggered, this, [this, i] { Q_EMIT ModeChosen(i); });
    mode_items_[static_cast<std::size_t>(i)] = item;
  }
  QAction* totals = menuBar()->addAction(Q(kTotalsMenu));
  totals->setObjectName(QStringLiteral("mnu単勤単休総数"));
  connect(totals, &QAction::triggered, this, [this] { Q_EMIT TotalsChosen(); });

  auto* body = new QWidget(this);
  body->setObjectName(QStringLiteral("Body"));
  auto* grid = new QGridLayout(body);
  grid->setContentsMargins(8, 6, 8, 8);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(4);

  picture_->setObjectName(QStringLiteral("Image1"));
  picture_->setPixmap(BlocksPicture());
  picture_->setAlignment(Qt::AlignCenter);
  picture_->installEventFilter(this);
  grid->addWidget(picture_, 0, 0, 2, 1);

  QPushButton* create = AddButton(QStringLiteral("cmd勤務表作成"), Q(kCreateButton), Q(kCreateTip));
  create->setMinimumHeight(40);
  QFont bold = create->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 2);
  create->setFont(bold);
  grid->addWidget(create, 0, 1, 1, 2);
  grid->addWidget(AddButton(QStringLiteral("cmd勤務表"), Q(kShowRosterButton), Q(kShowRosterTip)),
                  1, 1);
  grid->addWidget(AddButton(QStringLiteral("cmd勤務表クリア"), kClearCaption, Q(kClearRosterTip)),
                  1, 2);

  const struct {
    const char* command;
    QString caption;
    const char* help;
  } rows[] = {
      {"cmd再調整", Q(kReadjustMainButton), nullptr},
      {"cmd開始条件設定", Q(kStartConditionsButton), "cmdH開始条件"},
      {"cmd基本設定", Q(kBasicSettingsButton), "cmdH基本"},
      {"cmd要員設定", Q(kStaffingButton), "cmdH要員"},
      {"cmd個人別設定", Q(kMemberConditionsButton), "cmdH個人別"},
      {"cmd保存読込", Q(kSaveRestoreButton), "cmdH保存"},
  };
  int row = 2;
  for (const auto& entry : rows) {
    const QString tip = QString::fromUtf8(entry.command) == QStringLiteral("cmd保存読込")
                            ? Q(kSaveRestoreTip)
                            : QString();
    grid->addWidget(AddButton(QString::fromUtf8(entry.command), entry.caption, tip), row, 0, 1, 2);
    if (entry.help != nullptr) {
      QPushButton* help = AddButton(QString::fromUtf8(entry.help), kHelpMark, HelpTip(entry.help));
      help->setFixedWidth(36);
      grid->addWidget(help, row, 2);
    }
    ++row;
  }
  grid->addWidget(AddButton(QStringLiteral("cmdHelp"), HelpTip("cmdHelp"), {}), row, 0, 1, 2);
  grid->addWidget(AddButton(QStringLiteral("cmd閉じる"), Q(kMainCloseButton), Q(kMainCloseTip)),
                  row, 2);
  setCentralWidget(body);
  new WindowDragger(this, {body, picture_});
  setFixedSize(sizeHint());
}

QPushButton* MainPanel::AddButton(const QString& name, const QString& caption, const QString& tip) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  if (!tip.isEmpty()) button->setToolTip(tip);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, name] { Q_EMIT CommandClicked(name); });
  return button;
}

QPushButton* MainPanel::Button(const QString& object_name) const {
  return findChild<QPushButton*>(object_name);
}

void MainPanel::SetModeTick(int mode) {
  for (int i = 0; i < 3; ++i) mode_items_[static_cast<std::size_t>(i)]->setChecked(i == mode);
}

void MainPanel::SetTopmost(bool topmost) {
  topmost_wanted_ = topmost;
  const bool on_top = topmost_wanted_ && topmost_allowed_;
  if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on_top) return;
  const bool was_visible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on_top);
  if (was_visible) show();
}

void MainPanel::AllowTopmost(bool allowed) {
  topmost_allowed_ = allowed;
  SetTopmost(topmost_wanted_);
}

void MainPanel::SetBusy(bool busy) {
  busy_ = busy;
  for (QPushButton* button : findChildren<QPushButton*>()) {
    const bool help = button->objectName().startsWith(QStringLiteral("cmdH"));
    button->setEnabled(!busy || help);
  }
  menuBar()->setEnabled(!busy);
}

void MainPanel::closeEvent(QCloseEvent* event) {
  // The application closes the program, or does not; the panel stays either way.
  event->ignore();
  if (busy_) {
    const MsgResult answer = ShowMessageBox(this, kStopRunQuestion, kStopRunTitle,
                                            MsgButtons::kYesNo, MsgIcon::kQuestion);
    if (answer != MsgResult::kYes) return;
    Q_EMIT StopRunRequested();
  }
  Q_EMIT CloseRequested();
}

bool MainPanel::eventFilter(QObject* watched, QEvent* event) {
  if (watched == picture_ && event->type() == QEvent::MouseButtonDblClick) {
    Q_EMIT PictureDoubleClicked();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace tsumiki::gui
