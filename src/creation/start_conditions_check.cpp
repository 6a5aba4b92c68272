#include "creation/start_conditions_check.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>

#include "conditions/run_state.h"
#include "workbook/reading_modes.h"

namespace tsumiki {
namespace {

// Folds full-width digits, signs, point and exponent letter to ASCII and drops
// ASCII and ideographic blanks at both ends. Any other character is kept as is,
// so it makes the text non-numeric.
std::string NormaliseNumberText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == 0xEF && i + 2 < text.size()) {
      const auto b1 = static_cast<unsigned char>(text[i + 1]);
      const auto b2 = static_cast<unsigned char>(text[i + 2]);
      if (b1 == 0xBC && b2 >= 0x90 && b2 <= 0x99) {  // ０..９
        out.push_back(static_cast<char>('0' + (b2 - 0x90)));
        i += 3;
        continue;
      }
      if (b1 == 0xBC && (b2 == 0x8B || b2 == 0x8D || b2 == 0x8E)) {  // ＋ － ．
        out.push_back(b2 == 0x8B ? '+' : b2 == 0x8D ? '-' : '.');
        i += 3;
        continue;
      }
      if ((b1 == 0xBC && b2 == 0xA5) || (b1 == 0xBD && b2 == 0x85)) {  // Ｅ ｅ
        out.push_back('e');
        i += 3;
        continue;
      }
    }
    if (c == 0xE3 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
        static_cast<unsigned char>(text[i + 2]) == 0x80) {  // ideographic space
      out.push_back(' ');
      i += 3;
      continue;
    }
    if (c == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x88 &&
        static_cast<unsigned char>(text[i + 2]) == 0x92) {  // − (minus sign)
      out.push_back('-');
      i += 3;
      continue;
    }
    out.push_back(static_cast<char>(c));
    ++i;
  }
  const auto first = out.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  const auto last = out.find_last_not_of(" \t");
  return out.substr(first, last - first + 1);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Checks the shape [sign] digits [. digits] [e [sign] digits] with at least one
// mantissa digit, which rules out inf, nan and hexadecimal before from_chars runs.
bool HasNumberShape(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  bool digits = false;
  while (i < s.size() && IsDigit(s[i])) ++i, digits = true;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, digits = true;
  }
  if (!digits) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    bool exp_digits = false;
    while (i < s.size() && IsDigit(s[i])) ++i, exp_digits = true;
    if (!exp_digits) return false;
  }
  return i == s.size();
}

}  // namespace

std::optional<double> ParseNumberText(std::string_view text) {
  std::string s = NormaliseNumberText(text);
  if (!HasNumberShape(s)) return std::nullopt;
  std::string_view body = s;
  if (body.front() == '+') body.remove_prefix(1);  // from_chars takes no '+'
  double value = 0;
  const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (ec != std::errc() || end != body.data() + body.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> ParseWholeNumberText(std::string_view text) {
  std::string s = NormaliseNumberText(text);
  std::string_view body = s;
  if (!body.empty() && body.front() == '+') body.remove_prefix(1);
  if (body.empty()) return std::nullopt;
  for (std::size_t i = body.front() == '-' ? 1 : 0; i < body.size(); ++i) {
    if (!IsDigit(body[i])) return std::nullopt;
  }
  int value = 0;
  const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value);
  if (ec != std::errc() || end != body.data() + body.size()) return std::nullopt;
  return value;
}

std::string FormatPlainNumber(double value) {
  if (value == 0) return "0";  // also folds -0
  char buf[64];
  if (std::abs(value) < 1e15 && value == std::trunc(value)) {
    std::snprintf(buf, sizeof buf, "%.0f", value);
    return buf;
  }
  // Fifteen significant digits, as the platform shows a double; fixed notation,
  // then the trailing zeros of the fraction go.
  std::snprintf(buf, sizeof buf, "%.15g", value);
  std::string g = buf;
  if (g.find('e') == std::string::npos) return g;
  const int exponent = static_cast<int>(std::floor(std::log10(std::abs(value))));
  const int decimals = std::max(0, 14 - exponent);
  std::snprintf(buf, sizeof buf, "%.*f", std::min(decimals, 40), value);
  std::string f = buf;
  if (f.find('.') != std::string::npos) {
    while (f.back() == '0') f.pop_back();
    if (f.back() == '.') f.pop_back();
  }
  return f;
}

bool IsValidDate(int year, int month, int day) {
  namespace chr = std::chrono;
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return false;
  return chr::year_month_day{chr::year{year}, chr::month{static_cast<unsigned>(month)},
                             chr::day{static_cast<unsigned>(day)}}
      .ok();
}

StartConditionCheck CheckStartConditions(const StartConditionTexts& texts) {
  StartConditionCheck result;
  StartConditionValues& v = result.values;

  const auto time_limit = ParseNumberText(texts.time_limit);
  // The limit is kept in single precision: a value that is 0 or infinite there is
  // as useless as a typed 0.
  const float limit = time_limit ? static_cast<float>(*time_limit) : 0.0f;
  if (!time_limit || !(limit > 0) || !std::isfinite(limit)) {
    result.refusal = InputRefusal{kTimeLimitInvalidMessage, kInputErrorTitle};
    return result;
  }
  v.time_limit_minutes = limit;

  // A blank field leaves the default; anything else must be a number of 0 or more.
  const auto improve = texts.improve_seconds.empty()
                           ? std::optional<double>(kDefaultImproveSeconds)
                           : ParseNumberText(texts.improve_seconds);
  const float seconds = improve ? static_cast<float>(*improve) : -1.0f;
  if (!(seconds >= 0) || !std::isfinite(seconds)) {
    result.refusal = InputRefusal{kImproveInvalidMessage, kInputErrorTitle};
    return result;
  }
  v.improve_seconds = seconds;

  const auto attempts = ParseNumberText(texts.attempts);
  // Stored as a whole number, halves to even: 0.4 would become no attempt at all.
  if (!attempts || !(*attempts > 0) || *attempts >= std::numeric_limits<int>::max() ||
      workbook::RoundHalfEven(*attempts) < 1) {
    result.refusal = InputRefusal{kAttemptsInvalidMessage, kInputErrorTitle};
    return result;
  }
  v.attempts = workbook::RoundHalfEven(*attempts);

  const auto year = ParseWholeNumberText(texts.year);
  const auto month = ParseWholeNumberText(texts.month);
  const auto day = ParseWholeNumberText(texts.day);
  // Two-digit years would be stored as such and give a roster in antiquity.
  if (!year || !month || !day || *year < 1900 || *year > 9999 ||
      !IsValidDate(*year, *month, *day)) {
    result.refusal = InputRefusal{kDateInvalidMessage, kDateInvalidTitle};
    return result;
  }
  v.year = *year;
  v.month = *month;
  v.day = *day;

  const auto base_day = ParseWholeNumberText(texts.base_day);
  if (!base_day || *base_day < 1 || *base_day > 31) {
    result.refusal = InputRefusal{kBaseDayInvalidMessage, kInputErrorTitle};
    return result;
  }
  v.base_day = *base_day;
  return result;
}

}  // namespace tsumiki
