#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conditions/condition_model.h"
#include "conditions/engine_context.h"
#include "creation/start_conditions_check.h"
#include "ui/notice.h"

namespace tsumiki {

inline constexpr std::string_view kStartConditionsForm = "frm開始条件設定";
inline constexpr std::string_view kStartConditionsCaption = "開始条件設定";
inline constexpr std::string_view kStartConditionsStoring = "日付を設定しています！";
inline constexpr std::string_view kRestWeightLabel = "休み";
inline constexpr std::string_view kStartConditionsErrorTitle = "開始条件設定エラー";

// Heights of the dialog with the weights area shown and hidden.
inline constexpr int kStartConditionsTallTwips = 4500;
inline constexpr int kStartConditionsShortTwips = 1900;
// The scroll bar beside the time limit, in whole minutes.
inline constexpr int kTimeLimitScrollMin = 1;
inline constexpr int kTimeLimitScrollMax = 120;
// The row of 最適化比重 that weighs the days off.
inline constexpr int kRestWeightRow = 12;

// The start conditions and weights as the workbook holds them, read for the
// dialog and for `tsumiki settings`. A value the dialog cannot show (a missing
// name, a text that is no number) reads as the empty text, so the checks refuse it
// instead of the dialog failing to open; an empty cell reads as "0".
struct StoredStartConditions {
  StartConditionTexts texts;
  // Rows 1..TypeCount and 12 of 最適化比重 as text, index = row; others empty.
  std::array<std::string, kWeightCount + 1> weights{};
  // Abbreviations of duty types 1..TypeCount, index = type.
  std::vector<std::string> type_labels;
};
StoredStartConditions ReadStoredStartConditions(const EngineContext& context);

// Writes checked values into Main (年, 月, 日, 基準開始日, 試行回数, 制限時間) and
// the model's run settings, and the weight texts into 最適化比重 (rows 1..TypeCount
// and 12 only). A weight that reads as a number is stored as one, as the
// spreadsheet does with what is typed; other text is stored as typed.
void StoreStartConditions(const EngineContext& context, const StartConditionValues& values,
                          const std::array<std::string, kWeightCount + 1>& weights);

// What storing the start conditions came to.
struct StartConditionsApplied {
  bool stored = false;
  std::optional<Notice> refusal{};  // why nothing was stored
  explicit operator bool() const { return stored; }
};

// The window logic of frm開始条件設定: what each control shows and what each
// event does. A front end binds its controls to these fields and calls the On...
// handlers; nothing here draws.
class StartConditionsDialog {
 public:
  explicit StartConditionsDialog(const EngineContext& context) : ctx_(context) {}

  // Fills every control from the workbook and shows the short form.
  void Load();

  // The editable fields (cmbYear, cmbMonth, cmbDay, cmbStdDay, cmb試行回数, txt制限時間).
  StartConditionTexts& Fields() { return fields_; }
  const StartConditionTexts& Fields() const { return fields_; }
  // Opt(i): the weight boxes, i = 1..10 and 12.
  std::string& WeightText(int i) { return weights_.at(static_cast<std::size_t>(i)); }
  bool WeightVisible(int i) const;
  // lbl(i): the abbreviation of duty type i, or "休み" for row 12.
  std::string WeightLabel(int i) const;

  // The drop-down lists of the combo boxes.
  std::vector<std::string> YearItems() const;
  static std::vector<std::string> MonthItems();
  static std::vector<std::string> DayItems();
  static std::vector<std::string> AttemptItems();

  // cmbStdDay changed or clicked: the base day becomes the start day too.
  void OnBaseDayChanged();
  // HSC moved: the time limit shows its value.
  void OnScrollChanged(int value);
  int ScrollValue() const { return scroll_value_; }
  // chk詳細設定 clicked.
  void OnDetailsClicked(bool ticked);
  bool DetailsShown() const { return details_shown_; }
  int HeightTwips() const;

  // cmd設定: ApplyStartConditions over the fields and boxes, the window's caption
  // and the status window saying that it stores. Stored (and the dialog closed),
  // or the refusal for the front end to show, with nothing stored.
  StartConditionsApplied OnSetClicked();
  // cmdCancel: closes without storing.
  void OnCancelClicked();

  bool IsOpen() const { return open_; }
  bool IsVisible() const { return visible_; }
  const std::string& Caption() const { return caption_; }

 private:
  void Close();

  EngineContext ctx_;
  StartConditionTexts fields_;
  std::array<std::string, kWeightCount + 1> weights_{};
  std::vector<std::string> type_labels_;
  int scroll_value_ = kTimeLimitScrollMin;
  bool details_shown_ = false;
  bool open_ = false;
  bool visible_ = false;
  std::string caption_{kStartConditionsCaption};
};

}  // namespace tsumiki
