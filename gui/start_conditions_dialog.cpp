#include "gui/start_conditions_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "gui/placement.h"
#include "gui/start_conditions_texts.h"
#include "gui/time_limit_box.h"
#include "present/notices.h"

namespace tsumiki::gui {

namespace {
QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QComboBox* Combo(const QString& name, const std::vector<std::string>& items, QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(name);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& item : items) combo->addItem(Q(item));
  combo->setMinimumWidth(72);
  return combo;
}

void SetItems(QComboBox* combo, const std::vector<std::string>& items) {
  const QSignalBlocker quiet(combo);
  const QString text = combo->currentText();
  combo->clear();
  for (const std::string& item : items) combo->addItem(Q(item));
  combo->setEditText(text);
}

QLabel* Caption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QStringLiteral("Label"));
  return label;
}

constexpr int kTwipsPerPixel = 15;
}  // namespace

StartConditionsWindow::StartConditionsWindow(const EngineContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      logic_(context),
      host_(context.host) {
  setObjectName(Q(kStartConditionsForm));
  setWindowTitle(Q(kStartConditionsCaption));

  year_ = Combo(QStringLiteral("cmbYear"), logic_.YearItems(), this);
  month_ = Combo(QStringLiteral("cmbMonth"), StartConditionsDialog::MonthItems(), this);
  day_ = Combo(QStringLiteral("cmbDay"), StartConditionsDialog::DayItems(), this);
  day_->setToolTip(kDayTip);
  base_day_ = Combo(QStringLiteral("cmbStdDay"), StartConditionsDialog::DayItems(), this);
  base_day_->setToolTip(kBaseDayTip);
  attempts_ = Combo(QStringLiteral("cmb試行回数"), StartConditionsDialog::AttemptItems(), this);
  attempts_->setToolTip(kAttemptsTip);
  time_limit_ = new TimeLimitBox(kTimeLimitScrollMin, kTimeLimitScrollMax, this);
  time_limit_->setObjectName(QStringLiteral("HSC"));
  time_limit_->Field()->setObjectName(QStringLiteral("txt制限時間"));
  time_limit_->setToolTip(kTimeLimitTip);
  time_limit_->setFixedWidth(84);
  improve_ = new QLineEdit(this);
  improve_->setObjectName(QStringLiteral("txt改善時間"));
  improve_->setToolTip(kImproveTip);
  improve_->setFixedWidth(84);
  details_ = new QCheckBox(kDetailsCaption, this);
  details_->setObjectName(QStringLiteral("chk詳細設定"));
  details_->setToolTip(kDetailsTip);
  auto* store = new QPushButton(kStoreCaption, this);
  store->setObjectName(QStringLiteral("cmd設定"));
  store->setDefault(true);
  auto* cancel = new QPushButton(kCancelCaption, this);
  cancel->setObjectName(QStringLiteral("cmdCancel"));

  auto* grid = new QGridLayout;
  grid->addWidget(Caption(kYearMonthLabel, this), 0, 0);
  auto* year_month = new QHBoxLayout;
  year_month->addWidget(year_);
  year_month->addWidget(new QLabel(kYearUnit, this));
  year_month->addWidget(month_);
  year_month->addWidget(new QLabel(kMonthUnit, this));
  year_month->addStretch();
  grid->addLayout(year_month, 0, 1);
  grid->addWidget(Caption(kDayLabel, this), 1, 0);
  grid->addWidget(day_, 1, 1, Qt::AlignLeft);
  grid->addWidget(Caption(kBaseDayLabel, this), 2, 0);
  grid->addWidget(base_day_, 2, 1, Qt::AlignLeft);
  grid->addWidget(Caption(kAttemptsLabel, this), 3, 0);
  grid->addWidget(attempts_, 3, 1, Qt::AlignLeft);
  grid->addWidget(Caption(kTimeLimitLabel, this), 4, 0);
  auto* time_row = new QHBoxLayout;
  time_row->addWidget(time_limit_);
  time_row->addWidget(new QLabel(kMinuteUnit, this));
  time_row->addStretch(1);
  grid->addLayout(time_row, 4, 1);
  grid->addWidget(Caption(kImproveLabel, this), 5, 0);
  auto* improve_row = new QHBoxLayout;
  improve_row->addWidget(improve_);
  improve_row->addWidget(new QLabel(kSecondUnit, this));
  improve_row->addStretch();
  grid->addLayout(improve_row, 5, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(details_);
  buttons->addStretch();
  buttons->addWidget(store);
  buttons->addWidget(cancel);

  weights_area_ = new QGroupBox(kWeightsLabel, this);
  weights_area_->setObjectName(QStringLiteral("fraWeights"));
  auto* weights = new QGridLayout(weights_area_);
  int cell = 0;
  for (int i = 1; i <= kWeightCount; ++i) {
    if (i == kWeightCount - 1) continue;  // row 11 is never shown
    auto* label = new QLabel(weights_area_);
    label->setObjectName(QStringLiteral("lbl"));
    label->setProperty("Index", i);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* box = new QLineEdit(weights_area_);
    box->setObjectName(QStringLiteral("Opt"));
    box->setProperty("Index", i);
    box->setFixedWidth(56);
    weights->addWidget(label, cell / 4, (cell % 4) * 2);
    weights->addWidget(box, cell / 4, (cell % 4) * 2 + 1);
    weight_labels_[static_cast<std::size_t>(i)] = label;
    weight_boxes_[static_cast<std::size_t>(i)] = box;
    ++cell;
  }

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(buttons);
  layout->addWidget(weights_area_);
  layout->addStretch();

  connect(base_day_, &QComboBox::currentTextChanged, this, [this] {
    if (pushing_) return;
    Pull();
    logic_.OnBaseDayChanged();
    Push();
  });
  connect(details_, &QCheckBox::toggled, this, [this](bool ticked) {
    if (pushing_) return;
    Pull();
    logic_.OnDetailsClicked(ticked);
    Push();
  });
  connect(store, &QPushButton::clicked, this, [this] {
    Pull();
    const StartConditionsApplied applied = logic_.OnSetClicked();
    if (applied) return;  // stored: the logic has closed the window
    if (applied.refusal) ShowNotice(host_, *applied.refusal);
    Push();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    Pull();
    logic_.OnCancelClicked();
  });
}

void StartConditionsWindow::Load() {
  logic_.Load();
  SetItems(year_, {});
  Push();
  SetItems(year_, logic_.YearItems());
}

void StartConditionsWindow::Pull() {
  StartConditionTexts& fields = logic_.Fields();
  fields.year = year_->currentText().toStdString();
  fields.month = month_->currentText().toStdString();
  fields.day = day_->currentText().toStdString();
  fields.base_day = base_day_->currentText().toStdString();
  fields.attempts = attempts_->currentText().toStdString();
  fields.time_limit = time_limit_->Text().toStdString();
  fields.improve_seconds = improve_->text().toStdString();
  for (int i = 1; i <= kWeightCount; ++i) {
    if (QLineEdit* box = weight_boxes_[static_cast<std::size_t>(i)]) {
      logic_.WeightText(i) = box->text().toStdString();
    }
  }
}

void StartConditionsWindow::Push() {
  pushing_ = true;
  const StartConditionTexts& fields = logic_.Fields();
  year_->setEditText(Q(fields.year));
  month_->setEditText(Q(fields.month));
  base_day_->setEditText(Q(fields.base_day));
  day_->setEditText(Q(fields.day));
  attempts_->setEditText(Q(fields.attempts));
  time_limit_->SetText(Q(fields.time_limit));
  improve_->setText(Q(fields.improve_seconds));
  for (int i = 1; i <= kWeightCount; ++i) {
    QLineEdit* box = weight_boxes_[static_cast<std::size_t>(i)];
    if (box == nullptr) continue;
    const bool shown = logic_.WeightVisible(i);
    box->setText(Q(logic_.WeightText(i)));
    box->setVisible(shown);
    QLabel* label = weight_labels_[static_cast<std::size_t>(i)];
    label->setText(Q(logic_.WeightLabel(i)));
    label->setVisible(shown);
  }
  details_->setChecked(logic_.DetailsShown());
  setWindowTitle(Q(logic_.Caption()));
  ApplyHeight();
  pushing_ = false;
}

void StartConditionsWindow::ApplyHeight() {
  weights_area_->setVisible(logic_.DetailsShown());
  layout()->activate();
  const int designed = logic_.HeightTwips() / kTwipsPerPixel;
  setFixedHeight(std::max(designed, layout()->minimumSize().height()));
  // Grown by the weights, the window moves up rather than past the screen's foot.
  if (isVisible()) KeepOnScreen(this);
}

void StartConditionsWindow::closeEvent(QCloseEvent* event) {
  // Closing by the title bar is the cancel button.
  if (logic_.IsOpen() && !closing_) {
    closing_ = true;
    logic_.OnCancelClicked();
    closing_ = false;
  }
  event->accept();
}

}  // namespace tsumiki::gui
