#pragma once

#include <QWidget>
#include <array>

#include "conditions/engine_context.h"
#include "creation/start_conditions.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace tsumiki::gui {

class TimeLimitBox;

// frm開始条件設定 on screen: the start conditions of the next run and, in the area
// "詳細設定" expands, the optimisation weights. Every reaction is the core's
// dialog logic; this class copies the controls into its fields before each event
// and shows its fields after.
class StartConditionsWindow : public QWidget {
  Q_OBJECT
 public:
  explicit StartConditionsWindow(const EngineContext& context, QWidget* parent = nullptr);

  // Reads the workbook into the controls (the dialog's load).
  void Load();
  StartConditionsDialog& Logic() { return logic_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Pull();
  void Push();
  void ApplyHeight();

  StartConditionsDialog logic_;
  Host& host_;  // shows what the logic refused
  QComboBox* year_;
  QComboBox* month_;
  QComboBox* day_;
  QComboBox* base_day_;
  QComboBox* attempts_;
  TimeLimitBox* time_limit_;
  QLineEdit* improve_;
  QCheckBox* details_;
  QWidget* weights_area_;
  std::array<QLineEdit*, kWeightCount + 1> weight_boxes_{};
  std::array<QLabel*, kWeightCount + 1> weight_labels_{};
  bool pushing_ = false;
  bool closing_ = false;
};

}  // namespace tsumiki::gui
