#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tsumiki {

// Messages and titles of the start-condition checks. The command line refuses its
// flags with the same texts.
inline constexpr std::string_view kTimeLimitInvalidMessage = "制限時間の入力値不正";
inline constexpr std::string_view kImproveInvalidMessage = "改善時間の入力値不正";
inline constexpr std::string_view kAttemptsInvalidMessage = "試行回数の入力値不正";
inline constexpr std::string_view kBaseDayInvalidMessage = "基準開始日の入力値不正";
inline constexpr std::string_view kInputErrorTitle = "入力エラー";
inline constexpr std::string_view kDateInvalidMessage = "日付の入力に誤りがあります";
inline constexpr std::string_view kDateInvalidTitle = "入力不正";
// Weights given as "TYPE=VALUE" (the command line's --weight), titled kInputErrorTitle.
inline constexpr std::string_view kWeightInvalid = "最適化比重の入力値不正";
// {0}: the type as given; {1}: the number of duty types.
inline constexpr std::string_view kWeightUnknownType =
    "--weight の勤務「{0}」が見つかりません。略称（例：日）か番号（1〜{1}）で指定し、"
    "休みの比重は「休み=値」としてください。";
inline constexpr std::string_view kWeightNoValue =
    "--weight は「勤務=値」の形で指定してください（例：--weight 日=1.5）。";

// The start conditions as the planner typed them (the dialog's fields, or the
// command line's flags merged over the stored values).
struct StartConditionTexts {
  std::string year;
  std::string month;
  std::string day;
  std::string base_day;
  std::string attempts;
  std::string time_limit;
  std::string improve_seconds;
  bool operator==(const StartConditionTexts&) const = default;
};

// The start conditions once they passed the checks.
struct StartConditionValues {
  int year = 0;
  int month = 0;
  int day = 0;
  int base_day = 0;
  int attempts = 0;
  float time_limit_minutes = 0;
  float improve_seconds = 0;
  bool operator==(const StartConditionValues&) const = default;
};

// Why the texts were refused: the message box to show.
struct InputRefusal {
  std::string_view message;
  std::string_view title;
  bool operator==(const InputRefusal&) const = default;
};

struct StartConditionCheck {
  std::optional<InputRefusal> refusal;  // set when refused; values are then meaningless
  StartConditionValues values;
  bool ok() const { return !refusal.has_value(); }
};

// Runs the checks in the dialog's order and returns the first refusal:
//  1. the time limit must be a number above 0 (as a single-precision value),
//  1a. the improvement time must be blank (the default) or a number of 0 or more,
//  2. the attempts must be a number above 0 that rounds to at least 1,
//  3. year, month and day must form a real calendar date (2013-02-29 does not),
//  4. the base start day must be a whole number 1..31.
// The fourth check is ours: the value is stored as an integer and a text there
// would otherwise be lost on the way into the workbook.
StartConditionCheck CheckStartConditions(const StartConditionTexts& texts);

// Number parsing shared by the dialog and the command line. Surrounding blanks
// (also the ideographic space) are ignored and full-width digits, signs and the
// full-width point are read as their ASCII forms, as a Japanese keyboard types them.
// A number is an optional sign, digits with an optional decimal point and an
// optional exponent; "inf", "nan", hexadecimal and trailing text are not numbers.
std::optional<double> ParseNumberText(std::string_view text);
// A whole number (digits with an optional sign only), within int range.
std::optional<int> ParseWholeNumberText(std::string_view text);
// A number as the dialog shows it: plain decimal without exponent or trailing
// zeros ("21", "2.5").
std::string FormatPlainNumber(double value);
// True for a real Gregorian date of the years 1..9999.
bool IsValidDate(int year, int month, int day);

}  // namespace tsumiki
