#include "cli/start_condition_flags.h"

#include <CLI/CLI.hpp>
#include <string_view>

#include "cli/value_checks.h"

namespace tsumiki::cli {

namespace {

constexpr std::string_view kYearHelp = "作成する年";
constexpr std::string_view kMonthHelp = "作成する月";
constexpr std::string_view kDayHelp = "作成開始日（省略時、--base-day を指定すれば同じ日）";
constexpr std::string_view kBaseDayHelp = "基準開始日（シフト表の左端の日）";
constexpr std::string_view kAttemptsHelp = "1日分の試行回数";
constexpr std::string_view kTimeLimitHelp = "制限時間（分）";
constexpr std::string_view kImproveHelp = "改善時間（秒、0 で改善しません）";

}  // namespace

StartConditionTexts StartConditionFlags::Over(StartConditionTexts texts) const {
  if (year) texts.year = *year;
  if (month) texts.month = *month;
  // As in the dialog, a new base day is also the day building starts from.
  if (base_day) texts.base_day = texts.day = *base_day;
  if (day) texts.day = *day;
  if (attempts) texts.attempts = *attempts;
  if (time_limit) texts.time_limit = *time_limit;
  if (improve_seconds) texts.improve_seconds = *improve_seconds;
  return texts;
}

void AddStartConditionFlags(CLI::App& command, StartConditionFlags& flags) {
  // The ranges of the start-condition checks, so that a typo is a usage error
  // naming the value before any workbook is read.
  command.add_option("--year", flags.year, std::string(kYearHelp))
      ->type_name("Y")
      ->check(WholeNumberIn(1900, 9999));
  command.add_option("--month", flags.month, std::string(kMonthHelp))
      ->type_name("M")
      ->check(WholeNumberIn(1, 12));
  command.add_option("--day", flags.day, std::string(kDayHelp))
      ->type_name("D")
      ->check(WholeNumberIn(1, 31));
  command.add_option("--base-day", flags.base_day, std::string(kBaseDayHelp))
      ->type_name("B")
      ->check(WholeNumberIn(1, 31));
  command.add_option("--attempts", flags.attempts, std::string(kAttemptsHelp))
      ->type_name("N")
      ->check(WholeNumberFrom(1));
  command.add_option("--time-limit", flags.time_limit, std::string(kTimeLimitHelp))
      ->type_name("MIN")
      ->check(NumberAbove(0, /*inclusive=*/false));
  command.add_option("--improve-seconds", flags.improve_seconds, std::string(kImproveHelp))
      ->type_name("S")
      ->check(NumberAbove(0, /*inclusive=*/true));
}

}  // namespace tsumiki::cli
