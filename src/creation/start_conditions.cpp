#include "creation/start_conditions.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "conditions/layout.h"
#include "creation/start_conditions_apply.h"
#include "ui/forms.h"
#include "ui/status.h"
#include "workbook/reading_modes.h"

namespace tsumiki {
namespace {

namespace wb = workbook;

// The first and last year of the year list; the list reaches further when the
// workbook already holds a later year.
constexpr int kFirstListedYear = 2004;
constexpr int kLastListedYear = 2019;
constexpr int kYearsAhead = 5;

// A cell's numeric value as the dialog shows it: an empty cell is 0; a number or
// a text that is wholly a number is that number; anything else cannot be shown.
std::optional<double> NumericValue(const wb::CellValue& value) {
  if (value.IsEmpty()) return 0.0;
  if (value.IsNumber()) return value.Number();
  if (value.IsText()) return ParseNumberText(value.Text());
  return std::nullopt;
}

std::optional<wb::CellValue> ReadNamedCell(const wb::Workbook& book,
                                           const layout::NameSpec& name_spec) {
  if (!layout::Has(book, name_spec)) return std::nullopt;
  const wb::CellRange range = layout::Range(book, name_spec);
  return book.ReadCell(range, 1, 1);
}

// The text of a field: the numeric value in plain decimal, or empty when the cell
// is missing or holds no number. `whole` rounds (年 and 月 show whole numbers).
std::string FieldText(const wb::Workbook& book, const layout::NameSpec& name_spec, bool whole) {
  const auto cell = ReadNamedCell(book, name_spec);
  if (!cell) return {};
  const auto number = NumericValue(*cell);
  if (!number) return {};
  if (whole) {
    if (*number >= 2147483647.0 || *number <= -2147483648.0) return {};
    return FormatPlainNumber(wb::RoundHalfEven(*number));
  }
  return FormatPlainNumber(*number);
}

// A weight typed into the dialog as the spreadsheet would store it.
wb::CellValue WeightValue(const std::string& text) {
  if (text.empty()) return {};
  if (const auto number = ParseNumberText(text)) return *number;
  return text;
}

void WriteNamedCell(wb::Workbook& book, const layout::NameSpec& name_spec,
                    const wb::CellValue& value) {
  book.WriteCell(layout::Range(book, name_spec), 1, 1, value);
}

}  // namespace

StoredStartConditions ReadStoredStartConditions(const EngineContext& context) {
  const wb::Workbook& book = context.book;
  StoredStartConditions stored;
  StartConditionTexts& t = stored.texts;
  t.year = FieldText(book, layout::kYear, true);
  t.month = FieldText(book, layout::kMonth, true);
  t.day = FieldText(book, layout::kStartDayOfMonth, false);
  t.base_day = FieldText(book, layout::kBaseStartDay, false);
  t.attempts = FieldText(book, layout::kAttempts, false);
  t.time_limit = FieldText(book, layout::kTimeLimit, false);
  t.improve_seconds = layout::Has(book, layout::kImproveSeconds)
                          ? FieldText(book, layout::kImproveSeconds, false)
                          : FormatPlainNumber(context.session.ImproveSeconds);

  const int types = std::clamp(context.model.TypeCount, 0, kMaxTypes);
  stored.type_labels.assign(static_cast<std::size_t>(types) + 1, std::string());
  for (int i = 1; i <= types; ++i) {
    if (i <= context.model.TypeAbbrev.Hi()) {
      stored.type_labels[static_cast<std::size_t>(i)] = context.model.TypeAbbrev(i);
    }
  }
  if (layout::Has(book, layout::kWeights)) {
    const wb::CellRange weights = layout::Range(book, layout::kWeights);
    for (int i = 1; i <= types; ++i) {
      stored.weights[static_cast<std::size_t>(i)] = wb::ValueToText(book.ReadCell(weights, i, 1));
    }
    stored.weights[kRestWeightRow] = wb::ValueToText(book.ReadCell(weights, kRestWeightRow, 1));
  }
  return stored;
}

namespace {

// A single-precision value as the decimal that reads back to it, so that a typed
// 0.1 is stored as 0.1 and not as 0.10000000149011612.
double AsTypedDecimal(float value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value);
  double decimal = value;
  if (written.ec == std::errc()) std::from_chars(text, written.ptr, decimal);
  return decimal;
}

}  // namespace

void StoreStartConditions(const EngineContext& context, const StartConditionValues& values,
                          const std::array<std::string, kWeightCount + 1>& weights) {
  wb::Workbook& book = context.book;
  // Resolve every name before the first write, so a missing name changes nothing.
  const wb::CellRange weight_range = layout::Range(book, layout::kWeights);
  for (const layout::NameSpec* name_spec :
       {&layout::kYear, &layout::kMonth, &layout::kStartDayOfMonth, &layout::kBaseStartDay,
        &layout::kAttempts, &layout::kTimeLimit}) {
    layout::Range(book, *name_spec);
  }

  WriteNamedCell(book, layout::kYear, values.year);
  WriteNamedCell(book, layout::kMonth, values.month);
  WriteNamedCell(book, layout::kStartDayOfMonth, values.day);
  WriteNamedCell(book, layout::kBaseStartDay, values.base_day);
  WriteNamedCell(book, layout::kAttempts, values.attempts);
  WriteNamedCell(book, layout::kTimeLimit, AsTypedDecimal(values.time_limit_minutes));
  // Optional: a workbook without the cell keeps the value for the session.
  if (layout::Has(book, layout::kImproveSeconds)) {
    WriteNamedCell(book, layout::kImproveSeconds, AsTypedDecimal(values.improve_seconds));
  }

  const int types = std::clamp(context.model.TypeCount, 0, kMaxTypes);
  for (int i = 1; i <= types; ++i) {
    book.WriteCell(weight_range, i, 1, WeightValue(weights[static_cast<std::size_t>(i)]));
  }
  book.WriteCell(weight_range, kRestWeightRow, 1, WeightValue(weights[kRestWeightRow]));

  ConditionModel& model = context.model;
  model.CreateYear = values.year;
  model.CreateMonth = values.month;
  model.CreateStartDay = values.day;
  model.BaseStartDay = values.base_day;
  model.AttemptsPerDay = values.attempts;
  model.TimeLimitMinutes = values.time_limit_minutes;
  model.ImproveSeconds = values.improve_seconds;
  context.session.ImproveSeconds = values.improve_seconds;
}

void StartConditionsDialog::Load() {
  ctx_.host.SetTopmost(WindowId::kStartConditions, true);
  StoredStartConditions stored = ReadStoredStartConditions(ctx_);
  fields_ = stored.texts;
  weights_ = stored.weights;
  type_labels_ = stored.type_labels;
  // The scroll bar can only hold a whole number inside its range.
  const auto limit = ParseNumberText(fields_.time_limit);
  const double whole = limit && std::abs(*limit) < 1e9 ? wb::RoundHalfEven(*limit) : 0;
  scroll_value_ = std::clamp(static_cast<int>(whole), kTimeLimitScrollMin, kTimeLimitScrollMax);
  details_shown_ = false;
  caption_ = std::string(kStartConditionsCaption);
  open_ = true;
  visible_ = true;
}

bool StartConditionsDialog::WeightVisible(int i) const {
  if (i == kRestWeightRow) return true;
  return i >= 1 && i < static_cast<int>(type_labels_.size());
}

std::string StartConditionsDialog::WeightLabel(int i) const {
  if (i == kRestWeightRow) return std::string(kRestWeightLabel);
  if (!WeightVisible(i)) return {};
  return type_labels_[static_cast<std::size_t>(i)];
}

std::vector<std::string> StartConditionsDialog::YearItems() const {
  int last = kLastListedYear;
  if (const auto year = ParseWholeNumberText(fields_.year); year && *year < 9999 - kYearsAhead) {
    last = std::max(last, *year + kYearsAhead);
  }
  std::vector<std::string> items;
  for (int y = kFirstListedYear; y <= last; ++y) items.push_back(std::to_string(y));
  return items;
}

namespace {
std::vector<std::string> Numbers(int first, int last) {
  std::vector<std::string> items;
  for (int i = first; i <= last; ++i) items.push_back(std::to_string(i));
  return items;
}
}  // namespace

std::vector<std::string> StartConditionsDialog::MonthItems() {
  return Numbers(1, 12);
}
std::vector<std::string> StartConditionsDialog::DayItems() {
  return Numbers(1, 31);
}
std::vector<std::string> StartConditionsDialog::AttemptItems() {
  return Numbers(1, 10);
}

void StartConditionsDialog::OnBaseDayChanged() {
  fields_.day = fields_.base_day;
}

void StartConditionsDialog::OnScrollChanged(int value) {
  scroll_value_ = std::clamp(value, kTimeLimitScrollMin, kTimeLimitScrollMax);
  fields_.time_limit = std::to_string(scroll_value_);
}

void StartConditionsDialog::OnDetailsClicked(bool ticked) {
  details_shown_ = ticked;
}

int StartConditionsDialog::HeightTwips() const {
  return details_shown_ ? kStartConditionsTallTwips : kStartConditionsShortTwips;
}

StartConditionsApplied StartConditionsDialog::OnSetClicked() {
  StartConditionsRequest request;
  request.texts = fields_;
  request.weights = weights_;
  request.type_labels = type_labels_;
  StartConditionsApplied applied;
  try {
    applied = ApplyStartConditions(ctx_, request, [this] {
      ctx_.book.SetAppState(
          wb::AppState{.screen_updating = true, .automatic_calculation = true, .events = true});
      caption_ = std::string(kStartConditionsStoring);
      ctx_.host.SetWindowCaption(WindowId::kStartConditions, caption_);
      ShowStatus(ctx_.host, kStartConditionsStoring, kDefaultColour, kDefaultColour,
                 /*topmost=*/false, ctx_.session.StatusPosition);
      visible_ = false;
    });
  } catch (const wb::WorkbookError& error) {
    // Nothing was written (every name is resolved first): the dialog comes back
    // with the planner's entries so they can fix the workbook and try again.
    ShowStatus(ctx_.host, "", kDefaultColour, kDefaultColour, /*topmost=*/false,
               ctx_.session.StatusPosition);
    caption_ = std::string(kStartConditionsCaption);
    ctx_.host.SetWindowCaption(WindowId::kStartConditions, caption_);
    visible_ = true;
    return {.refusal = Notice{.text = error.JapaneseMessage(),
                              .title = std::string(kStartConditionsErrorTitle),
                              .icon = MsgIcon::kExclamation}};
  }
  if (!applied) return applied;
  ShowStatus(ctx_.host, "", kDefaultColour, kDefaultColour, /*topmost=*/false,
             ctx_.session.StatusPosition);
  Close();
  return applied;
}

void StartConditionsDialog::OnCancelClicked() {
  Close();
}

void StartConditionsDialog::Close() {
  open_ = false;
  visible_ = false;
  CloseForm(ctx_.host, kStartConditionsForm);
}

}  // namespace tsumiki
